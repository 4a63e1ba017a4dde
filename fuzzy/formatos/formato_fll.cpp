// fuzzylite's language (.fll): a Takagi-Sugeno engine with constant outputs and a weighted average.

#include <array>
#include <optional>

#include "fuzzy/formatos/formatos_internos.h"
#include "fuzzy/formatos/importacion.h"
#include "fuzzy/reglas.h"

namespace {

unsigned PortadosFll(std::size_t g, const ConjuntoFuzzy& c) {
    if (g == 2) return kPortaCentro;
    return c.tipo == 3 ? kPortaTipo : kPortaTodo;
}

std::string Termino(std::size_t g, const ConjuntoFuzzy& c) {
    const std::string centro = TextoDecimal(c.centro);
    if (g == 2) return "Constant " + centro;
    const std::string antes = TextoDecimal(Restar(c.centro, c.ancho));
    const std::string despues = TextoDecimal(Sumar(c.centro, c.ancho));
    switch (c.tipo) {
        case 0: return "Triangle " + antes + " " + centro + " " + despues;
        case 1: return "Ramp " + despues + " " + centro;  // from 0 at c + w up to 1 at the centre and below
        case 2: return "Ramp " + antes + " " + centro;    // from 0 at c - w up to 1 at the centre and above
        default: return "Constant 1";
    }
}

}  // namespace

std::string EscribirFll(const ControladorFuzzy& c) {
    std::string t;
    for (const std::string& l : LineasDeCabecera(c, PortadosFll)) t += "# " + l + "\n";
    t += std::string("Engine: ") + kNombreSistema + "\n";
    for (std::size_t g = 0; g < 3; ++g) {
        const auto r = RangoGrupo(c, g);
        t += std::string(g < 2 ? "InputVariable: " : "OutputVariable: ") + kVariablesArchivo[g] +
             "\n  enabled: true\n  range: " + TextoDoble(r[0]) + " " + TextoDoble(r[1]) + "\n  lock-range: false\n";
        if (g == 2)
            t += "  aggregation: none\n  defuzzifier: WeightedAverage TakagiSugeno\n  default: nan\n"
                 "  lock-previous: false\n";
        for (std::size_t k = 0; k < 5; ++k)
            t += std::string("  term: ") + kEtiquetas[k] + " " + Termino(g, c.conjuntos[g][k]) + "\n";
    }
    t += "RuleBlock: reglas\n  enabled: true\n  conjunction: Minimum\n  disjunction: none\n  implication: none\n"
         "  activation: General\n";
    for (std::size_t i = 0; i < 5; ++i)
        for (std::size_t j = 0; j < 5; ++j)
            t += std::string("  rule: if ") + kVariablesArchivo[0] + " is " + kEtiquetas[i] + " and " +
                 kVariablesArchivo[1] + " is " + kEtiquetas[j] + " then " + kVariablesArchivo[2] + " is " +
                 kEtiquetas[c.reglas[i][j]] + "\n";
    return t;
}

namespace {

struct Variable {
    std::string nombre;
    std::size_t linea = 0;
    std::vector<std::string> terminos;  // names in the file's order
};

class LectorFll {
public:
    explicit LectorFll(const std::string& archivo) : imp_(archivo) {}

    ControladorFuzzy Leer(std::string_view contenido) {
        PorLineas(contenido, [&](std::string_view texto, std::size_t linea) {
            const auto almohadilla = texto.find('#');
            if (almohadilla != std::string_view::npos) {
                imp_.Comentario(texto.substr(almohadilla + 1), linea);
                texto = texto.substr(0, almohadilla);
            }
            texto = Recortado(texto);
            if (!texto.empty()) Linea(texto, linea);
        });
        if (entradas_ < 2) imp_.Fallar(0, "tiene " + std::to_string(entradas_) + " InputVariable; este controlador tiene 2");
        if (!salida_) imp_.Fallar(0, "falta la OutputVariable: este controlador tiene 1");
        if (!bloque_) imp_.Fallar(0, "falta el RuleBlock");
        for (std::size_t g = 0; g < 3; ++g)
            if (variables_[g].terminos.size() != 5)
                imp_.Fallar(variables_[g].linea, "la variable " + variables_[g].nombre + " tiene " +
                                                     std::to_string(variables_[g].terminos.size()) +
                                                     " términos; las de este controlador tienen 5");
        if (!defuzzificador_) imp_.Fallar(variables_[2].linea, "falta el defuzzifier: este controlador usa WeightedAverage");
        return imp_.Terminar();
    }

private:
    enum class En { Nada, Motor, Variable, Bloque };

