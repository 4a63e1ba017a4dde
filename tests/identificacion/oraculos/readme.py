import numpy as np; d = np.loadtxt("registro.txt"); y, u = d[:, 2], d[:, 1]; a, b = np.linalg.lstsq(np.c_[y[:-1], u[1:]], y[1:], rcond=None)[0]  # nk = 0
