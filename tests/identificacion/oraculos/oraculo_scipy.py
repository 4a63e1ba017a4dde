# The library against NumPy and SciPy on a record of tanque-lote: the README's Python line, each model's Python
# line rebuilt and discretised by SciPy, the ARX residuals' autocorrelation and Ljung-Box test, and Welch's
# estimate against scipy.signal.csd, welch and coherence. Arguments: the folder of registro.txt and modelos.json.
import json
import os
import sys

import numpy as np
from scipy import signal, stats

os.chdir(sys.argv[1])
lineas = [json.loads(l) for l in open("modelos.json")]
oe, arx, residuos, welch = lineas

# the README's line, as it stands there
exec(open("readme.py").read())
tau = -0.5 / np.log(a)
assert abs(tau / 20 - 1) < 1e-3 and abs(b / (1 - a) / 2 - 1) < 1e-3, (tau, b / (1 - a))

for m in (oe, arx):
    espacio = {}
    exec(m["python"], espacio)
    numd, dend = np.ravel(espacio["numd"]), np.ravel(espacio["dend"])
    # numd = [0, b1] for z^-1 b1 / (1 + f1 z^-1): the record's model at alignment 0 is z times it
    assert np.allclose(dend, m["F"], rtol=0, atol=1e-12), (dend, m["F"])
    assert np.allclose(numd[1:], m["B"], rtol=0, atol=1e-12) and abs(numd[0]) < 1e-15, (numd, m["B"])

d = np.loadtxt("registro.txt")
y, u = d[:, 2], d[:, 1]
e = y[1:] + arx["F"][1] * y[:-1] - arx["B"][0] * u[1:]
N, M = len(e), 20
c = np.array([np.dot(e[: N - k], e[k:]) / N for k in range(M + 1)])
rho = c / c[0]
assert np.allclose(rho, residuos["autocorrelacion"]["valores"], rtol=0, atol=1e-9)
Q = N * (N + 2) * np.sum(rho[1:] ** 2 / (N - np.arange(1, M + 1)))
assert abs(Q / residuos["blancura"]["Q"] - 1) < 1e-9, (Q, residuos["blancura"]["Q"])
assert abs(stats.chi2.ppf(0.995, M) / residuos["blancura"]["umbral"] - 1) < 1e-12
assert abs(stats.norm.ppf(0.995) / np.sqrt(N) / residuos["autocorrelacion"]["banda"] - 1) < 1e-12

f, Puu = signal.welch(u, nperseg=128)
_, Pyu = signal.csd(u, y, nperseg=128)
_, g2 = signal.coherence(u, y, nperseg=128)
G = Pyu[1:] / Puu[1:]
assert np.allclose(np.abs(G), welch["magnitud"], rtol=1e-9, atol=0)
assert np.allclose(g2[1:], welch["coherencia"], rtol=1e-9, atol=0)
assert np.allclose(2 * np.pi * f[1:] / 0.5, welch["w"], rtol=1e-12, atol=0)
print("scipy: de acuerdo")
