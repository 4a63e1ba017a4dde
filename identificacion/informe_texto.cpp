// The text half of informe.h.

#include <cstdio>

#include "identificacion/continuo.h"
#include "identificacion/informe.h"
#include "identificacion/rechazos.h"

namespace {

std::string G(double v) {
    char b[40];
    std::snprintf(b, sizeof b, "%.6g", v);
    return b;
}

std::string Prueba(const char* nombre, double valor, double umbral, int grados, bool pasa) {
    return std::string("  ") + nombre + " = " + G(valor) + " (umbral " + G(umbral) + ", " + std::to_string(grados) +
           " grados de libertad): " + (pasa ? "pasa" : "no pasa") + "\n";
}

std::string Filas(const char* titulo, const std::vector<FilaBarrido>& filas, std::size_t elegido, std::size_t cuantas,
                  bool conValidacion) {
    if (filas.empty()) return "";
    std::string s = std::string(titulo) + "\n";
    char b[200];
    std::snprintf(b, sizeof b, "  %-3s %3s %3s %3s %11s %12s %12s %12s\n", "", "n", "nb", "nk", "parámetros", "pérdida",
                  "AIC", conValidacion ? "ajuste_val_%" : "FPE");
    s += b;
    bool recortadas = false;
    for (std::size_t i = 0; i < filas.size(); ++i) {
        if (i >= cuantas && i != elegido) continue;
        const FilaBarrido& f = filas[i];
        const double ultima = conValidacion ? f.ajusteValidacion.value_or(NAN) : f.fpe;
        std::snprintf(b, sizeof b, "  %-3s %3d %3d %3d %10d %12.6g %12.6g %12.6g%s\n", i == elegido ? "*" : "", f.n,
                      f.nb, f.nk, f.parametros, f.perdida, f.aic, ultima, f.recortado ? " ~" : "");
        s += b;
        recortadas = recortadas || f.recortado;
    }
    if (recortadas)
        s += "  ~: orden sobre el elegido, ajustado con " + std::to_string(kIntentosSobreEleccion) +
             " pasos (su pérdida, algo sobre la mínima, no cambia la elección)\n";
    const FilaBarrido& e = filas[elegido];
    s += "  elegido: " + e.estructura + " n " + std::to_string(e.n) + ", nb " + std::to_string(e.nb) + ", nk " +
         std::to_string(e.nk) + "\n";
    return s;
}

}  // namespace

std::string TextoModelo(const ModeloLineal& m) {
    try {
        const FuncionTransferencia g = Continua(m);
        return "  continuo = " + TextoFuncion(g) + "\n  octave   = " + LineaOctave(m) + "\n  python   = " + LineaPython(m) +
               "\n";
    } catch (const ErrorIdentificacion& e) {
        return std::string("  continuo = —: ") + e.what() + "\n";
    }
}

std::string TextoResiduos(const AnalisisResiduos& a) {
    std::string s = "Residuos\n  veredicto     = " + a.texto + "\n";
    if (a.redondeo) return s + "  (los residuos son del tamaño del redondeo del registro)\n";
    s += Prueba("blancura     ", a.blancura, a.umbralBlancura, static_cast<int>(a.autocorrelacion.size()) - 1, a.blanco);
    s += Prueba("independencia", a.independencia, a.umbralIndependencia, a.gradosIndependencia, a.independiente);
    return s;
}

std::string TextoAvisos(const std::vector<Aviso>& avisos) {
    std::string s;
    for (const Aviso& a : avisos) s += "  aviso: " + a.texto + "\n";
    return s.empty() ? s : "Avisos\n" + s;
}

std::string TextoBarrido(const Barrido& b, std::size_t filas) {
    const std::string criterio = b.conValidacion ? "ajuste en el registro de validación"
                                 : b.criterio == Criterio::AIC ? "AIC"
                                                               : "FPE";
    std::string s = "Órdenes y retardos (" + criterio + ", " + std::to_string(b.ecuaciones) + " ecuaciones, nk desde " +
                    std::to_string(b.retardoMinimo) + ")\n";
    s += Filas("ARX", b.arx, b.elegidoArx, filas, b.conValidacion);
    s += Filas("OE", b.oe, b.elegidoOe, filas, b.conValidacion);
    return s;
}

std::string TextoOrificio(const ModeloOrificio& m) {
    std::string s = "Tanque con orificio (A dh/dt = u - c sqrt(h))\n";
    s += "  A        = " + G(m.A) + (m.error_A ? " ± " + G(*m.error_A) : "") + "\n";
    s += "  c        = " + G(m.c) + (m.error_c ? " ± " + G(*m.error_c) : "") + "\n";
    s += "  retardo  = " + std::to_string(m.retardo) + "\n";
    s += "  ajuste   = " + G(m.ajuste) + " %\n";
    return s;
}
