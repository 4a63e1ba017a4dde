#pragma once
// A hint for a number that failed only for its decimal separator: "2.5" typed where the comma is expected.

#include <QString>

/// For the message `mensaje` of a number that does not convert ("'2.5' is not a valid floating point value"):
/// "use la coma decimal" (or "use el punto decimal") when the text converts once its other separator is made
/// `decimal`; empty for any other message or text.
QString PistaDecimal(const QString& mensaje, char decimal);
