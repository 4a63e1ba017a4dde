// IEC 61131-7's Fuzzy Control Language (.fcl): sets as points, outputs as singletons, COGS over the
// normalised sum of the rules.

#include <array>
#include <cctype>
#include <optional>

#include "fuzzy/formatos/formatos_internos.h"
#include "fuzzy/formatos/importacion.h"
#include "fuzzy/reglas.h"

namespace {

unsigned PortadosFcl(std::size_t g, const ConjuntoFuzzy& c) {
    if (g == 2) return kPortaCentro;
    return c.tipo == 3 ? kPortaTipo | kPortaCentro : kPortaTodo;
}

std::string Punto(const Decimal& x, int grado) { return "(" + TextoDecimal(x) + ", " + std::to_string(grado) + ")"; }

std::string Puntos(const ConjuntoFuzzy& c) {
    const Decimal antes = Restar(c.centro, c.ancho), despues = Sumar(c.centro, c.ancho);
    switch (c.tipo) {
        case 0: return Punto(antes, 0) + " " + Punto(c.centro, 1) + " " + Punto(despues, 0);
        case 1: return Punto(c.centro, 1) + " " + Punto(despues, 0);
        case 2: return Punto(antes, 0) + " " + Punto(c.centro, 1);
        default: return Punto(c.centro, 1);  // one point: its degree everywhere
    }
}

}  // namespace

std::string EscribirFcl(const ControladorFuzzy& c) {
    std::string t;
    for (const std::string& l : LineasDeCabecera(c, PortadosFcl)) t += "(* " + l + " *)\n";
    t += std::string("FUNCTION_BLOCK ") + kNombreSistema + "\n\nVAR_INPUT\n    " + kVariablesArchivo[0] +
         " : REAL;\n    " + kVariablesArchivo[1] + " : REAL;\nEND_VAR\n\nVAR_OUTPUT\n    " + kVariablesArchivo[2] +
         " : REAL;\nEND_VAR\n";
    for (std::size_t g = 0; g < 2; ++g) {
        t += std::string("\nFUZZIFY ") + kVariablesArchivo[g] + "\n";
        for (std::size_t k = 0; k < 5; ++k)
            t += std::string("    TERM ") + kEtiquetas[k] + " := " + Puntos(c.conjuntos[g][k]) + ";\n";
        t += "END_FUZZIFY\n";
    }
    const auto r = RangoGrupo(c, 2);
    t += std::string("\nDEFUZZIFY ") + kVariablesArchivo[2] + "\n";
    for (std::size_t k = 0; k < 5; ++k)
        t += std::string("    TERM ") + kEtiquetas[k] + " := " + TextoDecimal(c.conjuntos[2][k].centro) + ";\n";
    t += "    METHOD : COGS;\n    DEFAULT := NC;\n    RANGE := (" + TextoDoble(r[0]) + " .. " + TextoDoble(r[1]) +
         ");\nEND_DEFUZZIFY\n\nRULEBLOCK reglas\n    AND : MIN;\n    ACT : MIN;\n    ACCU : NSUM;\n";
    int n = 0;
    for (std::size_t i = 0; i < 5; ++i)
        for (std::size_t j = 0; j < 5; ++j)
            t += "    RULE " + std::to_string(++n) + " : IF " + kVariablesArchivo[0] + " IS " + kEtiquetas[i] + " AND " +
                 kVariablesArchivo[1] + " IS " + kEtiquetas[j] + " THEN " + kVariablesArchivo[2] + " IS " +
                 kEtiquetas[c.reglas[i][j]] + ";\n";
    t += "END_RULEBLOCK\n\nEND_FUNCTION_BLOCK\n";
    return t;
}

