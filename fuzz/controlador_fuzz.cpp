// The readers of the controller's files (.fis, .fll, .fcl) on arbitrary bytes. Only ErrorImportacion ever
// leaves them, its message naming the file; a file that reads gives texts that export again, and the exported
// file reads back into the same texts.
//
// Input: [format byte][file]: the byte's value modulo 3 picks .fis, .fll or .fcl, bit 2 the decimal separator.

#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/comprobar.h"
#include "fuzzy/formatos/formatos_fuzzy.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
    if (n < 1) return 0;
    const FormatoFuzzy formatos[] = {FormatoFuzzy::Fis, FormatoFuzzy::Fll, FormatoFuzzy::Fcl};
    const FormatoFuzzy formato = formatos[d[0] % 3];
    const char decimal = (d[0] & 4) ? ',' : '.';
    const std::string_view contenido(reinterpret_cast<const char*>(d + 1), n - 1);
    TextosControlador t;
    try {
        t = ImportarControlador(formato, contenido, "x", decimal);
    } catch (const ErrorImportacion& e) {
        Exigir(std::string(e.what()).rfind("x", 0) == 0, "a message that does not name the file", e.what());
        return 0;
    }
    Exigir(t.textos.size() >= 70 && t.textos.size() <= 73, "an import without every set and rule, or with other texts");
    // a file may leave out a gain, which then keeps the dialog's; export needs all three
    for (const char* g : kGanancias) t.textos.try_emplace(g, "1");
    std::string archivo;
    try {
        archivo = ExportarControlador(formato, t);
    } catch (const ErrorTanque& e) {
        // what the importer accepted, its own format must hold; .fis alone refuses sets beyond ±5e307
        Exigir(formato == FormatoFuzzy::Fis, "an imported controller that its format cannot export", e.what());
        return 0;
    }
    const TextosControlador vuelta = ImportarControlador(formato, archivo, "x", decimal);
    Exigir(vuelta.textos == t.textos, "the exported file does not read back into the same texts", archivo);
    return 0;
}
