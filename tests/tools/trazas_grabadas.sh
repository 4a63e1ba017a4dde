#!/usr/bin/env bash
# Runs every tanque-lote command of a list recorded earlier and compares its trace, its record and its exit
# status with what was recorded: a change that must not alter the numbers shows here at once.
#   trazas_grabadas.sh TANQUE_LOTE LISTA
set -u
lote=$1 lista=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fallos=0
while read -r traza registro estado argumentos; do
  case "$traza" in '#'*|'') continue ;; esac
  # shellcheck disable=SC2086 # the arguments are words
  "$lote" $argumentos --traza --salida="$tmp/registro.txt" >"$tmp/traza" 2>"$tmp/errores"
  e=$?
  [ -f "$tmp/registro.txt" ] || : >"$tmp/registro.txt"
  t=$(sha256sum <"$tmp/traza" | cut -d' ' -f1)
  r=$(sha256sum <"$tmp/registro.txt" | cut -d' ' -f1)
  if [ "$t $r $e" != "$traza $registro $estado" ]; then
    echo "CHANGED: tanque-lote $argumentos"
    [ "$t" = "$traza" ] || echo "  trace  $t, recorded $traza"
    [ "$r" = "$registro" ] || echo "  record $r, recorded $registro"
    [ "$e" = "$estado" ] || echo "  exit status $e, recorded $estado"
    fallos=$((fallos + 1))
  fi
  rm -f "$tmp/registro.txt"
done <"$lista"
echo "$fallos changed"
[ "$fallos" -eq 0 ]
