"""The module tanque against tanque-lote: the same records and descriptions byte for byte, the arrays equal to the
values that Python's csv module reads from the tool's CSV record, identificar's dict equal to the tool's JSON,
and the tool's refusals as ValueError with its messages. TANQUE_LOTE names the tool; PYTHONPATH finds the module."""

import csv
import json
import os
import shutil
import struct
import subprocess
import tempfile
import unittest

import numpy as np

import tanque

LOTE = os.environ["TANQUE_LOTE"]

# corrida, muestras, textos: the open loop, the PID, the fuzzy controller, a noisy seeded signal, the pump's
# limits with a disturbance (the columns q and uc), and numbers in a Spanish locale's separator
CASOS = [
    ("escalon", 200, {}, "."),
    ("pid", 600, {"Kp": 4, "Track_Referencia": 6}, "."),
    ("fuzzy", 300, {"Track_Referencia": 4, "KU": 2.5}, "."),
    ("escalon", 400, {"Senal_Tipo": "binaria_aleatoria", "Senal_Semilla": 7, "Ruido_Desviacion": 0.01,
                      "Ruido_Semilla": 3}, "."),
    ("pid", 500, {"Kp": 6, "Ti": 4.5, "Caudal_Min": 0, "Caudal_Max": 1.2, "Antisaturacion": "Retrocalculo", "Tt": 2,
                  "Perturbacion_Tipo": "Escalón", "Perturbacion_Inicio": 100, "Perturbacion_Maximo": 0.3,
                  "Track_Referencia": 7}, "."),
    ("pid", 300, {"Kp": 2.5, "Ti": 0.1 + 0.2, "Track_Referencia": 5}, ","),
]


def herramienta(argumentos, cwd=None):
    return subprocess.run([LOTE] + argumentos, capture_output=True, cwd=cwd)


def leer_csv(ruta):
    """The columns of a CSV record by the names of its header (units left out), read by Python's csv."""
    with open(ruta, newline="", encoding="utf-8") as f:
        filas = [fila for fila in csv.reader(f) if fila and not fila[0].startswith("#")]
    nombres = [campo.split(" [")[0] for campo in filas[0]]
    return nombres, {n: [float(fila[k]) for fila in filas[1:]] for k, n in enumerate(nombres)}


def bits(valores):
    return [struct.pack("<d", v) for v in valores]


