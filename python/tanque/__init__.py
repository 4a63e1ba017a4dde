"""tanque: the simulator of tanque-lote from Python.

    import tanque
    r = tanque.correr("pid", 600, Kp=4, Track_Referencia=6)
    r["nivel"], r["accion"], r["referencia"]      # numpy float64 arrays, the columns of the CSV record
    r.descripcion["corrida"]                       # the record's description, parsed

The runs, the records and their descriptions are tanque-lote's own: the same texts give the same bytes. A
keyword is a text of the program (--NOMBRE=TEXTO); a number becomes the text that reads back as the same value.
"""

import json
import numbers
import os
import shutil
import tempfile

from . import _tanque

__all__ = ["ErrorTanque", "Resultado", "correr", "registro", "leer_configuracion", "identificar", "argumentos",
           "texto_de_valor", "barrido", "barrido_casos", "barrido_caso", "caso_de_manifiesto"]


class ErrorTanque(ValueError):
    """A run or a reading that the tool refused or that failed: the text is the tool's message, in Spanish.
    `resultado` holds what a run made before it stopped (None when nothing ran)."""

    def __init__(self, mensaje, resultado=None):
        super().__init__(mensaje)
        self.resultado = resultado


class Resultado(dict):
    """The columns of a run's record by their names in the CSV header (muestra, tiempo, accion, nivel, and
    referencia, perturbacion, accion_comandada when the run has them), each a numpy float64 array; the same
    arrays by their names in MAT and HDF5 as attributes (r.t, r.u, r.y, r.r, r.q, r.uc) and by the CSV's too
    (r.nivel)."""

    def __init__(self, columnas, valores, descripcion, mensajes):
        super().__init__((titulo, v) for (_, titulo, _), v in zip(columnas, valores))
        self.variables = {variable: v for (variable, _, _), v in zip(columnas, valores)}
        self.unidades = {titulo: unidad for (_, titulo, unidad) in columnas}
        self.descripcion = descripcion
        self.mensajes = mensajes

    def __getattr__(self, nombre):
        if nombre in self:
            return self[nombre]
        variables = self.__dict__.get("variables", {})
        if nombre in variables:
            return variables[nombre]
        raise AttributeError(nombre)


def texto_de_valor(valor, decimal="."):
    """The text that tanque-lote would be given for `valor` on its command line: a text as it is, an integer in
    its digits, any other real in the shortest form that reads back as the same Double, with `decimal` as the
    separator."""
    if isinstance(valor, str):
        return valor
    if isinstance(valor, bool):
        raise ValueError("un texto del programa no es un valor lógico: %r" % (valor,))
    if isinstance(valor, numbers.Integral):
        return str(int(valor))
    if isinstance(valor, numbers.Real):
        texto = float.__repr__(float(valor))
        return texto.replace(".", decimal)
    raise ValueError("un texto del programa es un texto o un número: %r" % (valor,))


def argumentos(corrida, muestras, textos=None, *, configuracion=None, salida=None, formato=None, decimal=".",
               programados=None):
    """The command line of tanque-lote for this run, without the program's name."""
    lista = [str(corrida), texto_de_valor(muestras)]
    if decimal != ".":
        lista.append("--decimal=" + decimal)
    if configuracion is not None:
        lista.append("--config=" + os.fspath(configuracion))
    for nombre, valor in (textos or {}).items():
        lista.append("--%s=%s" % (nombre, texto_de_valor(valor, decimal)))
    for n, cambios in sorted((programados or {}).items()):
        for nombre, valor in cambios.items():
            lista.append("--%s@%s=%s" % (nombre, texto_de_valor(n), texto_de_valor(valor, decimal)))
    if salida is not None:
        lista.append("--salida=" + os.fspath(salida))
    if formato is not None:
        lista.append("--formato=" + formato)
    return lista


def _descripcion(registro):
    try:
        with open(_tanque.nombre_descripcion(registro), "rb") as f:
            return json.loads(f.read().decode("utf-8"))
    except FileNotFoundError:
        return None  # a record sent to a device or a pipe has none


def correr(corrida, muestras, *, configuracion=None, salida=None, formato=None, decimal=".", programados=None,
           textos=None, **mas_textos):
    """One run, as `tanque-lote CORRIDA MUESTRAS --NOMBRE=TEXTO...` makes it: a Resultado with the record's
    columns and its description. With `salida` the record and its description are written as --salida writes
    them (in `formato`, else by the extension); without it the description is that of a CSV record named
    registro.csv, written in a scratch folder and removed. `programados` is {N: {NOMBRE: TEXTO}}, the
    --NOMBRE@N=TEXTO of the tool. The run releases the GIL while it computes. Raises ErrorTanque (a
    ValueError) with the tool's messages when the tool would end with a status other than 0."""
    todos = dict(textos or {})
    todos.update(mas_textos)
    if formato is not None and salida is None:
        raise ErrorTanque("--formato elige el formato del registro de --salida: falta --salida")
    carpeta = None
    destino = salida
    if salida is None:
        carpeta = tempfile.mkdtemp(prefix="tanque-")
        destino = os.path.join(carpeta, "registro.csv")
    try:
        lista = argumentos(corrida, muestras, todos, configuracion=configuracion, salida=destino,
                           formato=formato, decimal=decimal,
                           programados=programados)
        r = _tanque.correr(lista)
        descripcion = _descripcion(os.fspath(destino)) if r["estado"] == 0 else None
    finally:
        if carpeta is not None:
            shutil.rmtree(carpeta, ignore_errors=True)
    resultado = Resultado(r["columnas"], r["valores"], descripcion, r["mensajes"])
    if r["estado"] != 0:
        raise ErrorTanque(r["mensajes"].strip(), resultado if r["columnas"] else None)
    return resultado


