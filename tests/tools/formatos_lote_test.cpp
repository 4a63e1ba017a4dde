// tanque-lote --salida in CSV, MAT and HDF5, read by the programs people load them with: Python's csv and h5py,
// Octave's load. The binary records and the CSV hold the trace's own numbers (the run's Singles, bit for bit),
// the CSV agrees with the text record to its printed digits, and the description beside each names its size and
// SHA-256 as Python's hashlib computes them. The text record is the default, byte for byte.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/export/utilidades.h"
#include "tests/tools/ejecutar.h"
#include "tests/tools/proceso.h"
#include "tools/grafico_lote.h"

namespace {

// Python's answer, one "key value ..." line each, values as float.hex().
constexpr const char* kLectorPython = R"(
import csv, hashlib, json, sys
import h5py
txt, csvf, h5, mat = sys.argv[1:5]
with open(txt) as f:
    filas = [l.split() for l in f if l.strip()]
for k, nombre in enumerate(['txt_muestra', 'txt_u', 'txt_y']):
    print(nombre, *[float(x[k]).hex() for x in filas])
with open(csvf, newline='') as f:
    lineas = list(f)
print('csv_ts', lineas[0].split('=')[1].split()[0])
filas = list(csv.reader(l for l in lineas if not l.startswith('#')))
print('csv_cabecera', '|'.join(filas[0]).replace(' ', '_'))
for k in range(len(filas[0])):
    print('csv_%d' % k, *[float(x[k]).hex() for x in filas[1:]])
with h5py.File(h5, 'r') as f:
    for n in ['muestra', 't', 'u', 'y', 'r']:
        print('h5_' + n, *[float(v).hex() for v in f[n][:].tolist()])
    print('h5_Ts', float(f['Ts'][()]).hex())
    d = json.loads(f['descripcion'][()].decode('utf-8'))
    print('h5_lineas', d['registro']['lineas'])
for r in [txt, csvf, h5, mat]:
    j = json.load(open(r.rsplit('.', 1)[0] + '.json' if r.endswith('.txt') else r + '.json'))
    datos = open(r, 'rb').read()
    print('huella_' + r.rsplit('.', 1)[1], j['registro']['bytes'] == len(datos),
          j['registro']['sha256'] == hashlib.sha256(datos).hexdigest(), j['registro']['lineas'])
)";

// Octave's answer: num2hex gives the bits of each Double.
constexpr const char* kLectorOctave = R"(
x = load(archivo);
for n = {'muestra', 't', 'u', 'y', 'r'}
  printf('mat_%s %s\n', n{1}, strjoin(cellstr(num2hex(x.(n{1})))', ' '));
end
printf('mat_Ts %s\n', num2hex(x.Ts));
printf('mat_lineas %d\n', x.descripcion.registro.lineas);
)";

std::map<std::string, std::vector<std::string>> Respuesta(const std::string& salida) {
    std::map<std::string, std::vector<std::string>> m;
    std::istringstream s(salida);
    for (std::string linea; std::getline(s, linea);) {
        std::istringstream l(linea);
        std::string clave;
        l >> clave;
        for (std::string v; l >> v;) m[clave].push_back(v);
    }
    return m;
}

std::uint64_t Bits(double d) {
    std::uint64_t b;
    std::memcpy(&b, &d, sizeof b);
    return b;
}
double DePython(const std::string& h) { return std::strtod(h.c_str(), nullptr); }
double DeOctave(const std::string& h) {
    const std::uint64_t b = std::stoull(h, nullptr, 16);
    double d;
    std::memcpy(&d, &b, sizeof d);
    return d;
}

// The trace's columns n, accion, nivel, referencia (hexadecimal floats), one row a sample.
std::vector<std::vector<double>> Traza(const std::string& traza) {
    std::vector<std::vector<double>> filas;
    std::istringstream s(traza);
    std::string linea;
    std::getline(s, linea);  // the header
    while (std::getline(s, linea)) {
        std::vector<double> fila;
        std::istringstream l(linea);
        for (std::string campo; fila.size() < 4 && std::getline(l, campo, ',');)
            fila.push_back(std::strtod(campo.c_str(), nullptr));
        filas.push_back(fila);
    }
    return filas;
}

// Every value read is, bit for bit, the trace's column (t: n x Ts, rounded once).
::testing::AssertionResult Exactos(const std::vector<std::string>& leidos, const std::vector<std::vector<double>>& t,
                                   int columna, double (*de)(const std::string&)) {
    if (leidos.size() != t.size()) return ::testing::AssertionFailure() << leidos.size() << " values for " << t.size();
    for (std::size_t i = 0; i < t.size(); ++i) {
        const double esperado = columna < 0 ? t[i][0] * 0.5 : t[i][static_cast<std::size_t>(columna)];
        if (Bits(de(leidos[i])) != Bits(esperado))
            return ::testing::AssertionFailure() << "sample " << i << ": " << leidos[i] << " for " << esperado;
    }
    return ::testing::AssertionSuccess();
}

constexpr const char* kCorrida[] = {"pid", "400", "--Kp=3", "--Ti=20"};

Ejecucion Lote(const std::vector<std::string>& extra) {
    std::vector<std::string> a(std::begin(kCorrida), std::end(kCorrida));
    a.insert(a.end(), extra.begin(), extra.end());
    return Ejecutar(a);
}

}  // namespace

