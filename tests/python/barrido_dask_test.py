"""A sweep on a Dask LocalCluster (loopback only, two workers) against tanque-lote barrido: the same lines, in
case order, as the batch tool writes them; and the same without a cluster, and from the bindings one by one."""

import os
import shutil
import subprocess
import tempfile
import unittest

import tanque

LOTE = os.environ["TANQUE_LOTE"]

MANIFIESTOS = {
    # a grid with a noisy PRBS (each case its own seeds from the manifest's and its index)
    "rejilla.json": """{"semilla": 5, "corrida": "escalon", "muestras": 300, "metodo": "arx",
  "textos": {"Senal_Tipo": "binaria_aleatoria", "Ruido_Desviacion": "0.01"},
  "rejilla": {"Resistencia": ["1", "2", "3"], "Area": ["5", "10"]}}
""",
    # a seeded Latin hypercube over the PID's gains
    "hipercubo.json": """{"semilla": 11, "corrida": "pid", "muestras": 200, "textos": {"Track_Referencia": "5"},
  "hipercubo": {"casos": 7, "rangos": {"Kp": [0.5, 8], "Ti": [2, 30]}}}
""",
}


def lineas_del_lote(ruta):
    p = subprocess.run([LOTE, "barrido", ruta], capture_output=True)
    return p.returncode, p.stdout.decode("utf-8").splitlines()


class BarridoDask(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.carpeta = tempfile.mkdtemp(prefix="tanque-barrido-")
        cls.rutas = {}
        for nombre, texto in MANIFIESTOS.items():
            cls.rutas[nombre] = os.path.join(cls.carpeta, nombre)
            with open(cls.rutas[nombre], "w", encoding="utf-8") as f:
                f.write(texto)
        from dask.distributed import Client, LocalCluster
        cls.cluster = LocalCluster(n_workers=2, threads_per_worker=1, host="127.0.0.1", dashboard_address=None,
                                   processes=True)
        cls.cliente = Client(cls.cluster)

    @classmethod
    def tearDownClass(cls):
        cls.cliente.close()
        cls.cluster.close()
        shutil.rmtree(cls.carpeta)

    def test_el_cluster_da_las_lineas_del_lote(self):
        for nombre, ruta in self.rutas.items():
            with self.subTest(manifiesto=nombre):
                estado, esperadas = lineas_del_lote(ruta)
                self.assertIn(estado, (0, 1))
                self.assertGreater(len(esperadas), 5)
                self.assertEqual(tanque.barrido(ruta, cliente=self.cliente), esperadas)

    def test_los_trabajadores_son_otros_procesos_del_bucle_local(self):
        direcciones = list(self.cliente.scheduler_info()["workers"])
        self.assertEqual(len(direcciones), 2)
        for d in direcciones:
            self.assertTrue(d.startswith("tcp://127.0.0.1:"), d)
        pids = set(self.cliente.run(os.getpid).values())
        self.assertEqual(len(pids), 2)
        self.assertNotIn(os.getpid(), pids)

    def test_sin_cluster_y_caso_a_caso(self):
        for nombre, ruta in self.rutas.items():
            with self.subTest(manifiesto=nombre):
                _, esperadas = lineas_del_lote(ruta)
                self.assertEqual(tanque.barrido(ruta), esperadas)
                self.assertEqual(tanque.barrido_casos(ruta), len(esperadas))
                # in reverse order: a case does not depend on those run before it
                for i in reversed(range(len(esperadas))):
                    self.assertEqual(tanque.barrido_caso(ruta, i), esperadas[i])
                self.assertRaises(IndexError, tanque.barrido_caso, ruta, len(esperadas))

    def test_un_manifiesto_malo_es_value_error_con_el_mensaje_del_lote(self):
        ruta = os.path.join(self.carpeta, "malo.json")
        with open(ruta, "w", encoding="utf-8") as f:
            f.write('{"corrida": "pid", "muestras": 5, "rejilla": {"Nombre_Raro": ["1"]}}')
        p = subprocess.run([LOTE, "barrido", ruta], capture_output=True)
        self.assertEqual(p.returncode, 2)
        with self.assertRaises(ValueError) as e:
            tanque.barrido(ruta)
        self.assertEqual("tanque-lote: " + str(e.exception) + "\n", p.stderr.decode())


if __name__ == "__main__":
    unittest.main(verbosity=2)
