#include "fuzzy/formatos/formatos_fuzzy.h"

#include "fuzzy/formatos/formatos_internos.h"
#include "fuzzy/formatos/importacion.h"
#include "fuzzy/reglas.h"

std::optional<FormatoFuzzy> FormatoFuzzyDe(std::string_view nombre) {
    const auto punto = nombre.rfind('.');
    if (punto == std::string_view::npos || nombre.find('/', punto) != std::string_view::npos) return std::nullopt;
    const std::string extension = Minusculas(nombre.substr(punto + 1));
    if (extension == "fis") return FormatoFuzzy::Fis;
    if (extension == "fll") return FormatoFuzzy::Fll;
    if (extension == "fcl") return FormatoFuzzy::Fcl;
    return std::nullopt;
}

std::vector<std::string> LineasDeCabecera(const ControladorFuzzy& c, PortadosPor portados) {
    std::vector<std::string> lineas = {
        "Controlador fuzzy de tanque: entradas, el error por KE y su derivada por KDE;",
        "la salida, por KU, se integra en el caudal de entrada. Las notas \"tanque:\" llevan",
        "lo que este formato no expresa; otros programas no las leen.",
    };
    for (std::size_t g = 0; g < 3; ++g)
        if (c.ganancias[g]) lineas.push_back(Nota(kGanancias[g], TextoDecimal(*c.ganancias[g])));
    for (std::size_t g = 0; g < 3; ++g)
        for (std::size_t k = 0; k < 5; ++k) {
            const ConjuntoFuzzy& conjunto = c.conjuntos[g][k];
            const unsigned dados = portados(g, conjunto);
            if (!(dados & kPortaTipo)) lineas.push_back(Nota(NombreConjunto(g, k, 0), std::to_string(conjunto.tipo)));
            if (!(dados & kPortaAncho)) lineas.push_back(Nota(NombreConjunto(g, k, 1), TextoDecimal(conjunto.ancho)));
            if (!(dados & kPortaCentro))
                lineas.push_back(Nota(NombreConjunto(g, k, 2), TextoDecimal(conjunto.centro)));
        }
    return lineas;
}

std::string ExportarControlador(FormatoFuzzy formato, const TextosControlador& textos) {
    const ControladorFuzzy c = LeerControlador(textos);
    switch (formato) {
        case FormatoFuzzy::Fis: return EscribirFis(c);
        case FormatoFuzzy::Fll: return EscribirFll(c);
        case FormatoFuzzy::Fcl: break;
    }
    return EscribirFcl(c);
}

TextosControlador ImportarControlador(FormatoFuzzy formato, std::string_view contenido, const std::string& archivo,
                                      char decimal) {
    switch (formato) {
        case FormatoFuzzy::Fis: return TextosDe(LeerFis(contenido, archivo), decimal);
        case FormatoFuzzy::Fll: return TextosDe(LeerFll(contenido, archivo), decimal);
        case FormatoFuzzy::Fcl: break;
    }
    return TextosDe(LeerFcl(contenido, archivo), decimal);
}