namespace {

struct Ficha {
    std::string texto;  // a word as written, a number, or a sign: := : ; ( ) , ..
    std::size_t linea;
};

// The words, numbers and signs of a text; comments (* ... *) and // ... go to the notes.
std::vector<Ficha> Fichas(std::string_view t, Importacion& imp) {
    std::vector<Ficha> fichas;
    std::size_t linea = 1;
    const auto palabra = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.'; };
    for (std::size_t i = 0; i < t.size();) {
        const char c = t[i];
        if (c == '\n') ++linea;
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
        } else if (t.compare(i, 2, "(*") == 0) {
            const std::size_t fin = t.find("*)", i + 2);
            if (fin == std::string_view::npos) imp.Fallar(linea, "un comentario «(*» que no se cierra");
            const std::string_view dentro = t.substr(i + 2, fin - i - 2);
            imp.Comentario(dentro, linea);
            for (char d : dentro) linea += d == '\n';
            i = fin + 2;
        } else if (t.compare(i, 2, "//") == 0) {
            const std::size_t fin = std::min(t.find('\n', i), t.size());
            imp.Comentario(t.substr(i + 2, fin - i - 2), linea);
            i = fin;
        } else if (t.compare(i, 2, ":=") == 0 || t.compare(i, 2, "..") == 0) {
            fichas.push_back({std::string(t.substr(i, 2)), linea});
            i += 2;
        } else if (c == ':' || c == ';' || c == '(' || c == ')' || c == ',') {
            fichas.push_back({std::string(1, c), linea});
            ++i;
        } else if (palabra(c) || c == '-' || c == '+') {
            std::size_t fin = i + 1;
            // a number's exponent may have a sign; ".." ends a number ("(0 .. 1)" and "(0..1)")
            while (fin < t.size() && (palabra(t[fin]) || ((t[fin] == '-' || t[fin] == '+') && (t[fin - 1] == 'e' || t[fin - 1] == 'E'))) &&
                   t.compare(fin, 2, "..") != 0)
                ++fin;
            fichas.push_back({std::string(t.substr(i, fin - i)), linea});
            i = fin;
        } else {
            imp.Fallar(linea, std::string("el signo «") + c + "» no es de FCL");
        }
    }
    return fichas;
}

class LectorFcl {
public:
    LectorFcl(std::string_view contenido, const std::string& archivo) : imp_(archivo), f_(Fichas(contenido, imp_)) {}

    ControladorFuzzy Leer() {
        Palabra("FUNCTION_BLOCK");
        if (i_ < f_.size() && !EsClave("VAR_INPUT") && !EsClave("VAR_OUTPUT")) ++i_;  // the block's name
        while (i_ < f_.size() && !EsClave("END_FUNCTION_BLOCK")) Bloque();
        Palabra("END_FUNCTION_BLOCK");
        if (i_ != f_.size()) imp_.Fallar(f_[i_].linea, "hay texto después de END_FUNCTION_BLOCK");
        for (std::size_t g = 0; g < 3; ++g)
            if (!leidas_[g]) imp_.Fallar(0, std::string("falta el bloque de ") + kGruposFuzzy[g].panel);
        if (!accu_) imp_.Fallar(0, "falta ACCU : NSUM: este controlador suma las reglas que nombran un mismo conjunto");
        if (!metodo_) imp_.Fallar(0, "falta METHOD : COGS en DEFUZZIFY");
        return imp_.Terminar();
    }

private:
    std::size_t Linea() const { return i_ < f_.size() ? f_[i_].linea : (f_.empty() ? 0 : f_.back().linea); }
    bool EsClave(const char* clave) const { return i_ < f_.size() && Minusculas(f_[i_].texto) == Minusculas(clave); }
    std::string Siguiente(const std::string& que) {
        if (i_ == f_.size()) imp_.Fallar(Linea(), "el archivo termina donde se esperaba " + que);
        return f_[i_++].texto;
    }
    void Palabra(const char* clave) {
        if (!EsClave(clave)) imp_.Fallar(Linea(), std::string("se esperaba ") + clave);
        ++i_;
    }
    // KEY : VALUE ;  (or :=) and the value, in lower case
    std::string Valor(const char* signo) {
        Palabra(signo);
        std::string v = Minusculas(Siguiente("un valor"));
        Palabra(";");
        return v;
    }

    void Bloque() {
        const std::size_t linea = Linea();
        const std::string clave = Minusculas(Siguiente("un bloque"));
        if (clave == "var_input" || clave == "var_output") return Declaraciones(clave == "var_output");
        if (clave == "fuzzify" || clave == "defuzzify") return Variable(clave == "defuzzify", linea);
        if (clave == "ruleblock") return BloqueReglas();
        imp_.Fallar(linea, "«" + clave + "» no es un bloque de FCL que lea este controlador");
    }

