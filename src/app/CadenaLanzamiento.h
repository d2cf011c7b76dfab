#pragma once

#include <QString>
#include <optional>

// The launch string with which the suite's programs start one another: tokens
// "@Key=value;" carrying server, database, login, password and session user.
namespace CadenaLanzamiento {

inline const QString kParametroAdicional = QStringLiteral("@ParametroAdicional");
inline const QString kServer = QStringLiteral("@Server");
inline const QString kDbName = QStringLiteral("@DbName");
inline const QString kUsuario = QStringLiteral("@Usuario");
inline const QString kUsuarioLogeado = QStringLiteral("@UsuarioLogeado");
inline const QString kPassword = QStringLiteral("@Password");
inline const QString kCaja = QStringLiteral("@Caja");

// The value of token `clave` in `linea`; nullopt when the key is absent.
// The key is found anywhere, ignoring letter case (so "@Usuario" also matches the
// start of "@UsuarioLogeado"); the value runs to the next ";", loses every "="
// and its blanks at both ends. Without a closing ";" the value is empty, except
// for @ParametroAdicional, which takes the 19 characters after its key.
// Throws ErrorEjecucion 6 (overflow) when a position passes 32,767.
std::optional<QString> LeerToken(const QString &linea, const QString &clave);

// What the program reads from a launch string, token by token.
struct Datos
{
    std::optional<QString> parametroAdicional, server, dbName, usuario, usuarioLogeado, password, caja;
};
Datos Leer(const QString &linea);

// The string written when this program starts another of the suite. It begins
// with a blank that separates it from the program path.
QString Armar(const QString &servidor, const QString &dbName, const QString &usuario,
              const QString &password, const QString &parametro, const QString &caja);

// The string of a desktop shortcut: password, additional parameter, session
// user and cash register written empty.
QString ArmarAccesoDirecto(const QString &servidor, const QString &dbName, const QString &usuario);

// The process's command-line arguments as one launch string.
QString DesdeArgumentos(const QStringList &argumentos);

}

// Starts another program of the suite ("SHELL:" + name, from the application
// folder) with a launch string built from the session. `Parametro` loses what
// stands before its first blank; `IdProceso` gets the process id, 0 on failure.
void MenuExes(const QString &Programa, QString &Parametro, qint32 &IdProceso);
