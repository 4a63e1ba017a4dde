#include "tools/ayuda_lote.h"

const char* TextoDeAyuda() {
    return R"(usage: tanque-lote escalon|pid|fuzzy MUESTRAS [OPTION]...
       tanque-lote --help

Runs the tank simulator without windows: starts the run through its button, performs up to
MUESTRAS samples (ticks; a whole number, 0 or more) and stops early if the level passes its
maximum (that sample still completes). The texts of the dialogs start from the program's
defaults; the options below change them, as a user would type them into the dialogs.

Runs:
  escalon        open-loop step of inflow (the amplitude is Alto_Escalon)
                   example: tanque-lote escalon 600 --salida=escalon.txt
  pid            PID control of the level towards the reference (Track_Referencia)
                   example: tanque-lote pid 300 --Kp=4 --traza
  fuzzy          fuzzy control; the controller is first initialised from the fuzzy texts
                   example: tanque-lote fuzzy 300 --Reglas_3_3=3 --traza

Options:
  --NOMBRE=TEXTO     set the text of an edit before the run starts. NOMBRE is one of:
                       plant:  T_Sample (sample time, whole milliseconds, default 500)
                               Resistencia (2), Area (10), HMax (maximum level, 5)
                       step:   Alto_Escalon (inflow of the step, 2)
                       PID:    Kp (2), Ti (5), Td (0)
                       fuzzy gains: KE (1), KDE (1), KU (3)
                       fuzzy sets:  V_S_Tipo, V_S_Ancho, V_S_Centro, where V is E (error),
                               DE (error derivative) or U (control) and S is the set MN, Ne,
                               Ze, Po or MP; Tipo is 0 triangle, 1 left shoulder, 2 right
                               shoulder, 3 constant; Ancho the width, Centro the centre
                       rules:  Reglas_F_C, the rule cell of row F (error set) and column C
                               (derivative set), each 1 to 5 for MN, Ne, Ze, Po, MP; its
                               text names the output set, 0 to 4 for MN to MP
                       slider: Track_Referencia, the slider's position, a whole number
                               (0 to 10 in the program, default 2; reference = 0.5 x position)
                       example: --Alto_Escalon=3   --Reglas_3_3=4   --E_Ze_Ancho=1
                       example: --Track_Referencia=6   --T_Sample=250
  --NOMBRE@N=TEXTO   set the text just before the sample whose number (the run's counter,
                     from 0) is N; any NOMBRE above
                       example: --Track_Referencia@100=8   --Kp@50=4
  --decimal=SEP      the decimal separator of the texts, ',' or '.' (default '.'); with ','
                     the defaults are written with a comma, as under such a locale, and a
                     text with a point is not a number
                       example: --decimal=, --Kp=1,5
  --salida=ARCHIVO   write every completed sample, from sample 0 on, to ARCHIVO in the
                     program's export format: sample number, control action and level in
                     fields of 5, 9 and 9 characters, 4 decimals, lines ending in CR LF;
                     written also when a sample fails, with the samples before it
                       example: --salida=escalon.txt
  --traza            write a CSV trace to standard output, a header and one row per sample:
                     n,accion,nivel,referencia,Volumen,Error_Ant,Integral,Salida_Fuzzy_Ant,
                     Nivel_Top,Nivel_Height; n and the level bar's Nivel_Top and
                     Nivel_Height are whole numbers, every other number an exact
                     hexadecimal float (%a); referencia is empty in the step run
                       example: tanque-lote escalon 400 --traza > escalon.csv
  --help, -h, --ayuda
                     show this text and do nothing else
                       example: tanque-lote --help

Messages that the program would show in a box go to standard error as "N: text", N being
the run's counter at that moment.
Exit status: 0 when the samples ran (an overflow stop included), 1 when the start, a sample
or the writing of ARCHIVO failed (its message is on standard error), 2 for bad options.

Examples:
  tanque-lote escalon 600 --Alto_Escalon=1.5 --salida=escalon.txt
  tanque-lote fuzzy 300 --Reglas_3_3=3 --Track_Referencia@100=6 --traza > fuzzy.csv
)";
}
