#include "core/corridas/lazo.h"

#include "base/aritmetica.h"
#include "core/interfaces.h"
#include "core/lectura.h"

LecturasLazo LeerLazo(PasoDeCorrida& paso, const DefinicionCorrida& corrida, std::int32_t n) {
    const Textos& textos = paso.TextosDelTick();
    LecturasLazo l{};
    // T_Sample in milliseconds, converted as a floating-point number this time
    l.T = ConNombre("T_Sample", [&] { return aDouble(LeerFlotante(textos, "T_Sample") * 0.001L); });
    for (std::size_t i = 0; i < 3; ++i) l.ganancia[i] = LeerDouble(textos, corrida.ganancias[i]);
    l.referencia = ReferenciaDe(paso.LeerPosicion(n));
    return l;
}
