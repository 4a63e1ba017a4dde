#include "ui/textos_ventanas.h"

#include <QLineEdit>

#include "core/textos_indices.h"
#include "ui/Parametros_Fuzzy.h"
#include "ui/Parametros_PID.h"
#include "ui/Parametros_Planta.h"
#include "ui/Parametros_Reac.h"
#include "ui/estilo.h"
#include "ui/indices_desempeno.h"

std::string TextosVentanas::Texto(std::string_view nombre) const {
    const DialogoParametros* dialogos[] = {Frm_Parametros_Planta, Frm_Parametros, Frm_Parametros_PID,
                                           Frm_Parametros_Fuzzy};
    for (const DialogoParametros* d : dialogos) {
        if (!d) continue;
        const auto e = d->Edits().find(nombre);
        if (e != d->Edits().end()) return e->second->text().toStdString();
    }
    if (Frm_Indices && nombre == kBandaEstablecimiento) return Frm_Indices->Banda_Establecimiento->text().toStdString();
    return {};
}

std::string TextosVentanas::Celda(int columna, int fila) const {
    return Frm_Parametros_Fuzzy ? Frm_Parametros_Fuzzy->Celda(columna, fila).toStdString() : std::string();
}

char TextosVentanas::Decimal() const { return SeparadorDecimal(); }
