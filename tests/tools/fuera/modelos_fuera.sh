#!/usr/bin/env bash
# The models that identificar writes, rebuilt by the outside programs: each .m run by Octave with its control
# package and each .py by /usr/bin/python3 with NumPy and SciPy; what they rebuild, discretised by them, must be
# the discrete model of the .json.   modelos_fuera.sh TANQUE_LOTE
set -euo pipefail
aqui=$(cd "$(dirname "$0")" && pwd)
lote=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$lote" escalon 1260 --Senal_Tipo=PRBS --salida="$dir/uno.txt"
"$lote" escalon 1500 --Senal_Tipo=PRBS --Senal_Periodo=5 --T_Sample=2000 --Ruido_Desviacion=0.01 \
  "--Modelo_Planta=Dos Tanques" --Area_2=4 --Resistencia_2=2 --salida="$dir/dos.txt"
"$lote" escalon 2000 --Senal_Tipo=PRBS --T_Sample=300 --salida="$dir/rapido.txt"
"$lote" pid 2000 --Track_Referencia@500=6 --Track_Referencia@1200=3 --salida="$dir/pid.txt"
modelos=(uno dos rapido pid)
for m in "${modelos[@]}"; do
  extra=()
  [ "$m" = dos ] && extra=(--ordenes)
  for ext in json m py; do
    "$lote" identificar "$dir/$m.txt" "${extra[@]}" --modelo="$dir/$m-modelo.$ext" > /dev/null
  done
done
/usr/bin/python3 "$aqui/modelos_fuera.py" "$dir" "${modelos[@]}"
cd "$dir" && octave-cli --no-gui --no-window-system --quiet --norc \
  --eval "addpath('$aqui'); modelos_fuera('$dir', {$(printf "'%s' " "${modelos[@]}")})" < /dev/null
