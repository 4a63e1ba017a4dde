#pragma once
// The temporary files of records being written, known to a signal handler that must remove them before the
// program ends.

/// Removes every temporary file of a record not yet complete. Async-signal-safe: a handler of SIGINT or SIGTERM
/// calls it before the program ends by the signal, so that no half record is left beside its target.
void BorrarTemporales() noexcept;

/// Notes a temporary file's name before the file is created; returns its slot, or -1 when every slot is taken
/// (the file is then not removed by a signal).
int AnotarTemporal(const char* ruta) noexcept;

/// Forgets the slot once its file has been renamed or removed.
void OlvidarTemporal(int ranura) noexcept;
