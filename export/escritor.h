#pragma once
// A buffered writer on a descriptor: the lines of a record or a trace gathered into blocks, each block written
// whole through Llamadas(), every failure reported.

#include <cstddef>
#include <string>
#include <string_view>

/// Lines are gathered into blocks of about this size, each written with one call.
inline constexpr std::size_t kBloqueEscritura = 64 * 1024;

/// Writes all of `datos` to `fd`, resuming after a short or an interrupted write. Returns 0, or the errno of the
/// failure (EIO for a write that makes no progress and gives no reason).
int EscribirTodo(int fd, std::string_view datos) noexcept;

/// A buffer in front of a descriptor that it does not own.
class Escritor {
public:
    explicit Escritor(int fd) : fd_(fd) { bufer_.reserve(kBloqueEscritura + 1024); }

    /// The text not yet written: append whole lines to it, then call Seguir().
    std::string& Bufer() { return bufer_; }
    /// Writes the buffer once it holds a block. Throws ErrorArchivo (ErrorLectorAusente when a pipe's reader has gone).
    void Seguir() {
        if (bufer_.size() >= kBloqueEscritura) Vaciar();
    }
    /// Writes all that the buffer holds. Throws as Seguir(); the buffer is emptied either way.
    void Vaciar();
    int Descriptor() const { return fd_; }

private:
    int fd_;
    std::string bufer_;
};