def registro(ruta, corrida, muestras, **kwargs):
    """The record of a run and its description written to `ruta`, as tanque-lote --salida=RUTA does; returns
    the run's Resultado."""
    return correr(corrida, muestras, salida=ruta, **kwargs)


def leer_configuracion(ruta, decimal="."):
    """The texts of a set-up file as a dict of texts (the slider's position as Track_Referencia), as --config
    gives them to a run, with the numbers in `decimal`: correr("pid", 600, textos=leer_configuracion(f))."""
    textos, _ = _tanque.leer_configuracion(os.fspath(ruta), decimal)
    return textos


def identificar(archivo=None, *, u=None, y=None, T=None, retardo=None, T_Sample=None, metodo=None, validar=None,
                ordenes=False, frecuencia=None, modelo=None):
    """What `tanque-lote identificar ARCHIVO --json` prints, as a dict. Instead of a record file, the arrays u
    and y of samples 0, 1, ... with their period T in seconds (a whole number of milliseconds, as T_Sample):
    they are written as the program's text record (four decimals) and read back, and the result's "archivo" is
    None. `metodo` is "arx", "oe", "escalon" or a list of them; `frecuencia` True or a period in samples."""
    if (archivo is None) == (u is None or y is None):
        raise ValueError("identificar toma un archivo de registro, o u e y")
    lista = ["identificar", "--json"]
    if retardo is not None:
        lista.append("--retardo=" + texto_de_valor(retardo))
    carpeta = None
    try:
        if archivo is None:
            if T is None:
                raise ValueError("identificar de u e y necesita su periodo de muestreo T (s)")
            ms = round(float(T) * 1000)
            if ms <= 0 or ms / 1000 != float(T):
                raise ValueError("T debe ser un número entero de milisegundos, mayor que cero: %r" % (T,))
            T_Sample = ms
            carpeta = tempfile.mkdtemp(prefix="tanque-")
            archivo = os.path.join(carpeta, "registro.txt")
            _tanque.escribir_registro(archivo, [float(v) for v in u], [float(v) for v in y])
        lista.insert(1, os.fspath(archivo))
        if T_Sample is not None:
            lista.append("--T_Sample=" + texto_de_valor(T_Sample))
        if metodo is not None:
            lista.append("--metodo=" + (metodo if isinstance(metodo, str) else ",".join(metodo)))
        if validar is not None:
            lista.append("--validar=" + os.fspath(validar))
        if ordenes:
            lista.append("--ordenes")
        if frecuencia is True:
            lista.append("--frecuencia")
        elif frecuencia:
            lista.append("--frecuencia=" + texto_de_valor(frecuencia))
        if modelo is not None:
            lista.append("--modelo=" + os.fspath(modelo))
        estado, salida, mensajes = _tanque.identificar(lista)
    finally:
        if carpeta is not None:
            shutil.rmtree(carpeta, ignore_errors=True)
    if estado != 0:
        raise ErrorTanque(mensajes.strip())
    resultado = json.loads(salida)
    if carpeta is not None:
        resultado["archivo"] = None
    return resultado


def barrido_casos(ruta):
    """How many cases the manifest `ruta` (JSON or CSV, as tanque-lote barrido reads it) has."""
    return _tanque.barrido_casos(os.fspath(ruta))


def barrido_caso(ruta, i):
    """The JSON line (without its newline) of case `i` of the manifest `ruta`, as tanque-lote barrido writes it."""
    return _tanque.barrido_caso(os.fspath(ruta), i)


def caso_de_manifiesto(texto, es_json, i):
    """barrido_caso from the manifest's text: what a worker of a cluster runs, without the file."""
    return _tanque.barrido_caso_de_texto(texto, es_json, i)


def _manifiesto(ruta):
    # JSON by its extension or by its first byte that is not blank, as the tool decides; else CSV
    with open(ruta, "rb") as f:
        texto = f.read().decode("utf-8")
    es_json = os.fspath(ruta).lower().endswith(".json") or texto.lstrip(" \t\r\n").startswith("{")
    return texto, es_json


def barrido(ruta, cliente=None):
    """The lines of tanque-lote barrido RUTA (each without its newline), in case order. With a Dask
    distributed.Client the cases are mapped on its cluster (the manifest's text travels with them, so the
    workers need no shared folder); without one they run here, one after the other. A case's line depends only
    on the manifest and its index, so the result is the same either way."""
    n = _tanque.barrido_casos(os.fspath(ruta))  # read from its file first: a refusal names it, as the tool's does
    texto, es_json = _manifiesto(ruta)
    if cliente is None:
        return [caso_de_manifiesto(texto, es_json, i) for i in range(n)]
    # one task a case, the text scattered once instead of copied into every task
    datos = cliente.scatter(texto, broadcast=True)
    futuros = cliente.map(caso_de_manifiesto, [datos] * n, [es_json] * n, list(range(n)), pure=False)
    return cliente.gather(futuros)
