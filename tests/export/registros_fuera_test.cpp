// The records read by the programs people load them with: Octave's load for .mat, h5py for .h5 and Python's csv
// module for .csv (Debian's /usr/bin/python3). The binary formats and the CSV give back every value exactly;
// the CSV's values lie within half a unit of the text record's last printed digit (Python reads the text record
// too); the sample time, the units and the description come back as they went.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <sstream>

#include "tests/ayudas.h"
#include "tests/export/registros_comun.h"
#include "tests/export/utilidades.h"
#include "tests/tools/proceso.h"

namespace {

// Python's answer, one "key value value ..." line each; values as float.hex().
constexpr const char* kLectorPython = R"(
import csv, json, sys
import h5py
txt, csvf, h5 = sys.argv[1:4]
with open(txt) as f:
    filas = [l.split() for l in f if l.strip()]
for k, nombre in enumerate(['txt_muestra', 'txt_u', 'txt_y']):
    print(nombre, *[float(x[k]).hex() for x in filas])
with open(csvf, newline='') as f:
    lineas = [l for l in f if not l.startswith('#')]
filas = list(csv.reader(lineas))
print('csv_cabecera', '|'.join(filas[0]).replace(' ', '_'))
for k, nombre in enumerate(filas[0]):
    print('csv_%d' % k, *[float(x[k]).hex() for x in filas[1:]])
with h5py.File(h5, 'r') as f:
    for n in ['muestra', 't', 'u', 'y', 'r', 'd']:
        print('h5_' + n, *[float(v).hex() for v in f[n][:].tolist()])
        print('h5unidad_' + n, f[n].attrs['unidad'] or '-')
    print('h5_Ts', float(f['Ts'][()]).hex())
    d = json.loads(f['descripcion'][()].decode('utf-8'))
    print('h5_descripcion', d['corrida']['nombre'].replace(' ', '_'), d['registro']['lineas'])
)";

