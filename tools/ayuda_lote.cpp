#include "ayuda_lote.h"

const char* TextoDeAyuda() {
    return R"(usage: tanque-lote escalon|pid|fuzzy MUESTRAS [OPTION]...

Runs the tank simulator without windows: starts the run through its button, performs up to
MUESTRAS samples (ticks) and stops early if the level passes its maximum (that sample still
completes). The texts of the dialogs start from the program's defaults.

Runs:
  escalon        open-loop step of inflow (the amplitude is Alto_Escalon)
  pid            PID control of the level towards the reference
  fuzzy          fuzzy control; the controller is initialised first from the fuzzy texts

Options:
  --NOMBRE=TEXTO     set the text of an edit before the run, as typed in its dialog:
                       plant: T_Sample Resistencia Area HMax      step: Alto_Escalon
                       PID: Kp Ti Td     fuzzy gains: KE KDE KU
                       fuzzy sets: E_MN_Tipo E_MN_Ancho E_MN_Centro ... U_MP_Centro
                       (prefix E, DE or U; set MN, Ne, Ze, Po or MP; Tipo, Ancho or Centro)
                     Reglas_F_C is the rule cell of row F and column C (1 to 5);
                     Track_Referencia is the slider's position (0 to 10; reference = 0.5 x position)
                       example: --Alto_Escalon=3   --Reglas_3_3=4   --Track_Referencia=6
  --NOMBRE@N=TEXTO   set the text just before the sample whose counter is N
                       example: --Track_Referencia@100=8   --Kp@50=4
  --decimal=,        the decimal separator of the texts (',' or '.'; default '.'); the
                     defaults are then written with a comma, as under such a locale
                       example: --decimal=, --Kp=1,5
  --salida=ARCHIVO   write every completed sample (counter, action, level) to ARCHIVO in the
                     export format of the program (fields of 5, 9 and 9 characters, CR LF)
                       example: --salida=escalon.txt
  --traza            write a CSV trace to standard output: n,accion,nivel,referencia,Volumen,
                     Error_Ant,Integral,Salida_Fuzzy_Ant,Nivel_Top,Nivel_Height, one row per
                     sample, every number as an exact hexadecimal float (%a)
                       example: tanque-lote escalon 400 --traza > escalon.csv
  --help             show this text

Messages that the program would show in a box go to standard error as "N: text".
Exit status: 0 when the samples ran, 1 when a sample or the start failed (its message is
on standard error), 2 for bad options.

Examples:
  tanque-lote escalon 600 --Alto_Escalon=1.5 --salida=escalon.txt
  tanque-lote fuzzy 300 --Reglas_3_3=3 --Track_Referencia@100=6 --traza
)";
}
