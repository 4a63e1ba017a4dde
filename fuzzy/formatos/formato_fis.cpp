// The .fis files of the fuzzy toolkits of MATLAB and Octave: a Sugeno system with constant outputs.

#include <array>
#include <cmath>
#include <map>
#include <optional>

#include "base/errores.h"
#include "fuzzy/formatos/formatos_internos.h"
#include "fuzzy/formatos/importacion.h"
#include "fuzzy/reglas.h"

namespace {

// The flat side of a shoulder, and the constant one, reach these: the toolkits refuse infinite corners.
constexpr const char* kLejos = "1e308";
constexpr const char* kCerca = "5e307";
constexpr double kCercaDoble = 5e307;
// A corner at or beyond this counts as the end of the line when a file is read.
constexpr double kInfinito = 1e300;

unsigned PortadosFis(std::size_t g, const ConjuntoFuzzy& c) {
    if (g == 2) return kPortaCentro;
    return c.tipo == 3 ? kPortaTipo : kPortaTodo;
}

std::string Vector(std::initializer_list<std::string> valores) {
    std::string v = "[";
    for (const std::string& x : valores) v += (v.size() > 1 ? " " : "") + x;
    return v + "]";
}

// The membership function of input set k of group g, as it follows "MFk=".
std::string FuncionEntrada(std::size_t g, std::size_t k, const ConjuntoFuzzy& c) {
    const std::string centro = TextoDecimal(c.centro);
    const std::string antes = TextoDecimal(Restar(c.centro, c.ancho));
    const std::string despues = TextoDecimal(Sumar(c.centro, c.ancho));
    const double x = ADoble(c.centro);
    const bool cabe = std::fabs(x) <= kCercaDoble && std::fabs(ADoble(Restar(c.centro, c.ancho))) <= kCercaDoble &&
                      std::fabs(ADoble(Sumar(c.centro, c.ancho))) <= kCercaDoble;
    if (c.tipo != 3 && !cabe)
        throw ErrorTanque(std::string("El conjunto ") + kEtiquetas[k] + " de " + kGruposFuzzy[g].panel +
                          " tiene una esquina más allá de ±5e307, donde .fis pone el lado plano de un hombro");
    const std::string n = "'" + std::string(kEtiquetas[k]) + "':";
    switch (c.tipo) {
        case 0:
            // the toolkits want three different Doubles
            if (!(ADoble(Restar(c.centro, c.ancho)) < x && x < ADoble(Sumar(c.centro, c.ancho))))
                throw ErrorTanque(std::string("El conjunto ") + kEtiquetas[k] + " de " + kGruposFuzzy[g].panel +
                                  " es demasiado estrecho para su centro: sus esquinas no son tres números "
                                  "distintos de doble precisión");
            return n + "'trimf'," + Vector({antes, centro, despues});
        case 1: return n + "'trapmf'," + Vector({std::string("-") + kLejos, std::string("-") + kCerca, centro, despues});
        case 2: return n + "'trapmf'," + Vector({antes, centro, kCerca, kLejos});
        default: return n + "'trapmf'," + Vector({std::string("-") + kLejos, std::string("-") + kCerca, kCerca, kLejos});
    }
}

std::string Rango(const ControladorFuzzy& c, std::size_t g) {
    const auto r = RangoGrupo(c, g);
    return Vector({TextoDoble(r[0]), TextoDoble(r[1])});
}

}  // namespace

