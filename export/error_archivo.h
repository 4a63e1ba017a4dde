#pragma once
// The texts of the file errors, as the runtime names them.

#include <string>

#include "base/errores.h"

/// The text that the user reads for the failure `codigo` (an errno value) of a file operation:
/// "File access denied", "Invalid filename", "Too many open files", "Disk full" or "I/O error %d".
std::string TextoErrorArchivo(int codigo);

/// A write to a pipe or a FIFO whose reader has gone (EPIPE): for a stream that a reader may stop reading when it has
/// had enough, the stream's end rather than a failure.
class ErrorLectorAusente : public ErrorArchivo {
public:
    using ErrorArchivo::ErrorArchivo;
};

/// Throws the error of the failure `codigo` (an errno value): ErrorLectorAusente for EPIPE, ErrorArchivo otherwise,
/// with the text of TextoErrorArchivo.
[[noreturn]] void LanzarErrorArchivo(int codigo);
