#include "tools/ayuda_lote.h"

const char* TextoDeAyuda() {
    return R"(uso: tanque-lote escalon|pid|fuzzy MUESTRAS [OPCIÓN]...
     tanque-lote reproducir ARCHIVO.tanque [--decimal=,] [--salida=ARCHIVO] [--traza]
     tanque-lote --help

Corre el simulador del tanque sin ventanas: empieza la corrida como su botón, hace hasta
MUESTRAS muestras (ticks; un número entero de 0 a 2147483647, el alcance del contador de
muestras) y se detiene antes si el nivel pasa de su máximo (esa muestra se completa). Los
textos de los diálogos empiezan con los valores del programa; las opciones los cambian como
un usuario los escribiría en los diálogos.

Corridas:
  escalon        escalón de caudal en lazo abierto (la amplitud es Alto_Escalon)
                   ejemplo: tanque-lote escalon 600 --salida=escalon.txt
  pid            control PID del nivel hacia la referencia (Track_Referencia)
                   ejemplo: tanque-lote pid 300 --Kp=4 --traza
  fuzzy          control fuzzy; antes de correr, el controlador se inicializa con los
                 textos fuzzy
                   ejemplo: tanque-lote fuzzy 300 --Reglas_3_3=3 --traza

Reproducir:
  reproducir ARCHIVO.tanque
                 reproduce sin ventanas el programa grabado en una configuración (botón
                 "Grabar" del programa): pone los textos y la posición del deslizador del
                 archivo y hace, en su orden, lo que hizo el usuario: textos, deslizador,
                 botones de las corridas, Limpiar, Inicializar Control Fuzzy y muestras.
                 Antes de cada evento comprueba que el contador de muestras sea el grabado;
                 si no lo es, termina con estado 1 y el mensaje nombra el evento (contados
                 desde 1). --salida escribe al final lo que "Archivo" exportaría entonces:
                 las muestras del gráfico, con todo su rango. La traza tiene una fila por
                 muestra, de la corrida que la hizo. Los mensajes de las cajas van a la
                 salida de errores y la reproducción sigue, como en el programa. Admite
                 --decimal, --salida y --traza
                   ejemplo: tanque-lote reproducir ejemplo.tanque --salida=reproducido.txt

Opciones:
  --NOMBRE=TEXTO     pone el texto de un edit antes de que empiece la corrida. NOMBRE es uno de:
                       planta: T_Sample (tiempo de muestreo, milisegundos enteros, 500)
                               Resistencia (2), Area (10), HMax (nivel máximo, 5)
                       escalón: Alto_Escalon (caudal del escalón, 2)
                       PID:    Kp (2), Ti (5), Td (0)
                       ganancias fuzzy: KE (1), KDE (1), KU (3)
                       conjuntos fuzzy: V_S_Tipo, V_S_Ancho, V_S_Centro, donde V es E (error),
                               DE (derivada del error) o U (control) y S es el conjunto MN, Ne,
                               Ze, Po o MP; Tipo es 0 triángulo, 1 hombro izquierdo, 2 hombro
                               derecho, 3 constante; Ancho el ancho y Centro el centro
                       reglas: Reglas_F_C, la celda de la fila F (conjunto del error) y la
                               columna C (conjunto de la derivada), cada una de 1 a 5 por MN,
                               Ne, Ze, Po, MP; su texto nombra el conjunto de salida, de 0 a 4
                               por MN a MP
                       deslizador: Track_Referencia, la posición del deslizador, un número
                               entero (de 0 a 10 en el programa, 2 al empezar; la referencia
                               es 0,5 x posición)
                       ejemplo: --Alto_Escalon=3   --Reglas_3_3=4   --E_Ze_Ancho=1
                       ejemplo: --Track_Referencia=6   --T_Sample=250
  --NOMBRE@N=TEXTO   pone el texto justo antes de la muestra cuyo número (el contador de la
                     corrida, desde 0) es N, menor que MUESTRAS. Solo los textos que la
                     corrida lee en cada muestra: escalon lee Alto_Escalon; pid lee T_Sample,
                     Kp, Ti, Td y Track_Referencia; fuzzy lee T_Sample, KE, KDE, KU y
                     Track_Referencia. Los demás (la planta, los conjuntos y las reglas, las
                     ganancias de otra corrida) se leen al empezar o al inicializar el control
                     fuzzy: un cambio programado no actuaría y la opción se rechaza
                       ejemplo: tanque-lote pid 300 --Track_Referencia@100=8 --Kp@50=4
  --config=ARCHIVO   toma los textos y la posición del deslizador de una configuración
                     guardada por el programa (un archivo .tanque, JSON) antes que las
                     opciones --NOMBRE=TEXTO y --NOMBRE@N=TEXTO, que van sobre ellos; un
                     programa grabado en el archivo no se usa (véase reproducir). Si el
                     archivo no se puede leer, termina con estado 1 y su mensaje; lo que el
                     archivo tiene y tanque-lote no conoce se avisa una vez y se ignora
                       ejemplo: tanque-lote pid 300 --config=ejemplo.tanque --Kp=4
  --decimal=SEP      el separador decimal de los textos, ',' o '.' (por omisión '.'); con ','
                     los textos iniciales se escriben con coma, como con una configuración
                     regional así, y un texto con punto no es un número
                       ejemplo: --decimal=, --Kp=1,5
  --salida=ARCHIVO   escribe cada muestra completada, desde la 0, en ARCHIVO con el formato de
                     exportación del programa: número de muestra, acción de control y nivel en
                     campos de 5, 9 y 9 caracteres, 4 decimales, líneas terminadas en CR LF.
                     ARCHIVO se abre antes de la corrida (una FIFO espera allí a su lector) y
                     se escribe a medida que salen las muestras, al lado, en un archivo
                     temporal que al final reemplaza a ARCHIVO. Al terminar, ARCHIVO tiene el
                     registro de esta corrida entero (vacío si la corrida no empezó; con las
                     muestras anteriores si una muestra falló) o, si el registro mismo no se
                     pudo escribir, lo que tenía antes. Lo que no es un archivo normal (una
                     FIFO, un terminal) se escribe directamente. No puede ser la salida
                     estándar de la traza ni la salida de errores
                       ejemplo: --salida=escalon.txt
  --traza            escribe una traza CSV en la salida estándar, una cabecera y una fila por
                     muestra: n,accion,nivel,referencia,Volumen,Error_Ant,Integral,
                     Salida_Fuzzy_Ant,Nivel_Top,Nivel_Height; n y los de la barra de nivel,
                     Nivel_Top y Nivel_Height, son números enteros, los demás números
                     hexadecimales exactos (%a); referencia está vacía en la corrida escalon.
                     Si el lector de la traza la cierra antes (como head), la traza termina
                     sin error y la corrida sigue solo si hay un registro que completar
                       ejemplo: tanque-lote escalon 400 --traza > escalon.csv
  --help, -h, --ayuda
                     muestra este texto y no hace nada más
                       ejemplo: tanque-lote --help

Los mensajes que el programa mostraría en una caja van a la salida de errores como
"N: texto", N el contador de la corrida en ese momento; si un texto no se pudo convertir,
lleva su nombre delante: "0: Kp: '1,5' is not a valid floating point value". Los mensajes
propios de tanque-lote empiezan por "tanque-lote: ".
Estado de salida: 0 si las muestras corrieron (con parada por desborde incluida), 1 si
fallaron el comienzo, una muestra o la escritura de ARCHIVO o de la traza, si la
configuración no se pudo leer o si el programa no se pudo reproducir (el mensaje está en
la salida de errores), 2 si las opciones están mal. Con Ctrl-C (SIGINT) o SIGTERM
termina por la señal (estado 130 o 143 en el shell) y ARCHIVO queda como estaba o con el
registro entero; nunca queda un archivo temporal.

Ejemplos:
  tanque-lote escalon 600 --Alto_Escalon=1.5 --salida=escalon.txt
  tanque-lote fuzzy 300 --Reglas_3_3=3 --Track_Referencia@100=6 --traza > fuzzy.csv
)";
}
