#pragma once
// The line format of the export file: three right-aligned fixed-notation fields and CR LF.

#include <string>

/// Largest number of decimals that CampoFijo writes.
inline constexpr int kMaxDecimales = 18;

/// `valor` in fixed notation with `decimales` decimals (0 to kMaxDecimales; no point when 0), rounded halves
/// away from zero on its exact binary value, "." as the point, "-" when `valor` < 0 (even if it rounds to 0),
/// blanks on the left up to `ancho` characters; a longer text takes what it needs. Locale-independent.
/// Throws ErrorPuntoFlotante for an infinity or a NaN, std::invalid_argument for `decimales` out of range.
std::string CampoFijo(double valor, int decimales, int ancho);

/// CampoFijo appended to `destino`, with no allocation beyond the growth of `destino`. Throws as CampoFijo.
void AnadirCampoFijo(std::string& destino, double valor, int decimales, int ancho);

/// One export line: the sample number with 0 decimals in 5 characters, the control action and the level with
/// 4 decimals in 9 characters each, then CR LF. An action or a level whose text fills or overflows its 9
/// characters gets one blank before it, so that it never runs into the number before it.
/// Throws ErrorPuntoFlotante for a value that is not finite.
std::string LineaExportacion(double muestra, double accion, double nivel);

/// LineaExportacion appended to `destino`. Throws as LineaExportacion.
void AnadirLineaExportacion(std::string& destino, double muestra, double accion, double nivel);
