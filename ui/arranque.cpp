#include "ui/arranque.h"

#include "ui/PPal_reaccion.h"
#include "ui/Parametros_Fuzzy.h"
#include "ui/Parametros_PID.h"
#include "ui/Parametros_Planta.h"
#include "ui/Parametros_Reac.h"
#include "ui/Parametros_Rele.h"
#include "ui/Senal_Excitacion.h"
#include "core/textos_indices.h"
#include "ui/accesibilidad.h"
#include "ui/campos_ventanas.h"
#include "ui/dialogos.h"
#include "ui/indices_desempeno.h"
#include "ui/estilo.h"
#include "ui/traducciones.h"

#include <QApplication>
#include <QtGlobal>

// The drawings are compiled into this static library; its initialiser must be called by name, since the
// linker would otherwise leave it out.
static void IniciarRecursos() { Q_INIT_RESOURCE(recursos); }

void PrepararAplicacion() {
    InstalarTraduccionQt();
    // the windows set this font themselves; the popup menus, the message boxes and the tips are windows
    // of their own that would otherwise take the desktop's, larger and of another face
    QApplication::setFont(FuenteVentana());
}

void CrearVentanas(std::unique_ptr<Dialogos> dialogos) {
    IniciarRecursos();
    // the main window creates the fuzzy inference system before any dialog exists
    Frm_Ppal = new TFrm_Ppal(std::move(dialogos));
    // the settling band is an edit of the indices window, which the main window makes
    if (Frm_Indices) Campos().Agregar(kBandaEstablecimiento, Frm_Indices->Banda_Establecimiento);
    Frm_Parametros = new TFrm_Parametros(nullptr);
    Campos().Agregar(*Frm_Parametros);
    Frm_Parametros_Planta = new TFrm_Parametros_Planta(nullptr);
    Campos().Agregar(*Frm_Parametros_Planta);
    Frm_Parametros_Fuzzy = new TFrm_Parametros_Fuzzy(nullptr);
    Campos().Agregar(*Frm_Parametros_Fuzzy);
    Frm_Parametros_PID = new TFrm_Parametros_PID(nullptr);
    Campos().Agregar(*Frm_Parametros_PID);
    Frm_Senal_Excitacion = new TFrm_Senal_Excitacion(nullptr);
    Campos().Agregar(*Frm_Senal_Excitacion);
    Frm_Ppal->SeguirSenal(Frm_Senal_Excitacion);
    Frm_Parametros_Rele = new TFrm_Parametros_Rele(nullptr);
    Campos().Agregar(*Frm_Parametros_Rele);
    for (QWidget* d : std::initializer_list<QWidget*>{Frm_Parametros, Frm_Parametros_Planta, Frm_Parametros_Fuzzy,
                                                     Frm_Parametros_PID, Frm_Senal_Excitacion, Frm_Parametros_Rele})
        NombrarControles(d);
}

void DestruirVentanas() {
    Campos().Vaciar();
    delete Frm_Parametros_Rele;
    Frm_Parametros_Rele = nullptr;
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
