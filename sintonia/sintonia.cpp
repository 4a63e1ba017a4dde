#include "sintonia/sintonia.h"

Sintonia Sintonizar(const ModeloConRetardo& p, const Muestreo& m, Regla regla, Accion accion, std::optional<double> perilla,
                    double referencia) {
    Sintonia s;
    s.titulo = TituloRegla(regla);
    s.accion = accion;
    s.ganancias = Calcular(regla, accion, ModeloParaReglas(p, m), perilla);
    s.pid = Redondeado(s.ganancias.pid);
    s.lazo = Analizar(p, m, s.pid, referencia);
    return s;
}

Sintonia SintonizarUltima(const ModeloConRetardo& p, const Muestreo& m, ReglaUltima regla, Accion accion, double Ku, double Pu,
                          double referencia) {
    Sintonia s;
    s.titulo = TituloReglaUltima(regla);
    s.accion = accion;
    s.ganancias = {CalcularUltima(regla, accion, Ku, Pu), ModeloParaReglas(p, m), std::nullopt, false};
    s.pid = Redondeado(s.ganancias.pid);
    s.lazo = Analizar(p, m, s.pid, referencia);
    return s;
}

std::vector<Sintonia> TodasLasReglas(const ModeloConRetardo& p, const Muestreo& m, Accion accion, std::optional<double> perilla,
                                     double referencia) {
    std::vector<Sintonia> t;
    for (Regla r : {Regla::Simc, Regla::Imc, Regla::Amigo, Regla::ZieglerNichols})
        t.push_back(Sintonizar(p, m, r, accion, perilla, referencia));
    return t;
}
