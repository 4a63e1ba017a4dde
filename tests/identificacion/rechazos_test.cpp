// Every refusal of the identification, with the text the user reads; and no result that is not finite.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "identificacion/arx.h"
#include "identificacion/escalon.h"
#include "identificacion/oe.h"
#include "identificacion/rechazos.h"

namespace {

// y(k) = a y(k-1) + b u(k - retardo) in Doubles, from y(0) = y0.
Registro Sintetico(double a, double b, const std::vector<double>& u, int retardo = 0, double y0 = 0, double T = 0.5) {
    Registro r;
    r.T = T;
    r.accion = u;
    r.nivel.assign(u.size(), y0);
    for (std::size_t k = 1; k < u.size(); ++k) r.nivel[k] = a * r.nivel[k - 1] + b * u[k - retardo];
    return r;
}

// An action that changes often enough to excite: 1, 3, 1, 1, 3, ... (period 5).
std::vector<double> Excitacion(std::size_t n) {
    std::vector<double> u(n);
    for (std::size_t k = 0; k < n; ++k) u[k] = (k % 5 == 0 || k % 5 == 3) ? 3 : 1;
    return u;
}

using Metodo = std::function<void(const Registro&)>;
const Metodo kArx = [](const Registro& r) { IdentificarArx(r); };
const Metodo kArx0 = [](const Registro& r) { IdentificarArx(r, 0); };
const Metodo kOe = [](const Registro& r) { IdentificarOe(r); };
const Metodo kEscalon = [](const Registro& r) { LeerEscalon(r); };

std::string Rechazo(const Metodo& m, const Registro& r) {
    try {
        m(r);
    } catch (const ErrorIdentificacion& e) {
        return e.what();
    }
    return "(aceptado)";
}

}  // namespace

TEST(Rechazos, TablaDeCasos) {
    const Registro bueno = Sintetico(0.9, 0.2, Excitacion(40));
    auto con = [&](const std::function<void(Registro&)>& cambio) {
        Registro r = bueno;
        cambio(r);
        return r;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* razon;
        Registro r;
        std::vector<Metodo> metodos;
        std::string texto;
    } casos[] = {
        {"period 0", con([](Registro& r) { r.T = 0; }), {kArx, kOe, kEscalon}, TextoPeriodoInvalido()},
        {"negative period", con([](Registro& r) { r.T = -0.5; }), {kArx}, TextoPeriodoInvalido()},
        {"period NaN", con([&](Registro& r) { r.T = nan; }), {kArx}, TextoPeriodoInvalido()},
        {"period infinite", con([&](Registro& r) { r.T = inf; }), {kOe}, TextoPeriodoInvalido()},
        {"a level missing",
         con([](Registro& r) { r.nivel.pop_back(); }),
         {kArx, kOe, kEscalon},
         TextoLongitudesDistintas(40, 39, 0)},
        {"sample numbers of another length",
         con([](Registro& r) {
             r.muestras = {1, 2};
         }),
         {kArx},
         TextoLongitudesDistintas(40, 40, 2)},
        {"nine samples", Sintetico(0.9, 0.2, Excitacion(9)), {kArx, kOe, kEscalon}, TextoRegistroCorto(9, 10)},
        {"no samples", Registro{{}, {}, 0.5, {}}, {kArx}, TextoRegistroCorto(0, 10)},
        {"a level NaN",
         con([&](Registro& r) { r.nivel[3] = nan; }),
         {kArx, kOe, kEscalon},
         "El registro tiene un nivel que no es un número finito en la muestra 3."},
        {"an action infinite, named by its sample number",
         con([&](Registro& r) {
             for (int k = 0; k < 40; ++k) r.muestras.push_back(100 + k);
             r.accion[7] = -inf;
         }),
         {kArx, kOe},
         "El registro tiene una acción que no es un número finito en la muestra 107."},
        {"a gap in the sample numbers",
         con([](Registro& r) {
             for (int k = 0; k < 40; ++k) r.muestras.push_back(k < 20 ? k : k + 3);
         }),
         {kArx, kOe, kEscalon},
         TextoMuestrasSaltadas(19, 23)},
        {"action zero throughout", con([](Registro& r) { r.accion.assign(40, 0.0); }), {kArx, kOe}, TextoEntradaNula()},
        {"level constant", con([](Registro& r) { r.nivel.assign(40, 1.5); }), {kArx, kOe}, TextoSalidaConstante()},
        {"constant action on a settled tank",
         Sintetico(0.9, 0.2, std::vector<double>(40, 1), 0, 2),
         {kArx, kOe},
         TextoSalidaConstante()},
        // u(k) = y(k-1): the two regressors of delay 0 are one column twice
        {"action equal to the level before",
         con([](Registro& r) {
             for (std::size_t k = 1; k < 40; ++k) r.accion[k] = r.nivel[k - 1];
         }),
         {kArx0},
         TextoSingular()},
        {"levels of 1e300 from actions near 1: the variance of b beyond a Double",
         con([](Registro& r) {
             for (double& y : r.nivel) y *= 1e300;
         }),
         {kArx0},
         TextoDesbordamiento()},
        {"a negative pole", Sintetico(-0.5, 1, Excitacion(40)), {kArx}, TextoNoEstable(-0.5)},
        {"an unstable pole", Sintetico(1.05, 1, Excitacion(40)), {kArx}, TextoNoEstable(1.05)},
        {"an integrator", Sintetico(1, 1, Excitacion(40)), {kArx}, TextoNoEstable(1)},
        {"a step with the action zero throughout",
         con([](Registro& r) { r.accion.assign(40, 0.0); }),
         {kEscalon},
         TextoSinEscalon()},
        {"a second change of the action",
         con([](Registro& r) {
             r.accion.assign(40, 1.0);
             r.accion[25] = 2;
         }),
         {kEscalon},
         TextoVariosEscalones(25, 26)},
        {"a step without response",
         Registro{std::vector<double>(20, 1.0), std::vector<double>(20, 0.0), 0.5, {}},
         {kEscalon},
         TextoEscalonSinCambio()},
    };
    for (const auto& c : casos)
        for (const Metodo& m : c.metodos) EXPECT_EQ(Rechazo(m, c.r), c.texto) << c.razon;
}

