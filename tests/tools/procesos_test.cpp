// tanque-lote from outside, as a shell runs it: its outputs on a full device, a closed descriptor, a pipe whose
// reader leaves, a FIFO; signals in the middle of a run; its memory over long runs.

#include <dlfcn.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "export/huella.h"
#include "tests/export/utilidades.h"
#include "tests/tools/proceso.h"

namespace {

// The tool of the tree this test was linked in (the sanitizer build links the plain build's object of this file).
const std::string kLote = [] {
    const std::filesystem::path lote =
        std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path().parent_path() / "tools" /
        "tanque-lote";
    return std::filesystem::exists(lote) ? lote.string() : std::string(TANQUE_LOTE);
}();
const std::string kCabecera =
    "n,accion,nivel,referencia,Volumen,Error_Ant,Integral,Salida_Fuzzy_Ant,Nivel_Top,Nivel_Height";

bool Contiene(const std::string& texto, const std::string& parte) { return texto.find(parte) != std::string::npos; }

void Escribir(const std::string& ruta, const std::string& contenido) {
    std::ofstream(ruta, std::ios::binary) << contenido;
}

std::size_t Lineas(const std::string& texto) {
    std::size_t n = 0;
    for (char c : texto) n += c == '\n';
    return n;
}

// Waits until `listo` holds, polling every millisecond, for at most 60 s.
template <typename F>
bool Esperar(F&& listo) {
    const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!listo()) {
        if (std::chrono::steady_clock::now() > limite) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

std::uintmax_t Tamano(const std::string& ruta) {
    std::error_code e;
    const auto t = std::filesystem::file_size(ruta, e);
    return e ? 0 : t;
}

}  // namespace

// A trace, or the help, that cannot be written ends the tool with status 1 and a message that names it.
TEST(Salidas, UnaSalidaEstandarQueFallaTerminaConEstado1) {
    struct Caso {
        std::vector<std::string> argumentos;
        Destino destino;
        const char* nombre;  // the stream the message must name
    };
    const Caso casos[] = {
        {{"escalon", "1000", "--traza"}, Destino::Archivo, "traza"},  // /dev/full
        {{"escalon", "10", "--traza"}, Destino::Cerrado, "traza"},    // >&-
        {{"pid", "3", "--traza"}, Destino::Archivo, "traza"},         // a short trace fails at its last flush
        {{"--help"}, Destino::Archivo, "ayuda"},
        {{"--help"}, Destino::Cerrado, "ayuda"},
        {{"pid", "600", "--Track_Referencia@300=6", "--indices"}, Destino::Archivo, "índices"},
        {{"pid", "10", "--indices", "--json"}, Destino::Cerrado, "índices"},
        {{"comparar", "50"}, Destino::Archivo, "comparación"},
        {{"comparar", "50", "--json"}, Destino::Cerrado, "comparación"},
        {{"identificar", "no-importa.txt"}, Destino::Cerrado, "identificación"},
    };
    for (const Caso& c : casos) {
        const Final f = Correr(kLote, c.argumentos, c.destino, "/dev/full");
        EXPECT_TRUE(f.salio && f.estado == 1) << c.argumentos[0] << ": " << Describir(f);
        EXPECT_TRUE(Contiene(f.errores, c.nombre)) << f.errores;
    }
}

// The record and the trace on one file would overwrite each other; so would the record and the messages.
TEST(Salidas, ElRegistroEnLaSalidaEstandarOEnLaDeErroresSeRechaza) {
    CarpetaTemporal carpeta;
    const std::string f = carpeta.Ruta("f.txt");
    const std::vector<std::vector<std::string>> casos = {
        {"escalon", "20", "--salida=/dev/stdout", "--traza"},
        {"escalon", "20", "--salida=" + f, "--traza"},
        {"escalon", "20", "--salida=/dev/stderr"},
        {"escalon", "20", "--salida=/proc/self/fd/2", "--traza"},
    };
    for (const auto& a : casos) {
        const Final r = Correr(kLote, a, Destino::Archivo, f);
        EXPECT_TRUE(r.salio && r.estado == 2) << a[2] << ": " << Describir(r);
        EXPECT_TRUE(Contiene(r.errores, "--salida")) << r.errores;
    }
    // without the trace, the record may go to standard output
    const Final r = Correr(kLote, {"escalon", "3", "--salida=/dev/stdout"}, Destino::Archivo, f);
    EXPECT_TRUE(r.salio && r.estado == 0) << Describir(r);
    EXPECT_EQ(LeerBytes(f), "    0   2.0000   0.0988\r\n    1   2.0000   0.1951\r\n    2   2.0000   0.2890\r\n");
}

// `tanque-lote ... --traza | head -1`: the reader that leaves ends the trace as `seq | head` ends seq's output.
TEST(Salidas, UnLectorQueCierraLaTrazaEsUnFinNormal) {
    Proceso p(kLote, {"escalon", "1000000", "--traza"});
    EXPECT_EQ(p.LeerLinea(), kCabecera);
    p.CerrarSalida();
    const Final f = p.Esperar();
    EXPECT_TRUE(f.salio && f.estado == 0) << Describir(f);
    EXPECT_EQ(f.errores, "");
}

// The trace's reader leaves, the record is still made whole.
TEST(Salidas, SinLectorDeLaTrazaElRegistroSeCompleta) {
    CarpetaTemporal carpeta;
    const std::string registro = carpeta.Ruta("r.txt");
    Proceso p(kLote, {"escalon", "50000", "--traza", "--salida=" + registro});
    EXPECT_EQ(p.LeerLinea(), kCabecera);
    p.CerrarSalida();
    const Final f = p.Esperar();
    EXPECT_TRUE(f.salio && f.estado == 0) << Describir(f);
    EXPECT_EQ(Lineas(LeerBytes(registro)), 50000u);
}

// A FIFO is opened before the run: with no reader the tool waits before doing any work.
TEST(Salidas, UnaFifoSinLectorEsperaAntesDeCorrer) {
    CarpetaTemporal carpeta;
    const std::string fifo = carpeta.Ruta("fifo");
    const std::string traza = carpeta.Ruta("traza.csv");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    Proceso p(kLote, {"escalon", "20000", "--traza", "--salida=" + fifo}, Destino::Archivo, traza);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_EQ(Tamano(traza), 0u) << "the run went on before its record had a reader";
    std::string registro;
    {
        std::ifstream lector(fifo, std::ios::binary);
        registro.assign(std::istreambuf_iterator<char>(lector), std::istreambuf_iterator<char>());
    }
    const Final f = p.Esperar();
    EXPECT_TRUE(f.salio && f.estado == 0) << Describir(f);
    EXPECT_EQ(Lineas(registro), 20000u);
    EXPECT_EQ(Lineas(LeerBytes(traza)), 20001u);
}

// A reader of the record that leaves early is an error: the record did not reach it.
TEST(Salidas, UnLectorDelRegistroQueSeVaEsUnError) {
    CarpetaTemporal carpeta;
    const std::string fifo = carpeta.Ruta("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    Proceso p(kLote, {"escalon", "300000", "--salida=" + fifo}, Destino::Archivo, "/dev/null");
    {
        std::ifstream lector(fifo, std::ios::binary);
        char algo[100];
        lector.read(algo, sizeof algo);
    }
    const Final f = p.Esperar();
    EXPECT_TRUE(f.salio && f.estado == 1) << Describir(f);
    EXPECT_TRUE(Contiene(f.errores, fifo)) << f.errores;
}

// SIGINT, SIGTERM and the other signals that end a program by default (SIGALRM, SIGUSR1, SIGUSR2) while the
// record is being made: the target keeps what it held or holds the whole record, no temporary file is left, and
// the tool ends by the signal (the shell shows 130, 143...).
TEST(Senales, InterrumpirDejaElDestinoIntactoOCompleto) {
    const std::string viejo = "viejo\r\n";
    constexpr int kMuestras = 3000000;
    for (int senal : {SIGINT, SIGTERM, SIGALRM, SIGUSR1, SIGUSR2}) {
        CarpetaTemporal carpeta;
        const std::string destino = carpeta.Ruta("registro.txt");
        Escribir(destino, viejo);
        Proceso p(kLote, {"escalon", std::to_string(kMuestras), "--salida=" + destino}, Destino::Archivo, "/dev/null");
        // the moment something is written: the target itself, or a file beside it
        const bool escribiendo = Esperar([&] {
            const auto nombres = Nombres(carpeta.ruta().string());
            return Tamano(destino) != viejo.size() ||
                   (nombres.size() > 1 &&
                    Tamano(carpeta.Ruta(nombres[0] == "registro.txt" ? nombres[1] : nombres[0])) > 0);
        });
        ASSERT_TRUE(escribiendo);
        p.Senal(senal);
        const Final f = p.Esperar();
        EXPECT_TRUE(!f.salio && f.estado == senal) << Describir(f);
        EXPECT_EQ(Nombres(carpeta.ruta().string()), std::vector<std::string>{"registro.txt"});
        const std::string contenido = LeerBytes(destino);
        if (contenido != viejo) {
            EXPECT_EQ(Lineas(contenido), static_cast<std::size_t>(kMuestras)) << "signal " << senal;
        }
    }
}

// A record larger than `ulimit -f` allows: the write fails (EFBIG) and is reported, instead of SIGXFSZ ending the
// tool silently with its temporary file left; the old record stays.
TEST(Senales, ElLimiteDeTamanoDaUnMensaje) {
    CarpetaTemporal carpeta;
    const std::string destino = carpeta.Ruta("registro.txt");
    Escribir(destino, "viejo\r\n");
    Proceso p("/bin/sh", {"-c", "ulimit -f 100; exec " + std::string(kLote) + " escalon 100000 --salida=" + destino},
              Destino::Archivo, "/dev/null");
    const Final f = p.Esperar();
    EXPECT_TRUE(f.salio && f.estado == 1) << Describir(f);
    EXPECT_TRUE(Contiene(f.errores, "no se pudo escribir el registro")) << f.errores;
    EXPECT_EQ(Nombres(carpeta.ruta().string()), std::vector<std::string>{"registro.txt"});
    EXPECT_EQ(LeerBytes(destino), "viejo\r\n");
}

// Two runs writing the same pair at once: whichever finishes last, its record and its description are a pair (the
// description's SHA-256 is the record's), never one run's record beside the other's description.
TEST(Pares, DosCorridasALaVezNoMezclanElPar) {
    CarpetaTemporal carpeta;
    const std::string destino = carpeta.Ruta("r.txt");
    for (int vez = 0; vez < 12; ++vez) {
        Proceso a(kLote, {"escalon", "20000", "--salida=" + destino}, Destino::Archivo, "/dev/null");
        Proceso b(kLote, {"pid", "20000", "--salida=" + destino}, Destino::Archivo, "/dev/null");
        const Final fa = a.Esperar(), fb = b.Esperar();
        ASSERT_TRUE(fa.salio && fa.estado == 0) << Describir(fa);
        ASSERT_TRUE(fb.salio && fb.estado == 0) << Describir(fb);
        const std::string d = LeerBytes(carpeta.Ruta("r.json"));
        const std::size_t i = d.find("\"sha256\": \"");
        ASSERT_NE(i, std::string::npos);
        EXPECT_EQ(d.substr(i + 11, 64), ResumenDe(destino).sha256) << "a mixed pair, time " << vez;
        EXPECT_EQ(Nombres(carpeta.ruta().string()), (std::vector<std::string>{"r.json", "r.txt"}));
    }
}

// Peak memory of whole runs with trace and record: 10^6 samples take no more than 10^3 (within 1 MB).
TEST(Memoria, ElLoteNoCreceConLasMuestras) {
    // asked of the running program, not of this file: the sanitizer build links this file as the plain one made it
    if (::dlsym(RTLD_DEFAULT, "__asan_init") != nullptr)
        GTEST_SKIP() << "AddressSanitizer keeps freed memory in quarantine; scripts/largo measures the plain build";
    CarpetaTemporal carpeta;
    for (const char* corrida : {"escalon", "pid", "fuzzy"}) {
        const auto pico = [&](const char* muestras) {
            const Final f = Correr(kLote, {corrida, muestras, "--traza", "--salida=" + carpeta.Ruta("r.txt")},
                                   Destino::Archivo, "/dev/null");
            EXPECT_TRUE(f.salio && f.estado == 0) << Describir(f);
            return f.picoKB;
        };
        const long poco = pico("1000");
        const long mucho = pico("1000000");
        EXPECT_LT(mucho - poco, 1024) << corrida << ": " << poco << " kB at 10^3, " << mucho << " kB at 10^6";
    }
}

// A FIFO with no reader holds the tool before the run; Ctrl-C ends it there, by the signal, with nothing left behind.
TEST(Senales, CtrlCMientrasEsperaAlLectorDeUnaFifo) {
    CarpetaTemporal carpeta;
    const std::string fifo = carpeta.Ruta("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    Proceso p(kLote, {"pid", "1000", "--salida=" + fifo}, Destino::Archivo, "/dev/null");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    p.Senal(SIGINT);
    const Final f = p.Esperar();
    EXPECT_TRUE(!f.salio && f.estado == SIGINT) << Describir(f);
    EXPECT_EQ(Nombres(carpeta.ruta().string()), std::vector<std::string>{"fifo"});
}

namespace {

// A set-up whose schedule is one open-loop run of `ticks` samples.
std::string ProgramaEscalon(const std::string& ruta, long ticks) {
    Escribir(ruta, "{\"formato\":\"tanque-configuracion\",\"version\":1,\"programa\":[{\"evento\":\"alternar\","
                   "\"muestra\":0,\"corrida\":\"escalon\"},{\"evento\":\"ticks\",\"muestra\":0,\"corrida\":\"escalon\","
                   "\"cuenta\":" + std::to_string(ticks) + "}]}");
    return ruta;
}

}  // namespace

// reproducir --salida writes its record as it goes: 10^6 replayed ticks take no more memory than 10^3 (within
// 1 MB), where the chart kept for the export took some 35 bytes a sample; and the record is whole.
TEST(Memoria, ReproducirNoCreceConLosTicks) {
    if (::dlsym(RTLD_DEFAULT, "__asan_init") != nullptr)
        GTEST_SKIP() << "AddressSanitizer keeps freed memory in quarantine; bench/memoria_reproducir measures it";
    CarpetaTemporal carpeta;
    const auto pico = [&](long ticks) {
        const std::string programa = ProgramaEscalon(carpeta.Ruta("p.tanque"), ticks);
        const Final f =
            Correr(kLote, {"reproducir", programa, "--salida=" + carpeta.Ruta("r.txt")}, Destino::Archivo, "/dev/null");
        EXPECT_TRUE(f.salio && f.estado == 0) << Describir(f);
        EXPECT_EQ(Lineas(LeerBytes(carpeta.Ruta("r.txt"))), static_cast<std::size_t>(ticks));
        return f.picoKB;
    };
    const long poco = pico(1000);
    const long mucho = pico(1000000);
    EXPECT_LT(mucho - poco, 1024) << poco << " kB at 10^3, " << mucho << " kB at 10^6";
}

// A signal in the middle of a replay whose record is being written: the old record stays, no temporary is left.
TEST(Senales, InterrumpirUnaReproduccionDejaElRegistroViejo) {
    for (int senal : {SIGINT, SIGTERM}) {
        CarpetaTemporal carpeta;
        const std::string destino = carpeta.Ruta("registro.txt");
        Escribir(destino, "viejo\r\n");
        const std::string programa = ProgramaEscalon(carpeta.Ruta("p.tanque"), 3000000);
        Proceso p(kLote, {"reproducir", programa, "--salida=" + destino}, Destino::Archivo, "/dev/null");
        ASSERT_TRUE(Esperar([&] { return Nombres(carpeta.ruta().string()).size() > 2; }));  // its temporary
        p.Senal(senal);
        const Final f = p.Esperar();
        EXPECT_TRUE(!f.salio && f.estado == senal) << Describir(f);
        EXPECT_EQ(Nombres(carpeta.ruta().string()), (std::vector<std::string>{"p.tanque", "registro.txt"}));
        EXPECT_EQ(LeerBytes(destino), "viejo\r\n");
    }
}