TEST(FormatosLote, LeidosPorPythonYOctaveComoLaTraza) {
    CarpetaTemporal c;
    const std::string txt = c.Ruta("r.txt"), csv = c.Ruta("r.csv"), h5 = c.Ruta("r.h5"), mat = c.Ruta("r.mat");
    const Ejecucion traza = Lote({"--traza"});
    ASSERT_EQ(traza.estado, 0) << traza.errores;
    const std::vector<std::vector<double>> t = Traza(traza.salida);
    ASSERT_EQ(t.size(), 400u);
    for (const std::string& r : {txt, csv, h5, mat}) {
        const Ejecucion e = Lote({"--salida=" + r});
        ASSERT_EQ(e.estado, 0) << r << ": " << e.errores;
    }
    const Final p = Correr(TANQUE_PYTHON3, {"-c", kLectorPython, txt, csv, h5, mat});
    ASSERT_TRUE(p.salio && p.estado == 0) << Describir(p) << p.errores;
    auto py = Respuesta(p.salida);
    const Final o = Correr(TANQUE_OCTAVE, {"--no-gui", "--norc", "--silent", "--eval",
                                           "archivo = '" + mat + "';\n" + kLectorOctave});
    ASSERT_TRUE(o.salio && o.estado == 0) << Describir(o) << o.errores;
    auto oc = Respuesta(o.salida);
    // columns muestra, t, u, y, r against the trace's n, n x Ts, accion, nivel, referencia
    const std::pair<const char*, int> columnas[] = {{"muestra", 0}, {"t", -1}, {"u", 1}, {"y", 2}, {"r", 3}};
    for (std::size_t k = 0; k < 5; ++k) {
        const auto& [nombre, col] = columnas[k];
        EXPECT_TRUE(Exactos(py["h5_" + std::string(nombre)], t, col, DePython)) << "h5 " << nombre;
        EXPECT_TRUE(Exactos(oc["mat_" + std::string(nombre)], t, col, DeOctave)) << "mat " << nombre;
        EXPECT_TRUE(Exactos(py["csv_" + std::to_string(k)], t, col, DePython)) << "csv " << nombre;
    }
    EXPECT_EQ(py["csv_cabecera"],
              std::vector<std::string>{"muestra|tiempo_[s]|accion_[m^3/s]|nivel_[m]|referencia_[m]"});
    EXPECT_EQ(py["csv_ts"], std::vector<std::string>{"0.5"});
    EXPECT_EQ(py["h5_Ts"], std::vector<std::string>{"0x1.0000000000000p-1"});
    EXPECT_EQ(oc["mat_Ts"], std::vector<std::string>{"3fe0000000000000"});
    EXPECT_EQ(py["h5_lineas"], std::vector<std::string>{"400"});
    EXPECT_EQ(oc["mat_lineas"], std::vector<std::string>{"400"});
    // each description names its record's size and SHA-256, and its 400 lines
    for (const char* f : {"huella_txt", "huella_csv", "huella_h5", "huella_mat"})
        EXPECT_EQ(py[f], (std::vector<std::string>{"True", "True", "400"})) << f;
    // the CSV against the text record: within half a unit of its fourth decimal
    ASSERT_EQ(py["txt_u"].size(), t.size());
    for (std::size_t i = 0; i < t.size(); ++i) {
        EXPECT_EQ(DePython(py["txt_muestra"][i]), DePython(py["csv_0"][i])) << i;
        for (const auto& [tx, cs] : {std::pair{"txt_u", "csv_2"}, {"txt_y", "csv_3"}})
            EXPECT_LE(std::abs(DePython(py[tx][i]) - DePython(py[cs][i])), 0.5e-4 * (1 + 1e-9)) << tx << " " << i;
    }
}