// Refusals whose text carries a computed number: the start of the text and the type.
TEST(Rechazos, ConNumerosCalculados) {
    // a step of a plant with Tau = 20 s, recorded for 30 s after it
    const double a = std::exp(-0.5 / 20);
    std::vector<double> u(80, 0.0);
    for (std::size_t k = 20; k < 80; ++k) u[k] = 2;
    EXPECT_EQ(Rechazo(kEscalon, Sintetico(a, 2 * (1 - a), u))
                  .rfind("La respuesta no se ha asentado: el registro dura 30 s", 0),
              0u);
    // OE starts inside (0, 1) and moves out to the negative pole that explains the record
    EXPECT_EQ(Rechazo(kOe, Sintetico(-0.5, 1, Excitacion(40))).rfind("El modelo estimado tiene a = -0.5", 0), 0u);
}

TEST(Rechazos, EscalonEnLaUltimaMuestraConRetardo) {
    std::vector<double> u(20, 1.0);
    u[19] = 2;
    Registro r = Sintetico(0.9, 0.2, u, 1);
    try {
        LeerEscalon(r, 1);
        ADD_FAILURE();
    } catch (const ErrorIdentificacion& e) {
        EXPECT_EQ(e.what(), TextoEscalonAlFinal());
    }
}

TEST(Rechazos, RetardoFueraDeCeroYUno) {
    const Registro r = Sintetico(0.9, 0.2, Excitacion(40));
    const Identificacion id = IdentificarArx(r, 0);
    for (int nk : {-1, 2}) {
        const std::vector<std::function<void()>> llamadas = {[&] { IdentificarArx(r, nk); },
                                                             [&] { IdentificarOe(r, nk); }, [&] { LeerEscalon(r, nk); },
                                                             [&] { Validar(id, r, nk); }};
        for (const auto& llamada : llamadas) {
            try {
                llamada();
                ADD_FAILURE() << nk;
            } catch (const ErrorIdentificacion& e) {
                EXPECT_EQ(e.what(), TextoRetardoInvalido(nk));
            }
        }
    }
    EXPECT_EQ(TextoRetardoInvalido(2),
              "El retardo debe ser 0 (corrida en lazo abierto) o 1 (corridas PID y fuzzy), no 2.");
}

// Records at the edges of what is accepted: every number of every result is finite.
TEST(Rechazos, NingunResultadoNoFinito) {
    auto finito = [](const Identificacion& id) {
        bool bien = std::isfinite(id.a) && std::isfinite(id.b) && std::isfinite(id.K) && std::isfinite(id.Tau) &&
                    std::isfinite(id.ajuste) && std::isfinite(id.T);
        for (const auto& e : {id.error_a, id.error_b, id.error_K, id.error_Tau})
            bien = bien && (!e || std::isfinite(*e));
        return bien;
    };
    std::vector<double> escalon(400, 0.0);
    for (std::size_t k = 10; k < 400; ++k) escalon[k] = 1;
    const struct {
        const char* razon;
        Registro r;
    } casos[] = {
        {"exact: no residual at all", Sintetico(0.5, 0.25, Excitacion(40))},
        {"a slow pole, Tau of 5e8 s", Sintetico(1 - 1e-9, 1e-9, Excitacion(1000))},
        {"a fast pole, Tau of 0.07 s", Sintetico(1e-3, 1, Excitacion(40))},
        {"tiny values", Sintetico(0.9, 0.1,
                                  [] {
                                      std::vector<double> u = Excitacion(40);
                                      for (double& v : u) v *= 1e-300;
                                      return u;
                                  }())},
        {"large values", Sintetico(0.9, 0.1,
                                   [] {
                                       std::vector<double> u = Excitacion(40);
                                       for (double& v : u) v *= 1e300;
                                       return u;
                                   }())},
        {"a step", Sintetico(0.9, 0.1, escalon)},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.razon);
        for (const Identificacion& id : {IdentificarArx(c.r), static_cast<Identificacion>(IdentificarOe(c.r))})
            EXPECT_TRUE(finito(id)) << c.razon << ", " << id.metodo;
    }
    EXPECT_TRUE(finito(LeerEscalon(casos[5].r)));
}
