#pragma once

#include "Ado.h"

#include <QDateTime>
#include <QVariant>

// Turning what a backend hands over into the value a field holds.
namespace db {

// "2024-03-25 14:07:55" (also with a "T", fractions, or the date alone).
bool LeerFechaIso(const char *texto, qsizetype largo, QDateTime &fecha);
bool LeerFechaIso(const QString &texto, QDateTime &fecha);

// A text read back as a value of this nature; the text itself when it is not one.
QVariant ValorDesdeTexto(const QString &texto, Naturaleza naturaleza);

// The text a value is written as into the database ("2024-03-25 14:07:55" for a date).
QVariant ValorParaBase(const QVariant &valor);

}
