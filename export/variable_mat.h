#pragma once
// The variables of a MAT file that are not columns: built with libmatio, for Mat_VarWrite.

#include <matio.h>

#include <string>
#include <vector>

#include "export/registros.h"

/// A 1 x 1 double. Nothing (nullptr) when libmatio cannot make it.
matvar_t* VariableEscalar(const char* nombre, double valor);

/// A struct whose fields are the columns' variables, each holding its unit as text.
matvar_t* VariableUnidades(const char* nombre, const std::vector<ColumnaRegistro>& columnas);

/// The JSON text as MATLAB would hold it: an object as a 1 x 1 struct (keys made identifiers: other characters
/// as _, an x before a first character that is not a letter, 63 characters at most, a repeated name with _2,
/// _3 ...), an array of numbers as a 1 x N double, any other array as a 1 x N cell, a text as char (UTF-16),
/// a number as double, true and false as logical, null as []. Throws ErrorTanque for a text that is not JSON.
matvar_t* VariableDeJson(const char* nombre, const std::string& json);
