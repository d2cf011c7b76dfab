#pragma once

#include <QByteArray>
#include <QString>

// The desktop launcher that starts the program already pointed at a
// connection: a desktop entry in the operator's desktop folder whose command
// is the program with the launch string as its one argument.
namespace AccesoDirecto {

// The program's title, as the launcher is named: the application's name, or
// the executable name when it has none.
QString TituloPrograma();

// The desktop entry's text (UTF-8) for the program at `programa`, started in
// `carpeta` with `cadenaLanzamiento`.
QByteArray Entrada(const QString &titulo, const QString &programa, const QString &carpeta,
                   const QString &cadenaLanzamiento);

// Writes the launcher for these connection data on the desktop (creating the
// desktop folder when missing) and tells the operator. An existing launcher of
// the same name is left alone and the operator is told so.
void Crear(const QString &servidor, const QString &dbName, const QString &usuario);

}