class Registros(unittest.TestCase):
    def setUp(self):
        self.carpeta = tempfile.mkdtemp(prefix="tanque-prueba-")
        self.addCleanup(shutil.rmtree, self.carpeta)

    def dos(self, nombre):
        """A folder for the tool's files and one for the module's: the same file names in both."""
        a, b = os.path.join(self.carpeta, "lote", nombre), os.path.join(self.carpeta, "modulo", nombre)
        os.makedirs(a)
        os.makedirs(b)
        return a, b

    def test_registro_y_descripcion_son_los_de_la_herramienta(self):
        for i, (corrida, muestras, textos, decimal) in enumerate(CASOS):
            for extension in ("csv", "txt"):
                with self.subTest(caso=i, formato=extension):
                    a, b = self.dos("%d%s" % (i, extension))
                    lista = tanque.argumentos(corrida, muestras, textos, decimal=decimal)
                    p = herramienta(lista + ["--salida=r." + extension], cwd=a)
                    self.assertEqual(p.returncode, 0, p.stderr.decode())
                    r = tanque.registro(os.path.join(b, "r." + extension), corrida, muestras, decimal=decimal,
                                        textos=textos)
                    self.assertEqual(sorted(os.listdir(a)), sorted(os.listdir(b)))
                    for f in os.listdir(a):
                        with open(os.path.join(a, f), "rb") as x, open(os.path.join(b, f), "rb") as y:
                            self.assertEqual(x.read(), y.read(), f)
                    descripcion = "r.json" if extension == "txt" else "r.csv.json"
                    with open(os.path.join(a, descripcion), encoding="utf-8") as f:
                        self.assertEqual(r.descripcion, json.load(f))
                    self.assertEqual(r.mensajes, p.stderr.decode())

    def test_arreglos_son_los_valores_del_csv(self):
        for i, (corrida, muestras, textos, decimal) in enumerate(CASOS):
            with self.subTest(caso=i):
                a, _ = self.dos(str(i))
                p = herramienta(tanque.argumentos(corrida, muestras, textos, decimal=decimal) + ["--salida=r.csv"],
                                cwd=a)
                self.assertEqual(p.returncode, 0, p.stderr.decode())
                nombres, columnas = leer_csv(os.path.join(a, "r.csv"))
                r = tanque.correr(corrida, muestras, decimal=decimal, textos=textos)
                self.assertEqual(list(r.keys()), nombres)
                self.assertEqual(len(r["muestra"]), muestras)
                for n in nombres:
                    self.assertEqual(r[n].dtype, np.float64)
                    self.assertEqual(bits(r[n].tolist()), bits(columnas[n]), n)
                # the description without a record file is that of a CSV record: the run's part the same
                with open(os.path.join(a, "r.csv.json"), encoding="utf-8") as f:
                    self.assertEqual(r.descripcion["corrida"], json.load(f)["corrida"])

    def test_columnas_de_la_bomba_y_la_perturbacion(self):
        corrida, muestras, textos, _ = CASOS[4]
        r = tanque.correr(corrida, muestras, textos=textos)
        self.assertEqual(list(r.keys()),
                         ["muestra", "tiempo", "accion", "nivel", "referencia", "perturbacion", "accion_comandada"])
        self.assertIs(r.uc, r["accion_comandada"])
        self.assertIs(r.y, r["nivel"])
        # the pump gives no more than its limit, whatever the PID asks
        limite = float(np.float32(1.2))  # the pump's limit is read as a Single
        self.assertLessEqual(r.u.max(), limite)
        self.assertGreater(r.uc.max(), limite)
        self.assertEqual(list(tanque.correr("escalon", 3).keys()), ["muestra", "tiempo", "accion", "nivel"])

    def test_configuracion(self):
        a, _ = self.dos("config")
        ruta = os.path.join(a, "x.tanque")
        with open(ruta, "w", encoding="utf-8") as f:
            json.dump({"formato": "tanque-configuracion", "version": 1, "textos": {"Kp": "3.5", "Ti": "8"},
                       "Track_Referencia": 6}, f)
        p = herramienta(["pid", "200", "--config=" + ruta, "--salida=r.csv"], cwd=a)
        self.assertEqual(p.returncode, 0, p.stderr.decode())
        esperado = leer_csv(os.path.join(a, "r.csv"))[1]
        r = tanque.correr("pid", 200, configuracion=ruta)
        self.assertEqual(bits(r["nivel"].tolist()), bits(esperado["nivel"]))
        textos = tanque.leer_configuracion(ruta)
        self.assertEqual((textos["Kp"], textos["Track_Referencia"]), ("3.5", "6"))
        # the texts read and handed back as keywords make the same run
        self.assertEqual(bits(tanque.correr("pid", 200, textos=textos)["nivel"].tolist()), bits(esperado["nivel"]))

    def test_identificar_es_el_json_de_la_herramienta(self):
        a, _ = self.dos("identificar")
        herramienta(["escalon", "400", "--Senal_Tipo=binaria_aleatoria", "--Senal_Semilla=5", "--salida=r.txt"],
                    cwd=a)
        p = herramienta(["identificar", "r.txt", "--json"], cwd=a)
        self.assertEqual(p.returncode, 0, p.stderr.decode())
        # a path from anywhere reads the same record; the result names the file as it was given
        self.assertEqual(tanque.identificar(os.path.join(a, "r.txt"))["muestreo_s"], json.loads(p.stdout)["muestreo_s"])
        cwd = os.getcwd()
        os.chdir(a)
        try:
            self.assertEqual(tanque.identificar("r.txt"), json.loads(p.stdout))
            self.assertEqual(tanque.identificar("r.txt", metodo=["arx"], ordenes=True),
                             json.loads(herramienta(["identificar", "r.txt", "--json", "--metodo=arx", "--ordenes"],
                                                    cwd=a).stdout))
        finally:
            os.chdir(cwd)

    def test_identificar_de_arreglos(self):
        a, b = self.dos("arreglos")
        lista = ["escalon", "400", "--Senal_Tipo=binaria_aleatoria", "--Senal_Semilla=5", "--T_Sample=300"]
        herramienta(lista + ["--salida=r.txt"], cwd=a)
        os.remove(os.path.join(a, "r.json"))  # the arrays have no description: neither has the tool's record
        p = herramienta(["identificar", "r.txt", "--json", "--T_Sample=300", "--retardo=0"], cwd=a)
        self.assertEqual(p.returncode, 0, p.stderr.decode())
        esperado = json.loads(p.stdout)
        esperado["archivo"] = None
        r = tanque.correr("escalon", 400, Senal_Tipo="binaria_aleatoria", Senal_Semilla=5, T_Sample=300)
        self.assertEqual(tanque.identificar(u=r.u, y=r.y, T=0.3, retardo=0), esperado)
        self.assertRaises(ValueError, tanque.identificar, u=r.u, y=r.y, T=0.0005)
        self.assertRaises(ValueError, tanque.identificar, u=r.u, y=r.y[:-1], T=0.3)