TEST(FormatosLote, FormatoPorOpcionYTextoIgualAlDeSiempre) {
    CarpetaTemporal c;
    ASSERT_EQ(Lote({"--salida=" + c.Ruta("a.txt")}).estado, 0);
    ASSERT_EQ(Lote({"--salida=" + c.Ruta("b.txt"), "--formato=txt"}).estado, 0);
    ASSERT_EQ(Lote({"--salida=" + c.Ruta("a.red")}).estado, 0);
    EXPECT_EQ(LeerBytes(c.Ruta("a.txt")), LeerBytes(c.Ruta("b.txt")));
    EXPECT_EQ(LeerBytes(c.Ruta("a.txt")), LeerBytes(c.Ruta("a.red")));
    EXPECT_EQ(LeerBytes(c.Ruta("a.txt")).substr(0, 1), " ");  // today's fixed columns
    // --formato wins over the extension: a CSV named .dat, an HDF5 named .txt
    ASSERT_EQ(Lote({"--salida=" + c.Ruta("r.dat"), "--formato=csv"}).estado, 0);
    EXPECT_EQ(LeerBytes(c.Ruta("r.dat")).rfind("# tanque", 0), 0u);
    EXPECT_EQ(LeerBytes(c.Ruta("r.dat.json")).rfind("{", 0), 0u);
    ASSERT_EQ(Lote({"--salida=" + c.Ruta("h.txt"), "--formato=h5"}).estado, 0);
    EXPECT_EQ(LeerBytes(c.Ruta("h.txt")).substr(0, 8), std::string("\x89HDF\r\n\x1a\n", 8));
    ASSERT_EQ(Lote({"--salida=" + c.Ruta("m.MAT")}).estado, 0);
    EXPECT_EQ(LeerBytes(c.Ruta("m.MAT")).rfind("MATLAB 5.0 MAT-file", 0), 0u);
}

TEST(FormatosLote, OpcionMalaYDestinosQueNoSonArchivos) {
    const std::pair<std::vector<std::string>, const char*> malas[] = {
        {{"pid", "5", "--salida=r.x", "--formato=xls"}, "--formato debe ser txt, csv, mat o h5: 'xls'"},
        {{"pid", "5", "--formato=csv"}, "--formato elige el formato del registro de --salida: falta --salida"},
        {{"reproducir", "a.tanque", "--salida=r.csv", "--formato=csv"}, "reproducir elige el formato por la extensión"},
    };
    for (const auto& [argumentos, razon] : malas) {
        try {
            LeerOpciones(argumentos);
            ADD_FAILURE() << argumentos.back();
        } catch (const std::invalid_argument& e) {
            EXPECT_NE(std::string(e.what()).find(razon), std::string::npos) << e.what();
        }
    }
    // MAT and HDF5 seek in their file: a device is refused before the run, and nothing is written
    for (const char* f : {"mat", "h5"}) {
        const Ejecucion e = Lote({"--salida=/dev/null", std::string("--formato=") + f});
        EXPECT_EQ(e.estado, 1);
        EXPECT_NE(e.errores.find("necesita un archivo en el disco: «/dev/null» no lo es"), std::string::npos)
            << e.errores;
    }
    // CSV goes through to a device, as the text record does, without a description
    EXPECT_EQ(Lote({"--salida=/dev/null", "--formato=csv"}).estado, 0);
}

