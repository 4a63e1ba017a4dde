# The .py of each model run as it stands; its G discretised by SciPy (numd, dend) against the .json's F, B and
# delay at frequencies across the band, and G's gain and poles against the .json's continuous form.
import json
import sys

import numpy as np


def respuesta_json(m, z):
    # H(z) = z^-(1 + nk - r) B(z^-1) / F(z^-1)
    atraso = 1 + m["retardo"] - m["retardo_corrida"]
    B = sum(b * z ** -j for j, b in enumerate(m["B"]))
    F = sum(f * z ** -i for i, f in enumerate(m["F"]))
    return z ** -atraso * B / F


def main():
    dir_, nombres = sys.argv[1], sys.argv[2:]
    for n in nombres:
        m = json.load(open(f"{dir_}/{n}-modelo.json"))
        espacio = {}
        exec(open(f"{dir_}/{n}-modelo.py").read(), espacio)
        numd, dend = np.ravel(espacio["numd"]), np.ravel(espacio["dend"])
        G = espacio["G"]
        t = m["tiempo_por_muestra_s"]
        for wt in np.geomspace(1e-3, 3.0, 25):
            z = np.exp(1j * wt)
            fuera = np.polyval(numd, z) / np.polyval(dend, z)
            propia = respuesta_json(m, z)
            if abs(fuera - propia) > 1e-9 * abs(propia):
                sys.exit(f"{n}: w = {wt / t} rad/s: SciPy {fuera}, modelo {propia}")
        ganancia = G.num[-1] / G.den[-1]
        if abs(ganancia - m["continuo"]["ganancia"]) > 1e-12 * abs(ganancia):
            sys.exit(f"{n}: ganancia {ganancia} y {m['continuo']['ganancia']}")
        polos = np.sort_complex(np.roots(G.den))
        esperados = np.sort_complex(np.array([p["re"] + 1j * p["im"] for p in m["continuo"]["polos"]]))
        if len(polos) != m["orden"] or np.max(np.abs(polos - esperados)) > 1e-9 * np.max(np.abs(esperados)):
            sys.exit(f"{n}: polos {polos} y {esperados}")
        print(f"{n}: SciPy reconstruye el modelo de orden {m['orden']}")


main()
