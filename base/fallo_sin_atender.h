#pragma once
// The last catch of both programs' main: an error that no door caught (a library's, a lack of memory) ends the
// program with a message and status 1, after the files being written removed their temporaries on the way out,
// instead of an abort and a core dump.

/// Call inside `catch (...)`: writes "programa: error inesperado: TEXT" (or "... no hay memoria suficiente") on
/// standard error and returns the exit status, 1.
int FalloSinAtender(const char* programa) noexcept;