std::string EscribirFis(const ControladorFuzzy& c) {
    std::string t;
    for (const std::string& l : LineasDeCabecera(c, PortadosFis)) t += "% " + l + "\n";
    t += std::string("[System]\nName='") + kNombreSistema +
         "'\nType='sugeno'\nVersion=2.0\nNumInputs=2\nNumOutputs=1\nNumRules=25\n"
         "AndMethod='min'\nOrMethod='max'\nImpMethod='prod'\nAggMethod='sum'\nDefuzzMethod='wtaver'\n";
    for (std::size_t g = 0; g < 3; ++g) {
        t += g < 2 ? "\n[Input" + std::to_string(g + 1) + "]\n" : std::string("\n[Output1]\n");
        t += std::string("Name='") + kVariablesArchivo[g] + "'\nRange=" + Rango(c, g) + "\nNumMFs=5\n";
        for (std::size_t k = 0; k < 5; ++k) {
            t += "MF" + std::to_string(k + 1) + "=";
            if (g < 2)
                t += FuncionEntrada(g, k, c.conjuntos[g][k]);
            else
                t += "'" + std::string(kEtiquetas[k]) + "':'constant'," + Vector({TextoDecimal(c.conjuntos[g][k].centro)});
            t += "\n";
        }
    }
    t += "\n[Rules]\n";
    for (std::size_t i = 0; i < 5; ++i)
        for (std::size_t j = 0; j < 5; ++j)
            t += std::to_string(i + 1) + " " + std::to_string(j + 1) + ", " + std::to_string(c.reglas[i][j] + 1) +
                 " (1) : 1\n";
    return t;
}

namespace {

// One section's lines "KEY=VALUE" by key, each with its line; the membership functions by their number.
struct Seccion {
    std::size_t linea = 0;
    std::map<std::string, std::pair<std::string, std::size_t>> claves;
    std::map<std::int64_t, std::pair<std::string, std::size_t>> funciones;
};

class LectorFis {
public:
    LectorFis(std::string_view contenido, const std::string& archivo) : imp_(archivo) { Leer(contenido); }

    ControladorFuzzy Controlador() {
        Sistema();
        for (std::size_t g = 0; g < 3; ++g) Variable(g);
        Necesaria("Rules");
        return imp_.Terminar();
    }

private:
    void Leer(std::string_view contenido) {
        Seccion* actual = nullptr;
        PorLineas(contenido, [&](std::string_view texto, std::size_t linea) {
            texto = Recortado(texto);
            if (texto.empty()) return;
            if (texto[0] == '%' || texto[0] == '#') return imp_.Comentario(texto.substr(1), linea);
            if (texto.front() == '[' && texto.back() == ']') {
                const std::string nombre(Recortado(texto.substr(1, texto.size() - 2)));
                if (secciones_.count(nombre)) imp_.Fallar(linea, "la sección [" + nombre + "] está dos veces");
                actual = &secciones_[nombre];
                actual->linea = linea;
                return;
            }
            if (!actual) imp_.Fallar(linea, "una línea antes de [System]: este no es un archivo .fis");
            if (actual == Buscar("Rules")) return Regla(texto, linea);
            const auto igual = texto.find('=');
            if (igual == std::string_view::npos) imp_.Fallar(linea, "se esperaba CLAVE=VALOR");
            const std::string clave(Recortado(texto.substr(0, igual)));
            const std::string valor(Recortado(texto.substr(igual + 1)));
            if (clave.size() > 2 && clave.compare(0, 2, "MF") == 0) {
                const std::int64_t n = imp_.Entero(clave.substr(2), linea, "el número de " + clave);
                if (!actual->funciones.emplace(n, std::pair{valor, linea}).second)
                    imp_.Fallar(linea, clave + " está dos veces");
                return;
            }
            if (!actual->claves.emplace(clave, std::pair{valor, linea}).second) imp_.Fallar(linea, clave + " está dos veces");
        });
    }

    Seccion* Buscar(const std::string& nombre) {
        const auto i = secciones_.find(nombre);
        return i == secciones_.end() ? nullptr : &i->second;
    }

    Seccion& Necesaria(const std::string& nombre) {
        Seccion* s = Buscar(nombre);
        if (!s) imp_.Fallar(0, "falta la sección [" + nombre + "]");
        return *s;
    }

