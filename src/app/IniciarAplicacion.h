#pragma once

#include <QString>

// Turns the launch string into an open connection and a validated session:
// connection, statement time-out, definition file, session settings, login
// with three attempts and the access record. It either returns with a session
// or ends the program at once.
void IniciarAplicacion(const QString &LineaParametros, QString &CadenaConexion, qint32 UbicacionCursor);

// The program's entry: the start-up, then the definition editor, modeless.
void Main();

// The help file of the program (the HTML help in the application folder).
QString ArchivoAyuda();