TEST(FormatosLote, UnRegistroQueFallaDejaElParComoEstaba) {
    CarpetaTemporal c;
    const std::string r = c.Ruta("r.h5");
    ASSERT_EQ(Lote({"--salida=" + r}).estado, 0);
    const std::string antes = LeerBytes(r), antesJson = LeerBytes(r + ".json");
    // the description's name is a folder: neither file changes
    std::filesystem::remove(r + ".json");
    std::filesystem::create_directory(r + ".json");
    const Ejecucion e = Lote({"--salida=" + r, "--Kp=5"});
    EXPECT_EQ(e.estado, 1);
    EXPECT_NE(e.errores.find("es una carpeta"), std::string::npos) << e.errores;
    EXPECT_EQ(LeerBytes(r), antes);
    EXPECT_TRUE(std::filesystem::is_directory(r + ".json"));
    EXPECT_FALSE(antesJson.empty());
    for (const auto& entrada : std::filesystem::directory_iterator(c.Ruta("")))
        EXPECT_TRUE(entrada.path().filename() == "r.h5" || entrada.path().filename() == "r.h5.json")
            << entrada.path();
}

namespace {

// Python's xml.etree on the SVG: its root, its texts, and its lines with their number of points.
constexpr const char* kLectorSvg = R"(
import sys, xml.etree.ElementTree as ET
raiz = ET.parse(sys.argv[1]).getroot()
ns = '{http://www.w3.org/2000/svg}'
print('raiz', raiz.tag == ns + 'svg', raiz.get('width'), raiz.get('height'))
print('textos', '|'.join(t.text.replace(' ', '_') for t in raiz.iter(ns + 'text')))
for p in raiz.iter(ns + 'polyline'):
    print('linea', p.find(ns + 'title').text.replace(' ', '_'), len(p.get('points').split()))
)";

}  // namespace

TEST(GraficoLote, UnSvgConTitulosLeyendaYUnaLineaPorSerie) {
    CarpetaTemporal c;
    for (const auto& [corrida, lineas] : {std::pair{"pid", 3u}, {"escalon", 2u}}) {
        const std::string svg = c.Ruta(std::string(corrida) + ".svg");
        const Ejecucion e = Ejecutar({corrida, "3000", "--grafico=" + svg});
        ASSERT_EQ(e.estado, 0) << e.errores;
        const Final p = Correr(TANQUE_PYTHON3, {"-c", kLectorSvg, svg});
        ASSERT_TRUE(p.salio && p.estado == 0) << Describir(p) << p.errores;
        auto r = Respuesta(p.salida);
        EXPECT_EQ(r["raiz"], (std::vector<std::string>{"True", "800", "450"}));
        ASSERT_EQ(r["textos"].size(), 1u);
        for (const char* t : {"|Muestra|", "|Nivel_(m)_y_acción_de_control_(m³/s)|", "|Nivel|", "|Acción_de_control|"})
            EXPECT_NE(("|" + r["textos"][0] + "|").find(t), std::string::npos) << t << " in " << r["textos"][0];
        EXPECT_EQ(r["linea"].size(), 2 * lineas) << corrida;  // a name and a count each
        // 3000 samples in columns of 3: four points a column
        for (std::size_t k = 1; k < r["linea"].size(); k += 2) EXPECT_EQ(r["linea"][k], "4000") << corrida;
    }
    EXPECT_THROW(LeerOpciones({"pid", "5", "--grafico=g.png"}), std::invalid_argument);
    EXPECT_THROW(LeerOpciones({"comparar", "5", "--grafico=g.svg"}), std::invalid_argument);
    EXPECT_THROW(LeerOpciones({"pid", "5", "--grafico=g.svg", "--salida=g.svg"}), std::invalid_argument);
}

TEST(GraficoLote, CadaColumnaGuardaElMenorYElMayorDeSusMuestras) {
    // against the trace: the lowest and highest level and action of each block of samples, looked for directly
    const Ejecucion e = Ejecutar({"fuzzy", "2500", "--traza", "--Track_Referencia@700=3", "--Track_Referencia@1500=8"});
    ASSERT_EQ(e.estado, 0) << e.errores;
    const std::vector<std::vector<double>> t = Traza(e.salida);
    GraficoLote g(2500);
    for (const auto& f : t) g.Anadir(static_cast<std::int32_t>(f[0]), f[1], f[2], f[3]);
    for (const auto& [linea, columna] : {std::pair{0, 2}, {1, 1}, {2, 3}}) {
        const auto& l = g.Linea(linea);
        ASSERT_EQ(l.size(), 834u);  // columns of 3 samples
        for (std::size_t k = 0; k < l.size(); ++k) {
            double menor = 1e300, mayor = -1e300;
            for (std::size_t i = 3 * k; i < std::min<std::size_t>(3 * k + 3, t.size()); ++i) {
                menor = std::min(menor, t[i][static_cast<std::size_t>(columna)]);
                mayor = std::max(mayor, t[i][static_cast<std::size_t>(columna)]);
            }
            EXPECT_EQ(l[k].menor, menor) << linea << " " << k;
            EXPECT_EQ(l[k].mayor, mayor) << linea << " " << k;
            EXPECT_EQ(l[k].n0, 3.0 * k);
        }
    }
}