    // The value of a key that must be there: quotes taken off a text.
    std::pair<std::string, std::size_t> Clave(const Seccion& s, const std::string& nombre, const std::string& seccion) {
        const auto i = s.claves.find(nombre);
        if (i == s.claves.end()) imp_.Fallar(s.linea, "falta " + nombre + " en [" + seccion + "]");
        std::string v = i->second.first;
        if (v.size() >= 2 && v.front() == '\'' && v.back() == '\'') v = v.substr(1, v.size() - 2);
        return {v, i->second.second};
    }

    void Exigir(const Seccion& s, const std::string& seccion, const std::string& clave, const std::string& valor,
                const std::string& porque) {
        const auto [v, linea] = Clave(s, clave, seccion);
        if (Minusculas(v) != valor) imp_.Fallar(linea, clave + " es '" + v + "'; " + porque);
    }

    void Sistema() {
        const Seccion& s = Necesaria("System");
        Exigir(s, "System", "Type", "sugeno", "este controlador es de tipo Sugeno, con salidas constantes");
        Exigir(s, "System", "NumInputs", "2", "este controlador tiene 2 entradas (error y derivada)");
        Exigir(s, "System", "NumOutputs", "1", "este controlador tiene 1 salida");
        Exigir(s, "System", "NumRules", "25", "este controlador tiene 25 reglas");
        Exigir(s, "System", "AndMethod", "min", "la fuerza de una regla es el mínimo de sus dos grados");
        Exigir(s, "System", "AggMethod", "sum", "cada regla cuenta por sí misma en la media");
        Exigir(s, "System", "DefuzzMethod", "wtaver", "la salida es la media de los centros pesada por las fuerzas");
    }

    void Variable(std::size_t g) {
        const std::string nombre = g < 2 ? "Input" + std::to_string(g + 1) : std::string("Output1");
        const Seccion& s = Necesaria(nombre);
        Exigir(s, nombre, "NumMFs", "5", std::string("la variable ") + kGruposFuzzy[g].panel + " tiene 5 conjuntos");
        for (std::size_t k = 0; k < 5; ++k) {
            const auto f = s.funciones.find(static_cast<std::int64_t>(k + 1));
            if (f == s.funciones.end()) imp_.Fallar(s.linea, "falta MF" + std::to_string(k + 1) + " en [" + nombre + "]");
            Funcion(g, k, f->second.first, f->second.second);
        }
        if (s.funciones.size() > 5) imp_.Fallar(s.linea, "[" + nombre + "] tiene más de 5 conjuntos");
    }

