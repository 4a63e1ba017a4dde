#include "ui/arranque.h"

#include "ui/PPal_reaccion.h"
#include "ui/Parametros_Fuzzy.h"
#include "ui/Parametros_PID.h"
#include "ui/Parametros_Planta.h"
#include "ui/Parametros_Reac.h"
#include "ui/Senal_Excitacion.h"
#include "ui/dialogos.h"

#include <QtGlobal>

// The drawings are compiled into this static library; its initialiser must be called by name, since the
// linker would otherwise leave it out.
static void IniciarRecursos() { Q_INIT_RESOURCE(recursos); }

void CrearVentanas(std::unique_ptr<Dialogos> dialogos) {
    IniciarRecursos();
    // the main window creates the fuzzy inference system before any dialog exists
    Frm_Ppal = new TFrm_Ppal(std::move(dialogos));
    Frm_Parametros = new TFrm_Parametros(nullptr);
    Frm_Parametros_Planta = new TFrm_Parametros_Planta(nullptr);
    Frm_Parametros_Fuzzy = new TFrm_Parametros_Fuzzy(nullptr);
    Frm_Parametros_PID = new TFrm_Parametros_PID(nullptr);
    Frm_Senal_Excitacion = new TFrm_Senal_Excitacion(nullptr);
}

void DestruirVentanas() {
    delete Frm_Senal_Excitacion;
    Frm_Senal_Excitacion = nullptr;
    delete Frm_Parametros_PID;
    Frm_Parametros_PID = nullptr;
    delete Frm_Parametros_Fuzzy;
    Frm_Parametros_Fuzzy = nullptr;
    delete Frm_Parametros_Planta;
    Frm_Parametros_Planta = nullptr;
    delete Frm_Parametros;
    Frm_Parametros = nullptr;
    delete Frm_Ppal;
    Frm_Ppal = nullptr;
}
