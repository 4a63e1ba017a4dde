#pragma once
// The texts of the file errors, as the runtime names them.

#include <string>

/// The text that the user reads for the failure `codigo` (an errno value) of a file operation:
/// "File access denied", "Invalid filename", "Too many open files", "Disk full" or "I/O error %d".
std::string TextoErrorArchivo(int codigo);
