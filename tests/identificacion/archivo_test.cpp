// Identification from what users have: a record file written by the program's own export, read back.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "export/archivo.h"
#include "export/lectura.h"
#include "identificacion/arx.h"
#include "identificacion/escalon.h"
#include "identificacion/oe.h"
#include "tests/core/banco.h"
#include "tests/identificacion/registros.h"

namespace {

class Carpeta {
public:
    Carpeta() {
        std::string plantilla = (std::filesystem::temp_directory_path() / "tanque_identificacion_XXXXXX").string();
        if (::mkdtemp(plantilla.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        ruta_ = plantilla;
    }
    ~Carpeta() {
        std::error_code error;
        std::filesystem::remove_all(ruta_, error);
    }
    std::string Ruta(const std::string& nombre) const { return (ruta_ / nombre).string(); }

private:
    std::filesystem::path ruta_;
};

Registro DesdeArchivo(const std::string& ruta, double T) {
    RegistroLeido leido = LeerExportacion(ruta);
    return Registro{std::move(leido.acciones), std::move(leido.niveles), T, std::move(leido.muestras)};
}

::testing::AssertionResult Cerca(double obtenido, double verdad) {
    if (std::abs(obtenido / verdad - 1) <= 0.005) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << obtenido << " is " << 100 * (obtenido / verdad - 1) << " % from " << verdad;
}

}  // namespace

// The step run of the simulator with the default texts, 400 samples (ten time constants), saved with the
// File button: ARX, OE and the step reading give R = 2 and A R = 20 from its 4-decimal numbers.
TEST(IdentificarArchivo, CorridaEscalonGuardadaPorElPrograma) {
    Carpeta carpeta;
    const std::string ruta = carpeta.Ruta("escalon.txt");
    Banco b;
    b.sim.ToolButton4Click();
    for (int i = 0; i < 400; ++i) b.sim.Timer1Timer();
    b.sim.ArchivoClick(ruta, true, 0, 0);

    const Registro r = DesdeArchivo(ruta, 0.5);
    ASSERT_EQ(r.nivel.size(), 400u);
    EXPECT_EQ(r.muestras.front(), 0);
    const Identificacion arx = IdentificarArx(r);
    const IdentificacionOe oe = IdentificarOe(r);
    const IdentificacionEscalon escalon = LeerEscalon(r);
    EXPECT_TRUE(escalon.desde_reposo);
    for (const Identificacion* id :
         {&arx, static_cast<const Identificacion*>(&oe), static_cast<const Identificacion*>(&escalon)}) {
        SCOPED_TRACE(id->metodo);
        EXPECT_EQ(id->retardo, 0);
        EXPECT_TRUE(Cerca(id->K, 2));
        EXPECT_TRUE(Cerca(id->Tau, 20));
        EXPECT_GT(id->ajuste, 99.0);
    }
}

// A PID run of 800 samples written with EscribirExportacion: the automatic delay is the run's, 1.
TEST(IdentificarArchivo, CorridaPidEscritaConLaExportacion) {
    Carpeta carpeta;
    const std::string ruta = carpeta.Ruta("pid.txt");
    for (const PlantaDeTextos& p : kPlantas) {
        SCOPED_TRACE(p.Nombre());
        const Registro pid = CorridaPid(p, 800, {{0, 2}, {200, 6}, {400, 3}, {600, 5}});
        EscribirExportacion(ruta, 799, [&](std::int64_t i) {
            const auto k = static_cast<std::size_t>(i);
            return MuestraExportada{static_cast<double>(i), pid.accion[k], pid.nivel[k]};
        });
        const Registro r = DesdeArchivo(ruta, p.T);
        for (const Identificacion& id : {IdentificarArx(r), static_cast<Identificacion>(IdentificarOe(r))}) {
            SCOPED_TRACE(id.metodo);
            EXPECT_EQ(id.retardo, 1);
            EXPECT_TRUE(Cerca(id.K, p.R));
            EXPECT_TRUE(Cerca(id.Tau, TauDeLasMuestras(p)));
            EXPECT_GT(id.ajuste, 99.0);
        }
    }
}
