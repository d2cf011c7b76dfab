#pragma once

#include <QString>

// The server name inside a server text: what follows the first "/", without a
// ":port" ("A/B:1433" gives "B").
QString ExtraerServidor(const QString &servidor);

// Whether the user may work: the database login itself, or a user of this
// program family in TA_USUARIOS whose stored password matches (ignoring case).
// Sets gUsuarioLogeado and, from the user's row, gEsAdmin.
bool ValidarUsuario(QString &Usuario, QString &Password);

// Replaces the marker "* *" in gPassword by the stored password of gUsuarioLogeado.
void ResolverPasswordGuardada();