// Octave's answer, in the same form: num2hex gives the bits of each Double.
constexpr const char* kLectorOctave = R"(
x = load(archivo);
for n = {'muestra', 't', 'u', 'y', 'r', 'd'}
  h = cellstr(num2hex(x.(n{1})));
  printf('mat_%s %s\n', n{1}, strjoin(h', ' '));
  printf('matunidad_%s %s\n', n{1}, x.unidades.(n{1}));
end
printf('mat_Ts %s\n', num2hex(x.Ts));
printf('mat_descripcion %s %d\n', strrep(x.descripcion.corrida.nombre, ' ', '_'), x.descripcion.registro.lineas);
printf('mat_columnas %s\n', strjoin(x.descripcion.registro.columnas, '|'));
)";

// "key value ..." lines as a map of their words.
std::map<std::string, std::vector<std::string>> Respuesta(const std::string& salida) {
    std::map<std::string, std::vector<std::string>> m;
    std::istringstream s(salida);
    for (std::string linea; std::getline(s, linea);) {
        std::istringstream l(linea);
        std::string clave;
        l >> clave;
        auto& valores = m[clave];
        for (std::string v; l >> v;) valores.push_back(v);
    }
    return m;
}

double DeHexPython(const std::string& h) { return std::strtod(h.c_str(), nullptr); }

double DeHexOctave(const std::string& h) {
    const std::uint64_t bits = std::stoull(h, nullptr, 16);
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

// The value of column k (muestra, t, u, y, r, d) of sample m, as the writers were given it.
double Valor(const MuestraDePrueba& m, std::size_t k) {
    const double valores[] = {m.muestra, m.muestra * 0.5, m.accion, m.nivel, m.adicionales[0], m.adicionales[1]};
    return valores[k];
}

// Every value of `leidos` is, bit for bit, column k of the record.
::testing::AssertionResult Exactos(const std::vector<std::string>& leidos, const std::vector<MuestraDePrueba>& r,
                                   std::size_t k, double (*de_hex)(const std::string&)) {
    if (leidos.size() != r.size()) return ::testing::AssertionFailure() << leidos.size() << " values for " << r.size();
    for (std::size_t i = 0; i < r.size(); ++i)
        if (Bits(de_hex(leidos[i])) != Bits(Valor(r[i], k)))
            return ::testing::AssertionFailure() << "sample " << i << ": " << leidos[i] << " for " << Valor(r[i], k);
    return ::testing::AssertionSuccess();
}

constexpr const char* kColumnas[] = {"muestra", "t", "u", "y", "r", "d"};

}  // namespace

TEST(RegistrosFuera, Hdf5YCsvLeidosPorPython) {
    const std::vector<MuestraDePrueba> r = RegistroDePrueba(3000);
    CarpetaTemporal carpeta;
    const std::string txt = carpeta.Ruta("r.txt"), csv = carpeta.Ruta("r.csv"), h5 = carpeta.Ruta("r.h5");
    for (const auto& [formato, ruta] : {std::pair{FormatoRegistro::Texto, txt}, {FormatoRegistro::Csv, csv},
                                        {FormatoRegistro::Hdf5, h5}})
        EscribirRegistro(formato, ruta, r);
    const Final f = Correr(TANQUE_PYTHON3, {"-c", kLectorPython, txt, csv, h5});
    ASSERT_TRUE(f.salio && f.estado == 0) << Describir(f);
    auto p = Respuesta(f.salida);
    for (std::size_t k = 0; k < 6; ++k) {
        EXPECT_TRUE(Exactos(p["h5_" + std::string(kColumnas[k])], r, k, DeHexPython)) << "h5 " << kColumnas[k];
        EXPECT_TRUE(Exactos(p["csv_" + std::to_string(k)], r, k, DeHexPython)) << "csv " << kColumnas[k];
    }
    EXPECT_EQ(p["csv_cabecera"], std::vector<std::string>{
                                     "muestra|tiempo_[s]|accion_[m^3/s]|nivel_[m]|referencia_[m]|perturbacion_[m^3/s]"});
    EXPECT_EQ(p["h5_Ts"], std::vector<std::string>{"0x1.0000000000000p-1"});
    EXPECT_EQ(p["h5unidad_u"], std::vector<std::string>{"m^3/s"});
    EXPECT_EQ(p["h5unidad_muestra"], std::vector<std::string>{"-"});
    EXPECT_EQ(p["h5_descripcion"], (std::vector<std::string>{"Lazo_abierto_(Aplicar_Escalón)", "2"}));
    // the CSV against the text record: the same sample numbers, action and level within half a unit of the
    // text's fourth decimal
    ASSERT_EQ(p["txt_u"].size(), r.size());
    for (std::size_t i = 0; i < r.size(); ++i) {
        EXPECT_EQ(DeHexPython(p["txt_muestra"][i]), DeHexPython(p["csv_0"][i])) << i;
        for (const auto& [t, c] : {std::pair{"txt_u", "csv_2"}, {"txt_y", "csv_3"}}) {
            const double texto = DeHexPython(p[t][i]), valor = DeHexPython(p[c][i]);
            EXPECT_LE(std::abs(texto - valor), 0.5e-4 * (1 + 1e-9)) << t << " sample " << i;
        }
    }
}

TEST(RegistrosFuera, MatLeidoPorOctave) {
    const std::vector<MuestraDePrueba> r = RegistroDePrueba(3000);
    CarpetaTemporal carpeta;
    const std::string mat = carpeta.Ruta("r.mat");
    EscribirRegistro(FormatoRegistro::Mat, mat, r);
    const Final f = Correr(TANQUE_OCTAVE, {"--no-gui", "--norc", "--silent", "--eval",
                                           "archivo = '" + mat + "';\n" + kLectorOctave});
    ASSERT_TRUE(f.salio && f.estado == 0) << Describir(f);
    auto o = Respuesta(f.salida);
    for (std::size_t k = 0; k < 6; ++k)
        EXPECT_TRUE(Exactos(o["mat_" + std::string(kColumnas[k])], r, k, DeHexOctave)) << "mat " << kColumnas[k];
    EXPECT_EQ(o["mat_Ts"], std::vector<std::string>{"3fe0000000000000"});
    EXPECT_EQ(o["matunidad_y"], std::vector<std::string>{"m"});
    EXPECT_EQ(o["matunidad_d"], std::vector<std::string>{"m^3/s"});
    EXPECT_EQ(o["mat_descripcion"], (std::vector<std::string>{"Lazo_abierto_(Aplicar_Escalón)", "2"}));
    EXPECT_EQ(o["mat_columnas"], std::vector<std::string>{"muestra|accion|nivel"});
}