    void Linea(std::string_view texto, std::size_t linea) {
        const auto dos = texto.find(':');
        if (dos == std::string_view::npos) imp_.Fallar(linea, "se esperaba «clave: valor»");
        const std::string clave(Recortado(texto.substr(0, dos)));
        const std::string_view valor = Recortado(texto.substr(dos + 1));
        if (clave == "Engine") return static_cast<void>(en_ = En::Motor);
        if (clave == "InputVariable" || clave == "OutputVariable") return Nueva(clave == "OutputVariable", valor, linea);
        if (clave == "RuleBlock") {
            if (bloque_) imp_.Fallar(linea, "un segundo RuleBlock: este controlador tiene uno");
            bloque_ = true;
            return static_cast<void>(en_ = En::Bloque);
        }
        if (en_ == En::Nada) imp_.Fallar(linea, "«" + clave + ":» antes de Engine: este no es un archivo .fll");
        if (clave == "enabled" && valor != "true")
            imp_.Fallar(linea, "enabled: " + std::string(valor) + "; este controlador usa todas sus partes");
        if (en_ == En::Variable) return Propiedad(clave, valor, linea);
        if (en_ == En::Bloque) return PropiedadBloque(clave, valor, linea);
    }

    void Nueva(bool salida, std::string_view nombre, std::size_t linea) {
        if (salida ? salida_ : entradas_ == 2)
            imp_.Fallar(linea, salida ? "una segunda OutputVariable: este controlador tiene 1 salida"
                                      : "una tercera InputVariable: este controlador tiene 2 entradas");
        actual_ = salida ? 2 : entradas_++;
        salida_ |= salida;
        variables_[actual_] = {std::string(nombre), linea, {}};
        en_ = En::Variable;
    }

    void Propiedad(const std::string& clave, std::string_view valor, std::size_t linea) {
        if (clave == "lock-range" && valor != "false")
            imp_.Fallar(linea, "lock-range: " + std::string(valor) + " recorta la variable a su rango; este controlador no la recorta");
        if (clave == "defuzzifier") {
            const auto p = Palabras(valor);
            if (p.empty() || p[0] != "WeightedAverage" ||
                (p.size() > 1 && p[1] != "TakagiSugeno" && p[1] != "Automatic") || p.size() > 2)
                imp_.Fallar(linea, "defuzzifier: " + std::string(valor) +
                                       "; este controlador da la media de los centros pesada por las fuerzas "
                                       "(WeightedAverage TakagiSugeno)");
            defuzzificador_ = true;
        }
        if (clave == "term") Termino(valor, linea);
    }

