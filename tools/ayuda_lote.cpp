#include "tools/ayuda_lote.h"

const char* TextoDeAyuda() {
    return R"(uso: tanque-lote escalon|pid|fuzzy MUESTRAS [OPCIÓN]...
  o bien: tanque-lote comparar MUESTRAS [OPCIÓN]...
  o bien: tanque-lote identificar ARCHIVO [OPCIÓN]...
  o bien: tanque-lote sintonizar ARCHIVO|--verdad [OPCIÓN]...
  o bien: tanque-lote rele MUESTRAS [OPCIÓN]...
  o bien: tanque-lote reproducir ARCHIVO.tanque [--decimal=,] [--salida=ARCHIVO] [--traza]
  o bien: tanque-lote barrido MANIFIESTO [--parte=I/N] [--hilos=N] [--salida=DIRECTORIO]
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
  comparar       corre el control PID y el control fuzzy, cada uno en un simulador propio, con
                 los mismos textos y el mismo calendario de la referencia (--Track_Referencia=P
                 desde la muestra 0, --Track_Referencia@N=P desde la muestra N; ningún otro
                 texto programado), y escribe los índices de cada escalón de la referencia de
                 los dos en una sola tabla, una fila por controlador y escalón (con --json, un
                 objeto {"pid": {...}, "fuzzy": {...}}, cada uno con "muestras", "escalones" y
                 "fallo"). No escribe registro ni traza
                   ejemplo: tanque-lote comparar 600 --Track_Referencia@300=6 --Kp=4
                 Con --otro:NOMBRE=TEXTO compara dos ajustes del PID en lugar de PID y fuzzy:
                 el de los textos (PID) y el de los textos con esos cambios (PID-2, clave
                 "pid2" en JSON)
                   ejemplo: tanque-lote comparar 300 --Track_Referencia=6 --Caudal_Min=0 --Caudal_Max=1.75 --otro:Antisaturacion=Retrocalculo
  identificar    lee un registro y estima la planta; ver "Identificar la planta" más abajo
  sintonizar     las ganancias del PID por una regla de sintonía; ver "Sintonizar el PID"
  rele           el experimento del relé; ver "Sintonizar el PID"

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
                               Modelo_Planta (Lineal): Lineal, el tanque del programa;
                               Orificio, caudal de salida Coef_Descarga x raíz(nivel);
                               "Dos Tanques", un tanque superior que desagua en el medido y
                               derrama sobre HMax_2 (el caudal derramado se pierde)
                               Coef_Descarga (1.58113883 = raíz(2,5): a la mitad de HMax la
                               resistencia linealizada 2 raíz(h) / k vale 2, la Resistencia)
                               Area_2 (10), Resistencia_2 (2), Coef_Descarga_2 (1.58113883),
                               HMax_2 (5): el tanque superior; Salida_Tanques (Lineal):
                               Lineal u Orificio, la ley de salida de ambos tanques
                               Integrador (Programa): Programa, los subpasos de T/10 del
                               programa (10 u 11); Exacto, 8 subpasos de T/8 que suman T
                       ejemplo: tanque-lote escalon 600 --Modelo_Planta=Orificio --Integrador=Exacto
                       escalón: Alto_Escalon (caudal del escalón, 2)
                       PID:    Kp (2), Ti (5), Td (0); Antisaturacion (Ninguna): Ninguna,
                               Condicional (no integra mientras la acción pasa un límite de la
                               bomba y el error la empuja más allá) o Retrocalculo (la diferencia
                               entre la acción aplicada y la calculada vuelve a la integral con el
                               tiempo Tt; vacío: raíz(Ti Td), o Ti si Td = 0); N (vacío: sin
                               filtro; el filtro de la derivada Td/N s); Derivada (Error): Error o
                               Medicion (la derivada de -nivel, sin golpe al cambiar la
                               referencia); b (1): el peso de la referencia en Kp (b r - y)
                       bomba:  Caudal_Min, Caudal_Max (vacíos: sin límite): el caudal que la
                               bomba da en cada corrida; el registro guarda el aplicado y la
                               traza añade accion_comandada
                       perturbación: Perturbacion_Tipo (Ninguna, o un tipo de señal como
                               Senal_Tipo), un caudal que sale por una segunda salida del tanque
                               desde la muestra Perturbacion_Inicio (0); Perturbacion_Minimo (0),
                               Perturbacion_Maximo (0.5; el Escalón es este caudal constante),
                               Perturbacion_Periodo, Perturbacion_Orden, Perturbacion_Semilla (2,
                               la suya), Perturbacion_Frecuencia_Min, Perturbacion_Frecuencia_Max,
                               Perturbacion_Componentes y Perturbacion_Longitud, como los de la
                               señal
                       sensor: Sensor_Retardo (0 muestras), Sensor_Constante (0 s, un retraso
                               de primer orden), Sensor_Resolucion (0, sin cuantizar): el nivel
                               que ven el controlador y el registro; la planta sigue con el real
                       ejemplo: tanque-lote pid 300 --Track_Referencia=6 --Caudal_Min=0 --Caudal_Max=1.75 --Antisaturacion=Retrocalculo
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
                     archivo tiene y tanque-lote no conoce se avisa una vez y se ignora.
                     comparar también la toma (su deslizador es la referencia desde la
                     muestra 0, salvo que se dé --Track_Referencia)
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
                       ejemplo: --salida=pid.txt
  --formato=FORMATO  el formato del registro de --salida: txt (el de siempre, por omisión),
                     csv, mat o h5. Sin --formato lo elige la extensión de ARCHIVO: .csv (una
                     cabecera con nombres y unidades, Ts, punto decimal, cada número en su forma
                     más corta que se lee como el mismo Double), .mat (MAT v5: muestra, t, u, y,
                     Ts, unidades y la descripción como estructura), .h5 o .hdf5 (HDF5: un
                     conjunto de datos por columna, escrito por trozos); cualquier otra, el de
                     siempre. Las corridas pid y fuzzy añaden la columna r (la referencia). MAT
                     y HDF5 necesitan un archivo en el disco; los cuatro llevan su descripción
                     al lado con las mismas garantías
                       ejemplo: tanque-lote pid 300 --salida=pid.mat
  --grafico=ARCHIVO.svg  dibuja la corrida en ARCHIVO.svg, un SVG para un informe: nivel,
                     acción de control y referencia contra la muestra, con los títulos de los
                     ejes y la leyenda; cada línea guarda el primero, el menor, el mayor y el
                     último valor de cada una de a lo sumo 1000 columnas de muestras (la memoria
                     no crece con la corrida y se ve cada pico). Se escribe al final, entero
                       ejemplo: tanque-lote escalon 600 --grafico=escalon.svg
  --traza            escribe una traza CSV en la salida estándar, una cabecera y una fila por
                     muestra: n,accion,nivel,referencia,Volumen,Error_Ant,Integral,
                     Salida_Fuzzy_Ant,Nivel_Top,Nivel_Height; n y los de la barra de nivel,
                     Nivel_Top y Nivel_Height, son números enteros, los demás números
                     hexadecimales exactos (%a); referencia está vacía en la corrida escalon.
                     Si el lector de la traza la cierra antes (como head), la traza termina
                     sin error y la corrida sigue solo si hay un registro que completar
                       ejemplo: tanque-lote escalon 400 --traza > escalon.csv
                     Al lado de un ARCHIVO normal se escribe también su descripción en JSON, la
                     misma que escribe "Archivo" en el programa: ARCHIVO.json, o NOMBRE.json si
                     ARCHIVO es NOMBRE.txt o NOMBRE.red (cómo se hizo la corrida: la planta, el
                     periodo de muestreo, el retardo, la señal, los textos y sus cambios). Se
                     escribe igual que el registro, entera o nada: si no se puede crear, ni el
                     registro ni la descripción cambian y el estado es 1; el mensaje nombra el
                     archivo que falló
  --indices          al terminar, los índices de respuesta de cada escalón (cada cambio de la
                     referencia; en la corrida escalon, de la entrada), los mismos de la ventana
                     "Índices": IAE, ISE, ITAE, esfuerzo, sobreimpulso (%), tiempo de subida del
                     10 % al 90 % y de establecimiento (segundos; la banda es el texto
                     Banda_Establecimiento, 2 % del escalón) y error final. Una tabla en la salida
                     estándar, una fila por escalón que se escribe cuando el escalón termina; la
                     última fila es el escalón en curso al final. "—" donde un índice no está
                     definido. No se puede pedir junto con --traza
                       ejemplo: tanque-lote pid 600 --Track_Referencia@300=8 --indices
  --json             con --indices, un objeto JSON por escalón y línea, con las claves escalon,
                     con_referencia, terminado, primera, ultima, muestras, duracion, inicial,
                     objetivo, IAE, ISE, ITAE, esfuerzo, sobreimpulso, tiempo_subida,
                     tiempo_establecimiento, error_estacionario, establecida (null donde no está
                     definido); con comparar e identificar, su salida en JSON
                       ejemplo: tanque-lote fuzzy 600 --Track_Referencia@200=6 --indices --json
  --help, -h, --ayuda
                     muestra este texto y no hace nada más
                       ejemplo: tanque-lote --help

Señales de excitación de la corrida escalon (textos que la corrida lee en cada muestra):
  --Senal_Tipo=TIPO  la entrada de la corrida escalon: Escalón (por omisión: el caudal es
                     Alto_Escalon), PRBS, Binaria aleatoria, Niveles aleatorios, Multiseno,
                     Barrido o Gaussiana; sin acento, en mayúsculas o minúsculas y con '_' o '-'
                     por los espacios ("binaria_aleatoria"). Los textos de la señal, con sus
                     valores iniciales (cada tipo lee solo los suyos):
                       Senal_Minimo (0.5), Senal_Maximo (2): los caudales extremos, mínimo <=
                               máximo
                       Senal_Periodo (10): muestras por reloj de las binarias, permanencia más
                               larga de los niveles aleatorios, permanencia de cada valor de la
                               gaussiana; al menos 1
                       Senal_Orden (6): orden de la PRBS, de 2 a 20 (2^orden - 1 relojes)
                       Senal_Semilla (1): semilla de las señales aleatorias, estado inicial de
                               la PRBS; entero >= 0
                       Senal_Frecuencia_Min (0.01), Senal_Frecuencia_Max (0.2): la banda del
                               multiseno y del barrido, fracciones de la frecuencia de Nyquist
                               en (0, 1]
                       Senal_Componentes (10): senos del multiseno, de 1 a 1000
                       Senal_Longitud (400): muestras del periodo del multiseno y de un
                               barrido, de 2 a 1000000
                     y el ruido de medida, en todas las corridas: Ruido_Desviacion (0, sin
                     ruido) y Ruido_Semilla (1)
                       PRBS (Senal_Minimo, Senal_Maximo, Senal_Periodo, Senal_Orden, Senal_Semilla):
                       ejemplo: tanque-lote escalon 1260 --Senal_Tipo=PRBS --salida=prbs.txt
                       Binaria aleatoria (Senal_Minimo, Senal_Maximo, Senal_Periodo, Senal_Semilla):
                       ejemplo: tanque-lote escalon 800 --Senal_Tipo=binaria_aleatoria --Senal_Semilla=7 --salida=binaria.txt
                       Niveles aleatorios (los mismos textos que la binaria):
                       ejemplo: tanque-lote escalon 800 --Senal_Tipo=niveles_aleatorios --Senal_Periodo=20
                       Multiseno (Senal_Minimo, Senal_Maximo, Senal_Frecuencia_Min,
                       Senal_Frecuencia_Max, Senal_Componentes, Senal_Longitud):
                       ejemplo: tanque-lote escalon 800 --Senal_Tipo=Multiseno --Senal_Componentes=20
                       Barrido (Senal_Minimo, Senal_Maximo, Senal_Frecuencia_Min,
                       Senal_Frecuencia_Max, Senal_Longitud):
                       ejemplo: tanque-lote escalon 800 --Senal_Tipo=Barrido --Senal_Longitud=800
                       Gaussiana (Senal_Minimo, Senal_Maximo, Senal_Periodo, Senal_Semilla; la
                       media es el centro del intervalo, la desviación su cuarta parte y los
                       valores se recortan al intervalo):
                       ejemplo: tanque-lote escalon 800 --Senal_Tipo=Gaussiana --Ruido_Desviacion=0.01

Identificar la planta:
  identificar ARCHIVO
                     lee un registro con el formato de exportación (el de --salida o el del
                     botón "Archivo") y estima la planta de primer orden
                     y(k) = a y(k-1) + b u(k - retardo): la ganancia K = b / (1 - a) (la
                     Resistencia) y la constante de tiempo Tau = -T / ln(a) (Area x Resistencia),
                     con ± un error típico, a, b, el retardo, el ajuste (%, 100 es perfecto) y el
                     número de muestras. Si al lado está su descripción (ARCHIVO.json o
                     NOMBRE.json), de ella salen el periodo de muestreo y el retardo; si no, el
                     periodo es 500 ms y el retardo el de menor pérdida de ARX, 0 o 1. Todos los
                     métodos usan el mismo retardo. Por omisión estima con ARX y OE, y además con
                     la lectura del escalón cuando la entrada es un escalón (constante o con un
                     solo cambio); un método por omisión que no puede estimar dice por qué y el
                     estado sigue siendo 0
                       ejemplo: tanque-lote identificar prbs.txt
  --retardo=0|1      el retardo: 0 en lazo abierto (corrida escalon), 1 en lazo cerrado (pid,
                     fuzzy)
                       ejemplo: tanque-lote identificar prbs.txt --retardo=0 --metodo=arx
  --T_Sample=MS      el periodo de muestreo del registro, milisegundos enteros
                       ejemplo: tanque-lote identificar binaria.txt --T_Sample=500
  --metodo=M[,M]...  arx (mínimos cuadrados), oe (error de salida, desde ARX) o escalon (la
                     lectura clásica del 63,2 %), uno o varios separados por comas; un método
                     pedido que no puede estimar termina con estado 1
                       ejemplo: tanque-lote identificar escalon.txt --metodo=escalon,oe
  --validar=OTRO     aplica el modelo de cada método a la entrada de otro registro y da su ajuste
                     en él (con el periodo y el retardo de la descripción de OTRO, si la tiene)
                       ejemplo: tanque-lote identificar prbs.txt --validar=binaria.txt
                     a través del modelo en tiempo continuo, con el tiempo de planta por muestra
                     de cada descripción (11 subpasos de T/10 a 300 ms)
  --ordenes          barre ARX(na, nb, nk) y OE(nb, nf, nk) con na, nf hasta 4 y nk hasta 10,
                     ordenados por AIC (por su ajuste en OTRO con --validar), con la tabla y el
                     modelo elegido: el de menos parámetros cuyos residuos no dependen de la entrada
                       ejemplo: tanque-lote identificar prbs.txt --ordenes
  --frecuencia[=P]   la respuesta en frecuencia del registro con su banda del 99 % y la del
                     modelo: con P, la ETFE de una entrada periódica de P muestras (promedio de los
                     periodos después del primero); sin P, la ETFE si la acción se repite (con el
                     periodo hallado en el registro), si no la estimación suavizada de Welch
                       ejemplo: tanque-lote escalon 2520 --Senal_Tipo=PRBS --salida=periodica.txt
                       ejemplo: tanque-lote identificar periodica.txt --frecuencia=630
                       ejemplo: tanque-lote identificar binaria.txt --frecuencia
  --modelo=ARCHIVO   escribe el modelo (el elegido de --ordenes, si no el primero mostrado) en
                     ARCHIVO.json (coeficientes, función de transferencia continua), ARCHIVO.m
                     (una línea de Octave con el paquete control que lo reconstruye: G y Gd) o
                     ARCHIVO.py (una de Python con NumPy y SciPy)
                       ejemplo: tanque-lote identificar prbs.txt --modelo=modelo.m
  --json             un objeto JSON: archivo, muestreo_s, origen_muestreo, origen_retardo y las
                     claves del método elegido (OE, si no ARX, si no escalón): metodo, K, Tau, a,
                     b, retardo, ajuste, muestras, K_err, Tau_err (null sin error típico) y
                     ajuste_validacion con --validar; y "metodos", una lista con un objeto así
                     por método ("metodo" y "error" para el que no pudo estimar)
                     además "avisos", "residuos" (veredicto, pruebas y correlaciones), y con sus
                     opciones "ordenes", "frecuencia"; "orificio" para la planta Orificio
                       ejemplo: tanque-lote identificar prbs.txt --json
  Tras los métodos, los avisos del registro (nivel en 0, entrada constante o lenta, registro
  corto, ARX sesgado por el ruido: entonces su ± no se muestra) y el análisis de residuos del
  primer modelo (OE, si no ARX): autocorrelación e independencia de la entrada con su veredicto.
  Un registro que no se puede leer termina con estado 1 y un mensaje con el número de la
  línea; uno que no se puede identificar (corto, sin entrada, con el nivel constante...),
  con estado 1 y la razón.

Sintonizar el PID:
  sintonizar ARCHIVO
                     identifica el registro como identificar (el periodo y el retardo de su
                     descripción, o --T_Sample y --retardo; OE, si no ARX) y da las ganancias
                     Kp, Ti, Td de una regla en los términos del diálogo PID (su forma ideal, su
                     periodo y su integral trapezoidal; redondeadas a 4 cifras, como los
                     textos), con el margen de ganancia, el margen de fase, la sensibilidad
                     máxima Ms y el escalón predicho (sobreimpulso y establecimiento) del lazo
                     discreto del programa, sin límites de la bomba. El retardo que leen las
                     reglas es el del registro más T/2, el de la retención de la acción
                       ejemplo: tanque-lote sintonizar prbs.txt
  --verdad           en lugar de un registro, la planta verdadera de los textos: K = Resistencia,
                     Tau = Area x Resistencia, con --Resistencia, --Area, --HMax y --T_Sample
                       ejemplo: tanque-lote sintonizar --verdad --T_Sample=100
  --regla=R          simc (Skogestad, por omisión), imc (lambda), amigo (Åström-Hägglund) o zn
                     (Ziegler-Nichols por la curva de reacción)
                       ejemplo: tanque-lote sintonizar prbs.txt --regla=amigo
  --tc=S, --lambda=S la perilla de simc (tc, la constante de tiempo del lazo cerrado) o de imc
                     (lambda), en segundos; por omisión, el retardo que leen las reglas
                       ejemplo: tanque-lote sintonizar prbs.txt --tc=1
  --pid              un PID en lugar de un PI
                       ejemplo: tanque-lote sintonizar --verdad --regla=amigo --pid
  --json             un objeto JSON: el origen del modelo, modelo y modelo_reglas (K, tau1, tau2,
                     theta), muestreo (T, h), regla, titulo, accion, perilla, serie, Kp, Ti, Td,
                     textos (los del diálogo PID), estable, margen_ganancia, margen_fase, Ms,
                     sobreimpulso, establecimiento y banda (null donde no está definido)
  rele MUESTRAS      el experimento del relé (Åström-Hägglund) en la planta de los textos: el
                     caudal pasa del alto al bajo cuando el nivel supera el nivel de trabajo más
                     la histéresis, y del bajo al alto cuando baja del nivel menos la histéresis,
                     en cada muestra como la corrida pid (el ruido de medida no se aplica).
                     De la oscilación sostenida salen la ganancia última Ku y el periodo último
                     Pu, por la función descriptiva (la lectura clásica) y por el primer armónico
                     de nivel y caudal (la lectura exacta), y con ellos las ganancias de
                     Ziegler-Nichols y de Tyreus-Luyben, PI y PID. Sin al menos 4 ciclos
                     regulares tras el primero, con un nivel que se vacía o pasa de HMax, termina
                     con estado 1 y la razón. MUESTRAS llega a 10000000 (el registro se guarda
                     en memoria para leerlo)
                       ejemplo: tanque-lote rele 400
  --nivel=N          el nivel de trabajo (2); el caudal central es el que lo mantiene, N / K
  --amplitud=Q       la mitad del salto del caudal; por omisión el caudal central: una bomba que
                     se enciende y se apaga (0 y 2 N / K)
  --histeresis=H     la histéresis, en unidades de nivel (0.1)
                       ejemplo: tanque-lote rele 1000 --nivel=2.5 --amplitud=0.5 --histeresis=0.2
  Con rele también --Resistencia, --Area, --HMax, --T_Sample y --json (Ku, Pu, la lectura
  clásica, el modelo de la oscilación y las reglas).

Barridos:
  barrido MANIFIESTO  muchas corridas de un manifiesto (JSON o CSV), una línea JSON por caso en
                     la salida estándar, en el orden de los casos:
                     {"caso": i, "textos": {...}, "semillas": {...}, "estado": 0, "mensajes": [...],
                     "muestras": n, "identificacion": {"metodo", "K", "Tau", "ajuste", ...},
                     "indices": [cada escalón como con --indices --json]}
                     El JSON: {"semilla": 7, "corrida": "pid", "muestras": 600,
                     "metodo": "oe|arx|escalon|ninguno", "textos": {NOMBRE: TEXTO, ...}} y uno de
                     "rejilla": {"Kp": ["1", "2"], "Ti": [...]} (el producto cartesiano, el último
                     nombre el más rápido), "hipercubo": {"casos": 200, "rangos": {"Kp": [0.5, 8]}}
                     (un hipercubo latino: cada rango partido en "casos" estratos, un punto en cada
                     uno, del azar de la semilla) o "casos": [{NOMBRE: TEXTO, ...}, ...].
                     El CSV: líneas "# semilla = 7", "# corrida = pid", "# muestras = 600" y
                     "# metodo = oe" antes de una cabecera de nombres; cada fila, un caso.
                     Ruido_Semilla, Senal_Semilla y Perturbacion_Semilla de cada caso salen de la
                     semilla del manifiesto y del número del caso (SplitMix64), salvo que el
                     manifiesto las dé: el resultado no depende de cómo se reparta el trabajo.
  --parte=I/N        solo los casos cuyo número módulo N es I - 1 (I de 1 a N): juntar las N
                     partes ordenando por "caso" (sort -n) da los bytes del barrido entero
  --hilos=N          corre los casos en N hilos (1 a 256); las líneas salen en el mismo orden
  --salida=DIRECTORIO  el registro y la descripción de cada caso en DIRECTORIO (caso-000042.txt
                     y caso-000042.json); el directorio se crea si falta
  Estado: 0 si todos los casos corrieron, 1 si alguno falló (su línea dice por qué), 2 si el
  manifiesto o las opciones están mal.

Los mensajes que el programa mostraría en una caja van a la salida de errores como
"N: texto", N el contador de la corrida en ese momento; si un texto no se pudo convertir,
lleva su nombre delante: "0: Kp: '1,5' is not a valid floating point value". Los mensajes
propios de tanque-lote empiezan por "tanque-lote: ".
Estado de salida: 0 si las muestras corrieron (con parada por desborde incluida), 1 si
fallaron el comienzo, una muestra o la escritura de ARCHIVO, de su descripción o de la traza,
si identificar no pudo leer o identificar un registro, si sintonizar no pudo sintonizar, si
rele no encontró una oscilación que leer, si la configuración no se pudo leer o
si el programa no se pudo reproducir (el mensaje está en la salida de errores), 2 si las
opciones están mal. Con Ctrl-C (SIGINT) o SIGTERM
termina por la señal (estado 130 o 143 en el shell) y ARCHIVO queda como estaba o con el
registro entero; nunca queda un archivo temporal.

Ejemplos:
  tanque-lote escalon 600 --Alto_Escalon=1.5 --salida=escalon.txt
  tanque-lote identificar escalon.txt
  tanque-lote fuzzy 300 --Reglas_3_3=3 --Track_Referencia@100=6 --traza > fuzzy.csv
)";
}
