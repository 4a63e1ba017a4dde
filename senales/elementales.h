#pragma once
// Cosine, sine and natural logarithm computed here from + - x / and the tables of this file alone, so that a
// signal gives the same bits on every machine: the C library's versions differ between releases and between
// the variants it picks for each processor.

/// cos(2 pi v): v in turns, any finite value; the reduction by whole and quarter turns is exact.
long double CosenoVueltas(long double v);

/// sin(2 pi v): v in turns, any finite value.
long double SenoVueltas(long double v);

/// ln x for a finite x > 0. Throws ErrorPuntoFlotante (invalid operation) for x <= 0.
long double Logaritmo(long double x);