class Hilos(unittest.TestCase):
    def test_corridas_en_hilos_son_las_de_una_en_una(self):
        # the GIL is released while a run computes: runs on threads overlap, and each is still its own
        from concurrent.futures import ThreadPoolExecutor
        trabajos = [(c, m, t, d) for c, m, t, d in CASOS] * 3
        solas = [tanque.correr(c, m, decimal=d, textos=t) for c, m, t, d in trabajos]
        with ThreadPoolExecutor(max_workers=4) as hilos:
            juntas = list(hilos.map(lambda x: tanque.correr(x[0], x[1], decimal=x[3], textos=x[2]), trabajos))
        for a, b in zip(solas, juntas):
            self.assertEqual(list(a.keys()), list(b.keys()))
            for n in a:
                self.assertEqual(bits(a[n].tolist()), bits(b[n].tolist()), n)
            self.assertEqual(a.descripcion, b.descripcion)


class Errores(unittest.TestCase):
    def test_lo_que_la_herramienta_rechaza_es_value_error_con_su_mensaje(self):
        casos = [
            (("nada", 10), {}),
            (("pid", 10), {"Nombre_Raro": 1}),
            (("pid", -1), {}),
            (("pid", 10), {"Track_Referencia": 2.5}),
        ]
        for (corrida, muestras), textos in casos:
            with self.subTest(corrida=corrida, textos=textos):
                p = herramienta(tanque.argumentos(corrida, muestras, textos))
                self.assertEqual(p.returncode, 2)
                primera = p.stderr.decode().splitlines()[0]
                with self.assertRaises(ValueError) as e:
                    tanque.correr(corrida, muestras, textos=textos)
                self.assertEqual("tanque-lote: " + str(e.exception), primera)
        p = herramienta(["pid", "10", "--formato=csv"])
        with self.assertRaises(ValueError) as e:
            tanque.correr("pid", 10, formato="csv")
        self.assertEqual("tanque-lote: " + str(e.exception), p.stderr.decode().splitlines()[0])

    def test_una_corrida_que_falla_lleva_el_mensaje(self):
        for corrida, textos in (("pid", {"Kp": "dos"}), ("escalon", {"Alto_Escalon": "abc"}),
                                ("escalon", {"Area": 0})):
            with self.subTest(textos=textos):
                p = herramienta(tanque.argumentos(corrida, 300, textos))
                self.assertEqual(p.returncode, 1)
                with self.assertRaises(tanque.ErrorTanque) as e:
                    tanque.correr(corrida, 300, textos=textos)
                self.assertEqual(str(e.exception), p.stderr.decode().strip())

    def test_el_desborde_acaba_la_corrida_sin_error(self):
        # the tool ends with status 0 and the overflow's message: the samples up to it, the message beside them
        a = tempfile.mkdtemp(prefix="tanque-prueba-")
        self.addCleanup(shutil.rmtree, a)
        p = herramienta(["escalon", "300", "--HMax=0.5", "--Alto_Escalon=4", "--salida=r.csv"], cwd=a)
        self.assertEqual(p.returncode, 0)
        r = tanque.correr("escalon", 300, HMax=0.5, Alto_Escalon=4)
        self.assertEqual(r.mensajes, p.stderr.decode())
        self.assertIn("Superado el Máximo", r.mensajes)
        self.assertEqual(bits(r["nivel"].tolist()), bits(leer_csv(os.path.join(a, "r.csv"))[1]["nivel"]))
        self.assertLess(len(r["nivel"]), 300)

    def test_valores_que_no_son_textos(self):
        self.assertEqual(tanque.texto_de_valor(0.1 + 0.2), "0.30000000000000004")
        self.assertEqual(tanque.texto_de_valor(2.5, ","), "2,5")
        self.assertEqual(tanque.texto_de_valor(np.float32(0.1)), "0.10000000149011612")
        self.assertEqual(tanque.texto_de_valor(np.int64(7)), "7")
        self.assertEqual(tanque.texto_de_valor(1e-05), "1e-05")
        for malo in (True, None, [1]):
            self.assertRaises(ValueError, tanque.texto_de_valor, malo)


if __name__ == "__main__":
    unittest.main(verbosity=2)