    // 'name':'type',[p1 p2 ...]
    void Funcion(std::size_t g, std::size_t k, const std::string& valor, std::size_t linea) {
        const auto abre = valor.find('['), cierra = valor.rfind(']');
        const auto dos_puntos = valor.find("':'");
        if (abre == std::string::npos || cierra == std::string::npos || cierra < abre || dos_puntos == std::string::npos)
            imp_.Fallar(linea, "se esperaba 'nombre':'tipo',[parámetros]");
        std::string tipo = valor.substr(dos_puntos + 3, valor.find('\'', dos_puntos + 3) - dos_puntos - 3);
        std::vector<Decimal> p;
        for (const std::string_view x : Palabras(std::string_view(valor).substr(abre + 1, cierra - abre - 1)))
            p.push_back(imp_.Numero(x, linea, "el parámetro"));
        const std::string que = "el conjunto " + std::to_string(k + 1) + " de " + kGruposFuzzy[g].panel;
        const auto cuantos = [&](std::size_t n) {
            if (p.size() != n)
                imp_.Fallar(linea, que + " ('" + tipo + "') tiene " + std::to_string(p.size()) + " parámetros y debe tener " +
                                       std::to_string(n));
        };
        if (g == 2) {
            if (tipo != "constant")
                imp_.Fallar(linea, que + " es '" + tipo + "'; las salidas de este controlador son 'constant'");
            cuantos(1);
            return imp_.Conjunto(g, k, {3, {}, p[0]}, kPortaCentro, linea);
        }
        if (tipo == "trimf") {
            cuantos(3);
            return imp_.Conjunto(g, k, {0, imp_.AnchoTriangulo(p[0], p[1], p[2], linea, que), p[1]}, kPortaTodo, linea);
        }
        if (tipo != "trapmf")
            imp_.Fallar(linea, que + " es '" + tipo + "'; este controlador tiene 'trimf' y 'trapmf' con un lado hasta ±1e308");
        cuantos(4);
        const bool desde = ADoble(p[0]) <= -kInfinito && ADoble(p[1]) <= -kInfinito;
        const bool hasta = ADoble(p[2]) >= kInfinito && ADoble(p[3]) >= kInfinito;
        if (desde && hasta) return imp_.Conjunto(g, k, {3, {}, {}}, kPortaTipo, linea);
        if (desde) return imp_.Conjunto(g, k, {1, Restar(p[3], p[2]), p[2]}, kPortaTodo, linea);
        if (hasta) return imp_.Conjunto(g, k, {2, Restar(p[1], p[0]), p[1]}, kPortaTodo, linea);
        imp_.Fallar(linea, que + " es un trapecio de cuatro esquinas finitas; este controlador solo tiene triángulos, "
                                 "hombros (un lado hasta ±1e308) y el conjunto constante");
    }

    // "i j, u (peso) : conexion"
    void Regla(std::string_view texto, std::size_t linea) {
        const auto coma = texto.find(','), abre = texto.find('('), cierra = texto.find(')'), dos = texto.find(':');
        if (coma == std::string_view::npos || abre == std::string_view::npos || cierra == std::string_view::npos ||
            dos == std::string_view::npos || !(coma < abre && abre < cierra && cierra < dos))
            imp_.Fallar(linea, "se esperaba una regla «e de, u (peso) : conexión»");
        const auto antecedente = Palabras(texto.substr(0, coma));
        const auto consecuente = Palabras(texto.substr(coma + 1, abre - coma - 1));
        if (antecedente.size() != 2 || consecuente.size() != 1)
            imp_.Fallar(linea, "una regla de este controlador nombra 2 conjuntos de entrada y 1 de salida");
        std::array<std::int64_t, 3> n{};
        for (std::size_t v = 0; v < 3; ++v) {
            const std::string_view x = v < 2 ? antecedente[v] : consecuente[0];
            n[v] = imp_.Entero(x, linea, std::string("el conjunto de ") + kGruposFuzzy[v].panel);
            if (n[v] < 1 || n[v] > 5)
                imp_.Fallar(linea, std::string("el conjunto de ") + kGruposFuzzy[v].panel + " es " + std::string(x) +
                                       "; debe ser uno de los 5 (1 a 5), sin negación");
        }
        const Decimal peso = imp_.Numero(Recortado(texto.substr(abre + 1, cierra - abre - 1)), linea, "el peso");
        if (!(peso == *LeerDecimal("1", '.'))) imp_.Fallar(linea, "el peso es " + TextoDecimal(peso) + "; en este controlador todas pesan 1");
        if (imp_.Entero(Recortado(texto.substr(dos + 1)), linea, "la conexión") != 1)
            imp_.Fallar(linea, "la conexión no es 1 (AND): este controlador une sus dos entradas con el mínimo");
        imp_.Regla(static_cast<std::size_t>(n[0] - 1), static_cast<std::size_t>(n[1] - 1), static_cast<std::int32_t>(n[2] - 1),
                   linea);
    }

    Importacion imp_;
    std::map<std::string, Seccion> secciones_;
};

}  // namespace

ControladorFuzzy LeerFis(std::string_view contenido, const std::string& archivo) {
    return LectorFis(contenido, archivo).Controlador();
}
