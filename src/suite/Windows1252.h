#pragma once

#include <QByteArray>
#include <QString>

// The one-byte-per-character text of the suite's files (definition records,
// registered connections, the error log). Bytes that the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) read as the control characters of
// the same number, so every byte reads as one character and writes back as the
// same byte. Characters the code page cannot hold are written as "?".
namespace Windows1252 {
QString Decodificar(QByteArrayView bytes);
QByteArray Codificar(QStringView texto);
}
