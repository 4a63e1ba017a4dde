// One place per event where errors are caught and shown; the recurring failure of a run's ticks.

#include "core/simulador.h"
#include "export/archivo.h"

void Simulador::Atender(const std::function<void()>& manejador) {
    try {
        manejador();
    } catch (const std::exception& e) {
        Mostrar(e.what());
    }
    Avisar(0);
}

void Simulador::AtenderToggle(Corrida corrida) {
    Atender([this, corrida] { Alternar(corrida); });
}

void Simulador::AtenderTick(Corrida corrida) {
    // a tick that was already queued when its timer stopped does nothing
    if (!Timer(corrida).Enabled) return;
    try {
        Tick(corrida);
    } catch (const std::exception& e) {
        Fallo(corrida, e.what());
    }
    Avisar(0);
}

void Simulador::OlvidarFallo(Corrida corrida) {
    FallosCorrida& f = fallos_[static_cast<std::size_t>(corrida)];
    const bool habiaAviso = f.aviso;
    f = FallosCorrida{};
    if (habiaAviso) mensajes_.FinRepetido(corrida);
}

void Simulador::Fallo(Corrida corrida, const std::string& texto) {
    FallosCorrida& f = fallos_[static_cast<std::size_t>(corrida)];
    // counted before the box opens: the ticks that fail while it is open are repeats already
    const int veces = ++f.veces[texto];
    if (veces == 1) {
        Mostrar(texto);
        return;
    }
    // A box at every failure would bury the window (a run ticks on, failing at some ticks and not at others):
    // a notice that does not wait keeps the run's button within reach, and counts.
    Avisar(0);
    f.aviso = true;
    mensajes_.Repetido(corrida, texto, veces);
}

void Simulador::RecorrerExportadas(bool rangoCompleto, double xmin, double xmax,
                                   const std::function<void(const MuestraExportada&, std::size_t)>& muestra) const {
    const std::int64_t ultimo = series1_.UltimoDibujado(rangoCompleto, xmin, xmax);
    // the k-th level with a partner goes with the k-th action with a partner
    std::size_t a = 0;
    for (std::int64_t k = 0; k <= ultimo; ++k) {
        const auto j = static_cast<std::size_t>(k);
        if (parejas_.NivelSinAccion(j)) continue;
        while (a < series2_.Cuenta() && parejas_.AccionSinNivel(a)) ++a;
        if (a == series2_.Cuenta()) break;
        muestra({series1_.X(j), series2_.Y(a), series1_.Y(j)}, j);
        ++a;
    }
}

MuestrasGrafico Simulador::MuestrasExportadas(bool rangoCompleto, double xmin, double xmax) const {
    MuestrasGrafico m;
    RecorrerExportadas(rangoCompleto, xmin, xmax, [&m](const MuestraExportada& e, std::size_t) {
        m.muestras.push_back(e.muestra);
        m.acciones.push_back(e.accion);
        m.niveles.push_back(e.nivel);
    });
    return m;
}

void Simulador::ArchivoClick(const std::string& nombre, bool rangoCompleto, double xmin, double xmax) {
    // the samples are read from the series as the file is written: a copy of a long chart would cost more than
    // the writing
    ArchivoRegistro archivo(nombre);
    ContenidoRegistro contenido;
    RecorrerExportadas(rangoCompleto, xmin, xmax, [&](const MuestraExportada& e, std::size_t nivel) {
        archivo.Anadir(e);
        contenido.Anadir(e.muestra, bitacoras_.De(nivel));
    });
    archivo.Confirmar();
    EscribirDescripcion(nombre, contenido);
}
