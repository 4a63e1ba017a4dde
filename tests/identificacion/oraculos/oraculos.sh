#!/usr/bin/env bash
# The identification against Octave's control package and SciPy, on a record written by tanque-lote, and the
# README's loading lines run as they stand there (each line of readme.m and readme.py must be in README.md).
#   oraculos.sh TANQUE_LOTE MODELOS_REGISTRO
set -euo pipefail
aqui=$(cd "$(dirname "$0")" && pwd)
raiz=$(cd "$aqui/../../.." && pwd)
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
while IFS= read -r linea; do
  grep -qF -- "$linea" "$raiz/README.md" || { echo "README.md no tiene: $linea" >&2; exit 1; }
done < <(cat "$aqui/readme.m" "$aqui/readme.py")
"$1" escalon 1260 --Senal_Tipo=PRBS --salida="$dir/registro.txt"
"$2" "$dir/registro.txt" 0.5 > "$dir/modelos.json"
cp "$aqui/readme.m" "$aqui/readme.py" "$dir/"
/usr/bin/python3 "$aqui/oraculo_scipy.py" "$dir"
cd "$dir" && octave --no-gui --no-window-system --quiet --norc "$aqui/oraculo_octave.m" < /dev/null
