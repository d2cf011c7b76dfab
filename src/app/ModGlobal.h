#pragma once

#include "suite/ErrorEjecucion.h"

#include <QString>

// The application module's error treatment: tells the operator, returns the
// answer code (0 when the error number is 0) and appends a line to KVERR.LOG in
// the temporary folder (TMP when TEMP is set) or the machine's system folder.
int ManejarError(const ErrorEjecucion &CodErr, int Botones = 18, const QString &Rutina = {});
