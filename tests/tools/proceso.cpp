#include "tests/tools/proceso.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <utility>

namespace {

// Appends what one read gives; false at the end of the pipe.
bool LeerUnaVez(int fd, std::string& destino) {
    char bloque[65536];
    ssize_t n;
    do n = ::read(fd, bloque, sizeof bloque);
    while (n < 0 && errno == EINTR);
    if (n <= 0) return false;
    destino.append(bloque, static_cast<std::size_t>(n));
    return true;
}

void Cerrar(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

}  // namespace

std::string Describir(const Final& f) {
    return (f.salio ? "exit " : "signal ") + std::to_string(f.estado) + "; stderr: " + f.errores;
}

Proceso::Proceso(const std::string& programa, const std::vector<std::string>& argumentos, Destino destino,
                 const std::string& archivo) {
    int salida[2] = {-1, -1};
    int errores[2];
    if ((destino == Destino::Tubo && ::pipe2(salida, O_CLOEXEC) != 0) || ::pipe2(errores, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe");
    int archivoFd = -1;
    if (destino == Destino::Archivo) {
        archivoFd = ::open(archivo.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (archivoFd < 0) throw std::runtime_error("cannot open " + archivo);
    }
    std::vector<std::string> palabras{programa};
    palabras.insert(palabras.end(), argumentos.begin(), argumentos.end());
    std::vector<char*> argv;
    for (std::string& p : palabras) argv.push_back(p.data());
    argv.push_back(nullptr);

    pid_ = ::fork();
    if (pid_ < 0) throw std::runtime_error("fork");
    if (pid_ == 0) {
        // the child: what a shell would give it, whatever this test process has set for itself
        ::signal(SIGPIPE, SIG_DFL);
        ::signal(SIGINT, SIG_DFL);
        ::signal(SIGTERM, SIG_DFL);
        sigset_t vacio;
        sigemptyset(&vacio);
        ::sigprocmask(SIG_SETMASK, &vacio, nullptr);
        if (destino == Destino::Tubo) ::dup2(salida[1], 1);
        if (destino == Destino::Archivo) ::dup2(archivoFd, 1);
        if (destino == Destino::Cerrado) ::close(1);
        ::dup2(errores[1], 2);
        ::execv(programa.c_str(), argv.data());
        ::_exit(127);
    }
    if (destino == Destino::Tubo) {
        ::close(salida[1]);
        salida_ = salida[0];
    }
    if (archivoFd >= 0) ::close(archivoFd);
    ::close(errores[1]);
    errores_ = errores[0];
}

Proceso::~Proceso() {
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    Cerrar(salida_);
    Cerrar(errores_);
}

std::string Proceso::LeerLinea() {
    for (;;) {
        if (const auto fin = pendiente_.find('\n'); fin != std::string::npos) {
            std::string linea = pendiente_.substr(0, fin);
            pendiente_.erase(0, fin + 1);
            return linea;
        }
        if (salida_ < 0 || !LeerUnaVez(salida_, pendiente_)) return std::exchange(pendiente_, {});
    }
}

std::string Proceso::LeerDisponible() {
    std::string leido = std::exchange(pendiente_, {});
    if (salida_ < 0) return leido;
    pollfd p{salida_, POLLIN, 0};
    while (::poll(&p, 1, 0) > 0 && (p.revents & POLLIN) && LeerUnaVez(salida_, leido)) p.revents = 0;
    return leido;
}

void Proceso::CerrarSalida() { Cerrar(salida_); }

void Proceso::Senal(int senal) { ::kill(pid_, senal); }

Final Proceso::Esperar() {
    Final f;
    f.salida = std::exchange(pendiente_, {});
    // both pipes at once, so that a child that fills one while we wait on the other never stalls
    while (salida_ >= 0 || errores_ >= 0) {
        pollfd p[2] = {{salida_, POLLIN, 0}, {errores_, POLLIN, 0}};
        if (::poll(p, 2, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (p[0].revents && !LeerUnaVez(salida_, f.salida)) Cerrar(salida_);
        if (p[1].revents && !LeerUnaVez(errores_, f.errores)) Cerrar(errores_);
    }
    int estado = 0;
    rusage uso{};
    while (::wait4(pid_, &estado, 0, &uso) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    f.salio = WIFEXITED(estado);
    f.estado = f.salio ? WEXITSTATUS(estado) : WTERMSIG(estado);
    f.picoKB = uso.ru_maxrss;
    return f;
}

Final Correr(const std::string& programa, const std::vector<std::string>& argumentos, Destino destino,
             const std::string& archivo) {
    Proceso p(programa, argumentos, destino, archivo);
    return p.Esperar();
}
