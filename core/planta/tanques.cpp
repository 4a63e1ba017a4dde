#include "core/planta/tanques.h"

#include <cctype>
#include <cmath>
#include <string>

#include "base/aritmetica.h"
#include "core/excitacion.h"
#include "core/lectura.h"
#include "core/planta/tanque.h"

namespace {

std::string Normalizado(std::string_view t) {
    while (!t.empty() && std::isspace(static_cast<unsigned char>(t.front()))) t.remove_prefix(1);
    while (!t.empty() && std::isspace(static_cast<unsigned char>(t.back()))) t.remove_suffix(1);
    std::string n(t);
    for (char& c : n) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return n;
}

}  // namespace

int OpcionDeTexto(std::string_view campo, std::string_view texto, std::span<const char* const> nombres) {
    const std::string buscado = Normalizado(texto);
    for (std::size_t i = 0; i < nombres.size(); ++i)
        if (buscado == Normalizado(nombres[i])) return static_cast<int>(i);
    std::string mensaje =
        "Opción desconocida de " + std::string(campo) + ": '" + std::string(texto) + "'. Las opciones válidas son: ";
    for (std::size_t i = 0; i < nombres.size(); ++i) mensaje += (i > 0 ? ", " : "") + std::string(nombres[i]);
    ErrorTanque e(mensaje);
    e.PonerCampo(std::string(campo));
    throw e;
}

double Caudal(const ConstantesTanques& c, int tanque, double h) {
    if (c.orificio) return h > 0 ? (tanque == 1 ? c.K_1 : c.K_2) * std::sqrt(h) : 0.0;
    return h / (tanque == 1 ? c.R_1 : c.R_2);
}

EstadoTanques AvanzarTanques(const ConstantesTanques& c, EstadoTanques x, double u, double h, int n) {
    const bool dos = c.tanques == 2;
    const double inv1 = 1.0 / c.Area_1;
    const double inv2 = dos ? 1.0 / c.Area_2 : 0.0;
    // the rates of h1, h2 and of the volumes gone out and spilled; the upper tank's outflow is the lower one's
    // inflow, and at its rim the upper tank holds its level and spills what its outlet does not pass
    struct Tasa {
        double h1, h2, salido, derramado;
    };
    auto f = [&](double h1, double h2) {
        const double q1 = Caudal(c, 1, h1);
        if (!dos) return Tasa{(u - q1) * inv1, 0.0, q1, 0.0};
        const double q2 = Caudal(c, 2, h2 < c.HMax_2 ? h2 : c.HMax_2);
        if (h2 >= c.HMax_2 && u > q2) return Tasa{(q2 - q1) * inv1, 0.0, q1, u - q2};
        return Tasa{(q2 - q1) * inv1, (u - q2) * inv2, q1, 0.0};
    };
    const auto suma = [](double a, double b, double c2, double d) { return a + 2 * b + 2 * c2 + d; };
    for (int i = 0; i < n; ++i) {
        const Tasa k1 = f(x.h1, x.h2);
        const Tasa k2 = f(x.h1 + h / 2 * k1.h1, x.h2 + h / 2 * k1.h2);
        const Tasa k3 = f(x.h1 + h / 2 * k2.h1, x.h2 + h / 2 * k2.h2);
        const Tasa k4 = f(x.h1 + h * k3.h1, x.h2 + h * k3.h2);
        x.h1 += h / 6 * suma(k1.h1, k2.h1, k3.h1, k4.h1);
        x.h2 += h / 6 * suma(k1.h2, k2.h2, k3.h2, k4.h2);
        x.salido += h / 6 * suma(k1.salido, k2.salido, k3.salido, k4.salido);
        x.derramado += h / 6 * suma(k1.derramado, k2.derramado, k3.derramado, k4.derramado);
        // the sub-step that reaches the rim passes it a little: that water spills too
        if (dos && x.h2 > c.HMax_2) {
            x.derramado += (x.h2 - c.HMax_2) * c.Area_2;
            x.h2 = c.HMax_2;
        }
        // an orifice empties its tank in a finite time, and the sub-step that gets there passes below empty: the
        // water that did not exist never went out (the upper tank's, never into the lower one)
        if (dos && x.h2 < 0) {
            x.h1 += x.h2 * c.Area_2 * inv1;
            x.h2 = 0;
        }
        if (x.h1 < 0) {
            x.salido += x.h1 * c.Area_1;
            x.h1 = 0;
        }
    }
    return x;
}

Subpasos SubpasosDe(bool exacto, float T) {
    if (T == 0) return {};
    if (exacto) return {kSubpasosExacto, static_cast<double>(T) / kSubpasosExacto};
    return {SubpasosRK(T), static_cast<double>(aSingle(static_cast<long double>(T) / 10))};
}

namespace {

constexpr const char* kTextosLineal[] = {"T_Sample", "Resistencia", "Area", "HMax", kModeloPlanta, kIntegrador};
constexpr const char* kTextosOrificio[] = {"T_Sample", "Coef_Descarga", "Area", "HMax", kModeloPlanta, kIntegrador};
constexpr const char* kTextosDosLineal[] = {"T_Sample", "Resistencia", "Area",        "HMax",         "Resistencia_2",
                                            "Area_2",   "HMax_2",      kModeloPlanta, kSalidaTanques, kIntegrador};
constexpr const char* kTextosDosOrificio[] = {"T_Sample",        "Coef_Descarga", "Area",   "HMax",
                                              "Coef_Descarga_2", "Area_2",        "HMax_2", kModeloPlanta,
                                              kSalidaTanques,    kIntegrador};

// One tank or two, by one law and one clock.
class Tanques : public Planta {
public:
    Tanques(int tanques, bool orificio, bool exacto) : tanques_(tanques), orificio_(orificio), exacto_(exacto) {}