    void Declaraciones(bool salida) {
        while (!EsClave("END_VAR")) {
            const std::string nombre = Siguiente("END_VAR");
            Palabra(":");
            Siguiente("el tipo");
            Palabra(";");
            auto& lista = salida ? salidas_ : entradas_;
            lista.push_back(nombre);
            if (lista.size() > (salida ? 1u : 2u))
                imp_.Fallar(Linea(), salida ? "este controlador tiene 1 salida" : "este controlador tiene 2 entradas");
        }
        ++i_;
    }

    std::size_t Grupo(const std::string& nombre, bool salida, std::size_t linea) {
        if (salida && !salidas_.empty() && salidas_[0] == nombre) return 2;
        for (std::size_t g = 0; !salida && g < entradas_.size(); ++g)
            if (entradas_[g] == nombre) return g;
        imp_.Fallar(linea, "«" + nombre + "» no está declarada como " + (salida ? "VAR_OUTPUT" : "VAR_INPUT"));
    }

    void Variable(bool salida, std::size_t linea) {
        const std::size_t g = Grupo(Siguiente("el nombre de la variable"), salida, linea);
        if (leidas_[g]) imp_.Fallar(linea, "la variable está dos veces");
        leidas_[g] = true;
        auto& terminos = terminos_[g];
        while (!EsClave(salida ? "END_DEFUZZIFY" : "END_FUZZIFY")) {
            const std::size_t l = Linea();
            const std::string clave = Minusculas(Siguiente(salida ? "END_DEFUZZIFY" : "END_FUZZIFY"));
            if (clave == "term") {
                if (terminos.size() == 5) imp_.Fallar(l, "más de 5 términos: este controlador tiene 5 por variable");
                terminos.push_back(Siguiente("el nombre del término"));
                Palabra(":=");
                salida ? Singleton(terminos.size() - 1, l) : Puntos(g, terminos.size() - 1, l);
                Palabra(";");
            } else if (clave == "range") {
                while (Siguiente("el rango") != ";") {}
            } else if (salida && clave == "method") {
                const std::string m = Valor(":");
                if (m != "cogs") imp_.Fallar(l, "METHOD : " + m + "; este controlador da el centro de sus singletons (COGS)");
                metodo_ = true;
            } else if (salida && clave == "default") {
                Valor(":=");
            } else if (salida && clave == "accu") {
                Accu(l);
            } else {
                imp_.Fallar(l, "«" + clave + "» no es parte de un bloque de variable");
            }
        }
        ++i_;
        if (terminos.size() != 5)
            imp_.Fallar(linea, "la variable tiene " + std::to_string(terminos.size()) + " términos; este controlador tiene 5");
    }

    void Singleton(std::size_t k, std::size_t linea) {
        const Decimal x = imp_.Numero(Siguiente("un número"), linea, "el singleton");
        imp_.Conjunto(2, k, {3, {}, x}, kPortaCentro, linea);
    }

    void Puntos(std::size_t g, std::size_t k, std::size_t linea) {
        std::vector<std::pair<Decimal, Decimal>> p;
        while (EsClave("(")) {
            ++i_;
            const Decimal x = imp_.Numero(Siguiente("un número"), linea, "la x de un punto");
            Palabra(",");
            const Decimal y = imp_.Numero(Siguiente("un número"), linea, "el grado de un punto");
            Palabra(")");
            p.emplace_back(x, y);
        }
        const Decimal cero, uno = *LeerDecimal("1", '.');
        const auto grados = [&](std::initializer_list<const Decimal*> g) {
            std::size_t n = 0;
            for (const Decimal* d : g) if (!(p[n++].second == *d)) return false;
            return true;
        };
        if (p.size() == 3 && grados({&cero, &uno, &cero})) {
            const Decimal ancho = imp_.AnchoTriangulo(p[0].first, p[1].first, p[2].first, linea, "el término");
            return imp_.Conjunto(g, k, {0, ancho, p[1].first}, kPortaTodo, linea);
        }
        if (p.size() == 2 && grados({&uno, &cero}))
            return imp_.Conjunto(g, k, {1, Restar(p[1].first, p[0].first), p[0].first}, kPortaTodo, linea);
        if (p.size() == 2 && grados({&cero, &uno}))
            return imp_.Conjunto(g, k, {2, Restar(p[1].first, p[0].first), p[1].first}, kPortaTodo, linea);
        if (p.size() == 1 && grados({&uno})) return imp_.Conjunto(g, k, {3, {}, p[0].first}, kPortaTipo | kPortaCentro, linea);
        imp_.Fallar(linea, "los puntos no son una forma de este controlador: (a, 0) (c, 1) (b, 0) con c en medio, "
                           "(c, 1) (b, 0), (a, 0) (c, 1), o (c, 1)");
    }

