#include "tools/opciones_sintonia.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

#include "tools/opciones_lote.h"

namespace {

[[noreturn]] void Mal(const std::string& razon) { throw std::invalid_argument(razon); }

bool EsAyuda(const std::string& a) { return a == "--help" || a == "-h" || a == "--ayuda"; }

std::optional<std::string> Valor(const std::string& a, const char* prefijo) {
    const std::string p = prefijo;
    if (a.rfind(p, 0) != 0) return std::nullopt;
    return a.substr(p.size());
}

// A finite number written with '.', the whole text; `positivo` refuses 0 as well as the negatives.
double Numero(const std::string& texto, const std::string& que, bool positivo) {
    char* fin = nullptr;
    errno = 0;
    const double v = std::strtod(texto.c_str(), &fin);
    if (texto.empty() || *fin != '\0' || errno == ERANGE || !std::isfinite(v))
        Mal(que + " debe ser un número (con '.' decimal): '" + texto + "'");
    if (positivo ? !(v > 0) : v < 0) Mal(que + (positivo ? " debe ser mayor que cero: '" : " no puede ser negativo: '") + texto + "'");
    return v;
}

std::int32_t Milisegundos(const std::string& texto) {
    if (texto.empty() || texto.size() > 9 || texto.find_first_not_of("0123456789") != std::string::npos ||
        std::stol(texto) == 0)
        Mal("--T_Sample debe ser un número entero de milisegundos mayor que cero: '" + texto + "'");
    return static_cast<std::int32_t>(std::stol(texto));
}

// --NOMBRE=TEXTO: a text of the plant dialog (the others do not change the plant).
bool TextoDePlanta(const std::string& a, OpcionesLote& o, const char* orden) {
    if (a.rfind("--", 0) != 0) return false;
    const auto igual = a.find('=');
    if (igual == std::string::npos) return false;
    const std::string nombre = a.substr(2, igual - 2);
    if (nombre != "Resistencia" && nombre != "Area" && nombre != "HMax" && nombre != "T_Sample") {
        if (NombreValido(nombre))
            Mal(std::string(orden) + " solo lee los textos de la planta (Resistencia, Area, HMax, T_Sample): --" + nombre);
        return false;
    }
    o.textos.emplace_back(nombre, a.substr(igual + 1));
    return true;
}

}  // namespace

// sintonizar ARCHIVO|--verdad [--regla=R] [--tc=S|--lambda=S] [--pid] [--retardo=0|1] [--T_Sample=MS]
//            [--NOMBRE=TEXTO]... [--json]
OpcionesLote LeerSintonizar(const std::vector<std::string>& argumentos) {
    OpcionesLote o;
    o.orden = OrdenLote::Sintonizar;
    OpcionesSintonizar& s = o.sintonizar;
    std::vector<std::string> posicionales;
    std::optional<std::string> perilla;  // the option that gave it, checked against the rule at the end
    for (const std::string& a : argumentos) {
        if (EsAyuda(a)) {
            o.ayuda = true;
        } else if (a == "--json") {
            o.json = true;
        } else if (a == "--verdad") {
            s.verdad = true;
        } else if (a == "--pid") {
            s.accion = Accion::PID;
        } else if (const auto r = Valor(a, "--regla=")) {
            const std::optional<Regla> regla = ReglaDeNombre(*r);
            if (!regla) Mal("--regla debe ser simc, imc, amigo o zn: '" + *r + "'");
            s.regla = *regla;
        } else if (const auto tc = Valor(a, "--tc=")) {
            s.perilla = Numero(*tc, "--tc", false);
            perilla = "tc";
        } else if (const auto l = Valor(a, "--lambda=")) {
            s.perilla = Numero(*l, "--lambda", false);
            perilla = "lambda";
        } else if (const auto d = Valor(a, "--retardo=")) {
            if (*d != "0" && *d != "1") Mal("--retardo debe ser 0 (lazo abierto) o 1 (lazo cerrado): '" + *d + "'");
            s.retardo = *d == "1" ? 1 : 0;
        } else if (const auto t = Valor(a, "--T_Sample=")) {
            s.tSample = Milisegundos(*t);
            o.textos.emplace_back("T_Sample", *t);  // with --verdad, the plant's text
        } else if (TextoDePlanta(a, o, "sintonizar")) {
        } else if (a.rfind("-", 0) == 0) {
            Mal("opción desconocida para sintonizar: " + a);
        } else {
            posicionales.push_back(a);
        }
    }
    if (o.ayuda) return o;
    if (s.verdad ? posicionales.size() != 1 : posicionales.size() != 2)
        Mal("sintonizar espera un archivo de registro o --verdad (uno de los dos): tanque-lote sintonizar ARCHIVO");
    if (!s.verdad) s.archivo = posicionales[1];
    if (s.verdad && s.retardo) Mal("--retardo es el de un registro: no vale con --verdad");
    for (const auto& [nombre, texto] : o.textos)
        if (!s.verdad && nombre != "T_Sample")
            Mal("--" + nombre + " es un texto de la planta: vale con --verdad (un registro trae su planta)");
    if (perilla) {
        const char* propia = NombrePerilla(s.regla);
        if (!propia) Mal("la regla " + std::string(NombreRegla(s.regla)) + " no tiene perilla: quite --" + *perilla);
        if (*perilla != propia)
            Mal("la perilla de " + std::string(NombreRegla(s.regla)) + " es --" + propia + ", no --" + *perilla);
    }
    return o;
}

// rele MUESTRAS [--nivel=N] [--amplitud=Q] [--histeresis=H] [--NOMBRE=TEXTO]... [--json]
OpcionesLote LeerRele(const std::vector<std::string>& argumentos) {
    OpcionesLote o;
    o.orden = OrdenLote::Rele;
    OpcionesReleLote& r = o.rele;
    std::vector<std::string> posicionales;
    for (const std::string& a : argumentos) {
        if (EsAyuda(a)) {
            o.ayuda = true;
        } else if (a == "--json") {
            o.json = true;
        } else if (const auto n = Valor(a, "--nivel=")) {
            r.nivel = Numero(*n, "--nivel", true);
        } else if (const auto q = Valor(a, "--amplitud=")) {
            r.amplitud = Numero(*q, "--amplitud", true);
        } else if (const auto h = Valor(a, "--histeresis=")) {
            r.histeresis = Numero(*h, "--histeresis", false);
        } else if (TextoDePlanta(a, o, "rele")) {
        } else if (a.rfind("-", 0) == 0) {
            Mal("opción desconocida para rele: " + a);
        } else {
            posicionales.push_back(a);
        }
    }
    if (o.ayuda) return o;
    if (posicionales.size() != 2) Mal("rele espera un número de muestras: tanque-lote rele MUESTRAS");
    const std::string& m = posicionales[1];
    // the experiment keeps its record in memory to read it: ten million samples, 160 MB, at most
    if (m.empty() || m.size() > 8 || m.find_first_not_of("0123456789") != std::string::npos ||
        std::stol(m) > kMaximoMuestrasRele)
        Mal("MUESTRAS debe ser un número entero de 0 a " + std::to_string(kMaximoMuestrasRele) + ": '" + m + "'");
    o.muestras = static_cast<std::int32_t>(std::stol(m));
    return o;
}
