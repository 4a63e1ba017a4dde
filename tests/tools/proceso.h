#pragma once
// The built tanque-lote as a real process: its standard output as a pipe, a file, /dev/full or closed; its
// standard error as a pipe; signals sent to it; its exit status and peak memory read back.

#include <sys/types.h>

#include <string>
#include <vector>

/// Where the child's standard output goes.
enum class Destino { Tubo, Archivo, Cerrado };

/// How a child ended.
struct Final {
    bool salio = false;  // it called exit; otherwise a signal ended it
    int estado = -1;     // its exit status, or the signal that ended it
    long picoKB = 0;     // its peak resident memory
    std::string salida;  // what it wrote to standard output (through the pipe)
    std::string errores;
};

/// "exit N" or "signal N", for messages.
std::string Describir(const Final& f);

class Proceso {
public:
    /// Starts the program with `argumentos` (after its name). For Destino::Archivo, standard output is
    /// `archivo` opened for writing and truncated.
    Proceso(const std::string& programa, const std::vector<std::string>& argumentos, Destino destino = Destino::Tubo,
            const std::string& archivo = "");
    ~Proceso();
    Proceso(const Proceso&) = delete;
    Proceso& operator=(const Proceso&) = delete;

    pid_t Pid() const { return pid_; }
    /// One line of standard output, waiting for it ("" at its end).
    std::string LeerLinea();
    /// What standard output holds right now, without waiting.
    std::string LeerDisponible();
    /// Closes our end of the standard output pipe, as a reader that has had enough does.
    void CerrarSalida();
    void Senal(int senal);
    /// Reads both pipes to their end and waits for the child.
    Final Esperar();

private:
    pid_t pid_ = -1;
    int salida_ = -1;        // read end of its standard output, or -1
    int errores_ = -1;       // read end of its standard error
    std::string pendiente_;  // read from standard output, not yet handed out
};

/// Runs the program to its end.
Final Correr(const std::string& programa, const std::vector<std::string>& argumentos, Destino destino = Destino::Tubo,
             const std::string& archivo = "");
