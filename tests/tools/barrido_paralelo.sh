#!/usr/bin/env bash
# A sweep in three shares run by GNU parallel, as on many machines, and a Slurm array's shares one by one:
# the shares merged by case (sort -n) are the unsplit sweep byte for byte, as README's example says.
#   barrido_paralelo.sh TANQUE_LOTE MANIFIESTO
set -euo pipefail
lote=$1 manifiesto=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$lote" barrido "$manifiesto" >"$tmp/entero.jsonl"
parallel "$lote" barrido "$manifiesto" --parte={}/3 ::: 1 2 3 | sort -t: -k2 -n >"$tmp/paralelo.jsonl"
cmp "$tmp/entero.jsonl" "$tmp/paralelo.jsonl"
# SLURM_ARRAY_TASK_ID from 1 to 4, each share to its own file, then plain cat and sort
for SLURM_ARRAY_TASK_ID in 1 2 3 4; do
  "$lote" barrido "$manifiesto" --parte="$SLURM_ARRAY_TASK_ID/4" --hilos=2 >"$tmp/parte-$SLURM_ARRAY_TASK_ID.jsonl"
done
cat "$tmp"/parte-*.jsonl | sort -t: -k2 -n >"$tmp/slurm.jsonl"
cmp "$tmp/entero.jsonl" "$tmp/slurm.jsonl"
[ "$(wc -l <"$tmp/entero.jsonl")" -eq 12 ]
echo "barrido en partes: igual al entero"
