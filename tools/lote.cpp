#include "tools/lote.h"

#include <string>
#include <vector>

#include "base/errores.h"
#include "base/numeros.h"
#include "core/simulador.h"
#include "core/textos_por_defecto.h"
#include "export/archivo.h"

namespace {

class PosicionLote : public Posicion {
public:
    std::int32_t Leer() const override { return valor; }
    std::int32_t valor = 2;  // the slider's initial position
};

/// Every message to standard error, with the run's counter at the moment it is shown.
class MensajesLote : public Mensajes {
public:
    explicit MensajesLote(std::FILE* errores) : errores_(errores) {}
    void Mostrar(const std::string& texto) override {
        std::fprintf(errores_, "%d: %s\n", contador ? *contador : 0, texto.c_str());
    }
    void Repetido(Corrida, const std::string& texto, int) override { Mostrar(texto); }
    void FinRepetido(Corrida) override {}
    const std::int32_t* contador = nullptr;

private:
    std::FILE* errores_;
};

void Poner(TextosMapa& textos, PosicionLote& posicion, const std::string& nombre, const std::string& texto) {
    if (nombre == "Track_Referencia")
        posicion.valor = TextoAEntero(texto);
    else
        textos.Poner(nombre, texto);
}

void EscribirTraza(std::FILE* f, const Simulador& sim, Corrida c) {
    const MuestraGraficada& m = sim.UltimaMuestra();
    const Simulacion& s = sim.Estado();
    // %a writes the exact binary value, so that two records compare bit for bit
    std::fprintf(f, "%d,%a,%a,", m.n, static_cast<double>(m.accion), static_cast<double>(m.nivel));
    if (c != Corrida::Escalon) std::fprintf(f, "%a", m.referencia);
    std::fprintf(f, ",%a,%a,%a,%a,%d,%d\n", static_cast<double>(s.Volumen), static_cast<double>(s.Error_Ant),
                 static_cast<double>(s.Integral), s.Salida_Fuzzy_Ant, sim.Nivel().Top, sim.Nivel().Height);
}

}  // namespace

int CorrerLote(const OpcionesLote& o, std::FILE* traza, std::FILE* errores) {
    TextosMapa textos = TextosIniciales(o.decimal);
    PosicionLote posicion;
    MensajesLote mensajes(errores);
    Simulador sim(textos, posicion, mensajes);
    mensajes.contador = &sim.Timer(o.corrida).Tag;
    for (const auto& [nombre, texto] : o.textos) Poner(textos, posicion, nombre, texto);

    std::vector<MuestraExportada> registro;
    auto escribirRegistro = [&]() -> bool {
        if (!o.salida) return true;
        try {
            EscribirExportacion(*o.salida, static_cast<std::int64_t>(registro.size()) - 1,
                                [&](std::int64_t i) { return registro[static_cast<std::size_t>(i)]; });
        } catch (const ErrorArchivo& e) {
            std::fprintf(errores, "%s: %s\n", o.salida->c_str(), e.what());
            return false;
        }
        return true;
    };

    if (traza)
        std::fputs("n,accion,nivel,referencia,Volumen,Error_Ant,Integral,Salida_Fuzzy_Ant,Nivel_Top,Nivel_Height\n",
                   traza);
    try {
        if (o.corrida == Corrida::Fuzzy) sim.ToolButton11Click();
        sim.Alternar(o.corrida);
    } catch (const ErrorTanque& e) {
        mensajes.Mostrar(e.what());
        return 1;
    }
    if (!sim.Timer(o.corrida).Enabled) return 1;  // the start was refused, with its message

    auto programado = o.programados.begin();
    for (std::int64_t k = 0; k < o.muestras && sim.Timer(o.corrida).Enabled; ++k) {
        const std::int32_t n = sim.Timer(o.corrida).Tag;
        while (programado != o.programados.end() && programado->first < n) ++programado;
        if (programado != o.programados.end() && programado->first == n)
            for (const auto& [nombre, texto] : programado->second) Poner(textos, posicion, nombre, texto);
        try {
            sim.Tick(o.corrida);
        } catch (const ErrorTanque& e) {
            mensajes.Mostrar(e.what());
            escribirRegistro();
            return 1;
        }
        const MuestraGraficada& m = sim.UltimaMuestra();
        if (o.salida) registro.push_back({static_cast<double>(m.n), m.accion, m.nivel});
        if (traza) EscribirTraza(traza, sim, o.corrida);
    }
    return escribirRegistro() ? 0 : 1;
}