// With the pump's limits and a disturbance on, CSV, MAT and HDF5 carry the demand q and the commanded inflow uc
// as columns: h5py reads uc bit for bit as the trace's last column, u never beyond the pump's 1.75, and q the
// step of 0.3 that the texts ask for from about sample 100 (the text record keeps its three columns).
TEST(FormatosLote, LaPerturbacionYLaAccionComandadaSonColumnas) {
    CarpetaTemporal c;
    const std::vector<std::string> lazo = {"--Track_Referencia=5", "--Caudal_Min=0", "--Caudal_Max=1.75",
                                           "--Perturbacion_Tipo=Escalón", "--Perturbacion_Maximo=0.3",
                                           "--Perturbacion_Inicio=100"};
    std::vector<std::string> a = lazo;
    a.push_back("--traza");
    const Ejecucion traza = Lote(a);
    ASSERT_EQ(traza.estado, 0) << traza.errores;
    std::vector<double> comandada;
    {
        std::istringstream s(traza.salida);
        std::string linea;
        std::getline(s, linea);
        ASSERT_NE(linea.find("accion_comandada"), std::string::npos) << linea;
        while (std::getline(s, linea)) comandada.push_back(std::strtod(linea.substr(linea.rfind(',') + 1).c_str(), nullptr));
    }
    const std::string h5 = c.Ruta("l.h5"), csv = c.Ruta("l.csv");
    for (const std::string& r : {h5, csv}) {
        a = lazo;
        a.push_back("--salida=" + r);
        const Ejecucion e = Lote(a);
        ASSERT_EQ(e.estado, 0) << r << ": " << e.errores;
    }
    const char* lector = R"(
import csv, sys, h5py
with h5py.File(sys.argv[1], 'r') as f:
    for n in ['u', 'q', 'uc']:
        print(n, *[float(v).hex() for v in f[n][:].tolist()])
with open(sys.argv[2], newline='') as f:
    filas = list(csv.reader(l for l in f if not l.startswith('#')))
print('cabecera', '|'.join(filas[0]).replace(' ', '_'))
)";
    const Final p = Correr(TANQUE_PYTHON3, {"-c", lector, h5, csv});
    ASSERT_TRUE(p.salio && p.estado == 0) << Describir(p) << p.errores;
    auto py = Respuesta(p.salida);
    EXPECT_EQ(py["cabecera"], std::vector<std::string>{"muestra|tiempo_[s]|accion_[m^3/s]|nivel_[m]|referencia_[m]|"
                                                       "perturbacion_[m^3/s]|accion_comandada_[m^3/s]"});
    ASSERT_EQ(py["uc"].size(), comandada.size());
    ASSERT_EQ(py["q"].size(), comandada.size());
    bool saturada = false;
    std::size_t primera = py["q"].size();
    for (std::size_t i = 0; i < comandada.size(); ++i) {
        EXPECT_EQ(Bits(DePython(py["uc"][i])), Bits(comandada[i])) << i;
        const double u = DePython(py["u"][i]), q = DePython(py["q"][i]);
        EXPECT_LE(u, 1.75) << i;
        saturada |= DePython(py["uc"][i]) > 1.75;
        EXPECT_TRUE(q == 0 || q == static_cast<double>(0.3f) || q == 0.3) << i << " " << q;
        if (q != 0 && primera == py["q"].size()) primera = i;
        if (primera < i) {
            EXPECT_NE(q, 0) << i;
        }
    }
    EXPECT_TRUE(saturada);  // the reference of 5 asks for more than the pump gives
    EXPECT_GE(primera, 98u);
    EXPECT_LE(primera, 101u);
}