    void Accu(std::size_t linea) {
        const std::string a = Valor(":");
        if (a != "nsum")
            imp_.Fallar(linea, "ACCU : " + a + "; este controlador suma las reglas que nombran un mismo conjunto (NSUM)");
        accu_ = true;
    }

    void BloqueReglas() {
        Siguiente("el nombre del bloque");
        while (!EsClave("END_RULEBLOCK")) {
            const std::size_t l = Linea();
            const std::string clave = Minusculas(Siguiente("END_RULEBLOCK"));
            if (clave == "and") {
                const std::string m = Valor(":");
                if (m != "min") imp_.Fallar(l, "AND : " + m + "; este controlador une sus entradas con el mínimo (MIN)");
            } else if (clave == "or") {
                Valor(":");
            } else if (clave == "act") {
                const std::string m = Valor(":");
                if (m != "min" && m != "prod") imp_.Fallar(l, "ACT : " + m + "; se esperaba MIN o PROD");
            } else if (clave == "accu") {
                Accu(l);
            } else if (clave == "rule") {
                Regla(l);
            } else {
                imp_.Fallar(l, "«" + clave + "» no es parte de un RULEBLOCK");
            }
        }
        ++i_;
    }

    // RULE n : IF a IS x AND b IS y THEN c IS z [WITH 1] ;
    void Regla(std::size_t linea) {
        Siguiente("el número de la regla");
        Palabra(":");
        Palabra("IF");
        std::array<std::optional<std::size_t>, 3> indices;
        for (const char* enlace : {"AND", "THEN", ""}) {
            const std::string variable = Siguiente("una variable");
            Palabra("IS");
            const std::string termino = Siguiente("un término");
            const std::size_t g = Grupo(variable, *enlace == '\0', linea);
            if (indices[g]) imp_.Fallar(linea, "la regla nombra dos veces la variable " + variable);
            const auto& t = terminos_[g];
            std::size_t k = 0;
            while (k < t.size() && t[k] != termino) ++k;
            if (k == t.size()) imp_.Fallar(linea, "«" + termino + "» no es un término de " + variable);
            indices[g] = k;
            if (*enlace != '\0' && !EsClave(enlace))
                imp_.Fallar(linea, std::string("se esperaba ") + enlace +
                                       ": este controlador no tiene otras reglas (ni OR, ni NOT)");
            if (*enlace != '\0') ++i_;
        }
        if (EsClave("WITH")) {
            ++i_;
            if (!(imp_.Numero(Siguiente("el peso"), linea, "el peso") == *LeerDecimal("1", '.')))
                imp_.Fallar(linea, "el peso no es 1; en este controlador todas pesan 1");
        }
        Palabra(";");
        imp_.Regla(*indices[0], *indices[1], static_cast<std::int32_t>(*indices[2]), linea);
    }

    Importacion imp_;
    std::vector<Ficha> f_;
    std::size_t i_ = 0;
    std::vector<std::string> entradas_, salidas_;
    std::array<std::vector<std::string>, 3> terminos_;
    std::array<bool, 3> leidas_{};
    bool accu_ = false, metodo_ = false;
};

}  // namespace

ControladorFuzzy LeerFcl(std::string_view contenido, const std::string& archivo) {
    return LectorFcl(contenido, archivo).Leer();
}