    void Termino(std::string_view valor, std::size_t linea) {
        const auto p = Palabras(valor);
        Variable& v = variables_[actual_];
        const std::size_t k = v.terminos.size();
        if (k == 5) imp_.Fallar(linea, "la variable " + v.nombre + " tiene más de 5 términos");
        if (p.size() < 2) imp_.Fallar(linea, "se esperaba «term: nombre Tipo parámetros»");
        const std::string tipo(p[1]);
        std::vector<Decimal> n;
        for (std::size_t i = 2; i < p.size(); ++i) n.push_back(imp_.Numero(p[i], linea, "el parámetro de " + std::string(p[0])));
        const std::string que = "el término " + std::string(p[0]) + " (" + tipo + ")";
        const Decimal uno = *LeerDecimal("1", '.');
        // the optional last parameter of a term is its height, which must be 1 here
        const auto cuantos = [&](std::size_t n_min) {
            if (n.size() < n_min || n.size() > n_min + 1 || (n.size() == n_min + 1 && !(n.back() == uno)))
                imp_.Fallar(linea, que + " debe tener " + std::to_string(n_min) + " parámetros y altura 1");
        };
        v.terminos.emplace_back(p[0]);
        if (actual_ == 2) {
            if (tipo != "Constant") imp_.Fallar(linea, que + ": las salidas de este controlador son Constant");
            if (n.size() != 1) imp_.Fallar(linea, que + " debe tener 1 parámetro");
            return imp_.Conjunto(2, k, {3, {}, n[0]}, kPortaCentro, linea);
        }
        if (tipo == "Triangle") {
            cuantos(3);
            return imp_.Conjunto(actual_, k, {0, imp_.AnchoTriangulo(n[0], n[1], n[2], linea, que), n[1]}, kPortaTodo,
                                 linea);
        }
        if (tipo == "Ramp") {
            cuantos(2);
            // Ramp start end: 0 at start, 1 at end and beyond; falling to the right is a left shoulder
            const Decimal ancho = Restar(n[0], n[1]);
            if (ancho.Negativo()) return imp_.Conjunto(actual_, k, {2, Restar(n[1], n[0]), n[1]}, kPortaTodo, linea);
            return imp_.Conjunto(actual_, k, {1, ancho, n[1]}, kPortaTodo, linea);
        }
        if (tipo == "Constant" && n.size() == 1 && n[0] == uno) return imp_.Conjunto(actual_, k, {3, {}, {}}, kPortaTipo, linea);
        imp_.Fallar(linea, que + " no es una forma de este controlador: Triangle, Ramp o Constant 1");
    }

    void PropiedadBloque(const std::string& clave, std::string_view valor, std::size_t linea) {
        if (clave == "conjunction" && valor != "Minimum")
            imp_.Fallar(linea, "conjunction: " + std::string(valor) + "; este controlador une sus entradas con Minimum");
        if (clave == "activation" && valor != "General")
            imp_.Fallar(linea, "activation: " + std::string(valor) + "; en este controlador todas las reglas cuentan (General)");
        if (clave == "rule") Regla(valor, linea);
    }

    // if A is X and B is Y then C is Z [with 1]
    void Regla(std::string_view texto, std::size_t linea) {
        const auto p = Palabras(texto);
        const bool forma = (p.size() == 12 || p.size() == 14) && p[0] == "if" && p[2] == "is" && p[4] == "and" &&
                           p[6] == "is" && p[8] == "then" && p[10] == "is" && (p.size() == 12 || p[12] == "with");
        if (!forma)
            imp_.Fallar(linea, "se esperaba «if entrada is término and entrada is término then salida is término»: "
                               "este controlador no tiene otras reglas (ni or, ni not, ni very)");
        if (p.size() == 14 && !(imp_.Numero(p[13], linea, "el peso") == *LeerDecimal("1", '.')))
            imp_.Fallar(linea, "el peso es " + std::string(p[13]) + "; en este controlador todas pesan 1");
        std::array<std::optional<std::size_t>, 3> indices;
        for (const std::size_t w : {1u, 5u, 9u}) {
            std::size_t g = 0;
            while (g < 3 && variables_[g].nombre != p[w]) ++g;
            if (g == 3 || (w == 9) != (g == 2))
                imp_.Fallar(linea, "«" + std::string(p[w]) + "» no es una " + (w == 9 ? "salida" : "entrada") + " del controlador");
            if (indices[g]) imp_.Fallar(linea, "la regla nombra dos veces la variable " + std::string(p[w]));
            const auto& t = variables_[g].terminos;
            std::size_t k = 0;
            while (k < t.size() && t[k] != p[w + 2]) ++k;
            if (k == t.size()) imp_.Fallar(linea, "«" + std::string(p[w + 2]) + "» no es un término de " + std::string(p[w]));
            indices[g] = k;
        }
        imp_.Regla(*indices[0], *indices[1], static_cast<std::int32_t>(*indices[2]), linea);
    }

    Importacion imp_;
    En en_ = En::Nada;
    std::array<Variable, 3> variables_;
    std::size_t actual_ = 0;
    std::size_t entradas_ = 0;
    bool salida_ = false, bloque_ = false, defuzzificador_ = false;
};

}  // namespace

ControladorFuzzy LeerFll(std::string_view contenido, const std::string& archivo) {
    return LectorFll(archivo).Leer(contenido);
}
