#include "ui/ensayo_rele.h"

#include <cstdio>

#include "base/errores.h"
#include "core/lectura.h"
#include "core/simulador.h"

namespace {

std::string Cifra(double v) {
    char b[32];
    std::snprintf(b, sizeof b, "%.4g", v);
    return b;
}

}  // namespace

ResultadoEnsayoRele AnalizarEnsayo(const Simulador& simulador, const Textos& textos) {
    const EnsayoRele& e = simulador.Observacion().ensayoRele;
    ResultadoEnsayoRele r;
    r.T = e.T();
    try {
        r.rele = {e.Nivel(), LeerDouble(textos, "Rele_Alto"), LeerDouble(textos, "Rele_Bajo"),
                  LeerDouble(textos, "Rele_Histeresis")};
        r.analisis =
            AnalizarRele(e.Acciones(), e.Niveles(), r.T, r.rele, {std::nullopt, simulador.Estado().Nivel_Max});
    } catch (const ErrorTanque& x) {
        r.mensaje = std::string("El ensayo de relé no da Ku ni Pu: ") + x.what();
        return r;
    }
    const AnalisisRele& a = *r.analisis;
    r.mensaje = "Ensayo de relé: " + std::to_string(a.ciclos) + " ciclos sostenidos, periodo " + Cifra(a.periodo) +
                " s, amplitud " + Cifra(a.amplitud) + " (nivel de " + Cifra(a.nivelMinimo) + " a " +
                Cifra(a.nivelMaximo) + "). Ku = " + Cifra(a.Ku) + ", Pu = " + Cifra(a.Pu) + " s";
    if (a.modelo)
        r.mensaje += "; modelo K = " + Cifra(a.modelo->K) + ", Tau = " + Cifra(a.modelo->tau1) + " s, retardo " +
                     Cifra(a.modelo->theta) + " s: el diálogo Sintonizar lo ofrece como modelo.";
    else
        r.mensaje += ". " + a.aviso;
    return r;
}