    std::span<const char* const> NombresTextos() const override {
        if (tanques_ == 1) return orificio_ ? std::span<const char* const>(kTextosOrificio) : kTextosLineal;
        return orificio_ ? std::span<const char* const>(kTextosDosOrificio) : kTextosDosLineal;
    }

    void LeerParametros(Simulacion& s, const Textos& textos) const override {
        const TextosCompletos t(textos);  // a set-up file older than these plants lacks their texts
        s.T_Muestreo = aSingle(static_cast<long double>(LeerEntero(t, "T_Sample")) * 0.001L);
        LeerConstantes(s.tanques, t);
        s.Nivel_Max = LeerSingle(t, "HMax");
        // the original fields as the linear tank reads them, for whoever reads them
        s.R_Hidraulica = orificio_ ? 0.0f : aSingle(s.tanques.R_1);
        s.Tau = orificio_ ? 0.0f : aSingle(static_cast<long double>(s.tanques.Area_1) * s.tanques.R_1);
    }

    void Vaciar(Simulacion& s) const override {
        s.Volumen = 0;
        s.Nivel_1 = s.Nivel_2 = s.Salido = s.Derramado = 0;
    }

    AvancePlanta Paso(const Simulacion& s) const override {
        const ConstantesTanques& c = s.tanques;
        // an area or a resistance of 0 fails here, at the first step, as the linear tank's
        static_cast<void>(Dividir(1, c.Area_1));
        if (tanques_ == 2) static_cast<void>(Dividir(1, c.Area_2));
        if (!orificio_) {
            static_cast<void>(Dividir(1, c.R_1));
            if (tanques_ == 2) static_cast<void>(Dividir(1, c.R_2));
        }
        const Subpasos p = SubpasosDe(exacto_, s.T_Muestreo);
        EstadoTanques x{s.Nivel_1, s.Nivel_2, s.Salido, s.Derramado};
        x = AvanzarTanques(c, x, s.Accion_Control, p.h, p.n);
        AvancePlanta a{s, 0};
        a.estado.Nivel_1 = aDouble(x.h1);
        a.estado.Nivel_2 = aDouble(x.h2);
        a.estado.Salido = aDouble(x.salido);
        a.estado.Derramado = aDouble(x.derramado);
        a.nivel = aSingle(a.estado.Nivel_1);
        return a;
    }

    void Guardar(const AvancePlanta& a, Simulacion& s) const override {
        s.Nivel_1 = a.estado.Nivel_1;
        s.Nivel_2 = a.estado.Nivel_2;
        s.Salido = a.estado.Salido;
        s.Derramado = a.estado.Derramado;
    }

    RelojPlanta Reloj(float T) const override {
        const Subpasos p = SubpasosDe(exacto_, T);
        return {p.n, exacto_ ? static_cast<double>(T) : TiempoPorMuestra(T)};
    }

    // only the linear tank is a first-order model; the others' truth is in the description (core/planta/verdad.h)
    std::optional<ModeloPrimerOrden> Verdad(const Simulacion& s) const override {
        if (tanques_ != 1 || orificio_) return std::nullopt;
        return ModeloPrimerOrden{s.tanques.R_1, s.tanques.Area_1 * s.tanques.R_1};
    }

    double Estacionario(const Textos& textos, double caudal) const override {
        ConstantesTanques c;
        LeerConstantes(c, TextosCompletos(textos));
        return NivelEstacionario(c, caudal);
    }

private:
    void LeerConstantes(ConstantesTanques& c, const Textos& t) const {
        c.tanques = tanques_;
        c.orificio = orificio_;
        c.exacto = exacto_;
        if (orificio_) {
            c.K_1 = LeerDouble(t, "Coef_Descarga");
        } else {
            c.R_1 = LeerDouble(t, "Resistencia");
        }
        c.Area_1 = LeerDouble(t, "Area");
        if (tanques_ != 2) return;
        if (orificio_) {
            c.K_2 = LeerDouble(t, "Coef_Descarga_2");
        } else {
            c.R_2 = LeerDouble(t, "Resistencia_2");
        }
        c.Area_2 = LeerDouble(t, "Area_2");
        c.HMax_2 = LeerDouble(t, "HMax_2");
    }

    const int tanques_;
    const bool orificio_, exacto_;
};

}  // namespace

double NivelDeCaudal(const ConstantesTanques& c, int tanque, double q) {
    if (c.orificio) {
        const double k = aDouble(Dividir(q, tanque == 1 ? c.K_1 : c.K_2));
        return q > 0 ? k * k : 0.0;
    }
    return q * (tanque == 1 ? c.R_1 : c.R_2);
}

double NivelEstacionario(const ConstantesTanques& c, double caudal) {
    double q = caudal;
    // the upper tank at its rim lets through only what its outlet passes there
    if (c.tanques == 2 && NivelDeCaudal(c, 2, caudal) > c.HMax_2) q = Caudal(c, 2, c.HMax_2);
    return NivelDeCaudal(c, 1, q);
}

const Planta& TanqueLinealExacto() {
    static const Tanques t(1, false, true);
    return t;
}

const Planta& TanqueOrificio(bool exacto) {
    static const Tanques programa(1, true, false), conExacto(1, true, true);
    return exacto ? conExacto : programa;
}

const Planta& DosTanques(bool orificio, bool exacto) {
    static const Tanques t[2][2] = {{{2, false, false}, {2, false, true}}, {{2, true, false}, {2, true, true}}};
    return t[orificio][exacto];
}
