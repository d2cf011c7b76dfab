#include "AccesoDirecto.h"

#include "app/CadenaLanzamiento.h"
#include "suite/DialogoOperador.h"
#include "suite/LibreriaSuite.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// A value of a desktop entry: backslashes and control characters escaped.
QString valorEntrada(const QString &texto)
{
    QString r;
    for (QChar c : texto) {
        switch (c.unicode()) {
        case u'\\': r += QStringLiteral("\\\\"); break;
        case u'\n': r += QStringLiteral("\\n"); break;
        case u'\r': r += QStringLiteral("\\r"); break;
        case u'\t': r += QStringLiteral("\\t"); break;
        default: r += c;
        }
    }
    return r;
}

// One argument of a desktop entry's command: always quoted, since the launch
// string is full of blanks and semicolons; inside the quotes the launcher
// takes a backslash before ", `, $ and \ as an escape.
QString argumentoExec(const QString &argumento)
{
    QString r(u'"');
    for (QChar c : argumento) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            r += u'\\';
        r += c;
    }
    r += u'"';
    // A lone % would be read as a field code such as %f.
    return r.replace(u'%', QStringLiteral("%%"));
}

void informarFalla(const QString &descripcion)
{
    Operador().MsgBox(QStringLiteral("Se ha producido un error: ") + descripcion, DialogoOperador::vbCritical,
                      QStringLiteral("Error"));
}

} // namespace

QString AccesoDirecto::TituloPrograma()
{
    const QString titulo = QCoreApplication::instance() ? QCoreApplication::applicationName().trimmed() : QString();
    return titulo.isEmpty() ? ContextoAplicacion::Compartido().NombreEjecutable() : titulo;
}

QByteArray AccesoDirecto::Entrada(const QString &titulo, const QString &programa, const QString &carpeta,
                                  const QString &cadenaLanzamiento)
{
    const QString texto = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Version=1.0\n"
                                         "Name=")
        + valorEntrada(titulo) + QStringLiteral("\nExec=")
        + valorEntrada(argumentoExec(programa) + u' ' + argumentoExec(cadenaLanzamiento))
        + QStringLiteral("\nPath=") + valorEntrada(carpeta) + QStringLiteral("\nTerminal=false\n");
    return texto.toUtf8();
}

void AccesoDirecto::Crear(const QString &servidor, const QString &dbName, const QString &usuario)
{
    // Every failure is told and the next step runs.
    const QString escritorio = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (escritorio.isEmpty() || !QDir().mkpath(escritorio))
        informarFalla(QStringLiteral("No se pudo crear la carpeta del escritorio ") + escritorio);

    const QString titulo = TituloPrograma();
    const QString ruta = QDir(escritorio).filePath(titulo + QStringLiteral(".desktop"));
    const ContextoAplicacion &aplicacion = ContextoAplicacion::Compartido();
    const QString programa = aplicacion.CarpetaAplicacion() + aplicacion.NombreEjecutable();

    if (QFileInfo::exists(ruta)) {
        Operador().MsgBox(QStringLiteral("El acceso directo ya existe."), DialogoOperador::vbInformation,
                          QStringLiteral("Acceso Directo"));
        return;
    }

    const QByteArray entrada = Entrada(titulo, programa, aplicacion.CarpetaAplicacion(),
                                       CadenaLanzamiento::ArmarAccesoDirecto(servidor, dbName, usuario));
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly | QIODevice::NewOnly) || archivo.write(entrada) != entrada.size()) {
        informarFalla(archivo.errorString());
    } else {
        archivo.close();
        // Desktops start only launchers marked executable.
        archivo.setPermissions(archivo.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser
                               | QFileDevice::ExeGroup | QFileDevice::ExeOther);
    }

    Operador().MsgBox(QStringLiteral("Acceso directo creado correctamente en el escritorio."),
                      DialogoOperador::vbInformation, QStringLiteral("Acceso Directo"));
}
