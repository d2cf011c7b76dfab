#include "CadenaLanzamiento.h"

#include "ModGlobal.h"
#include "Sesion.h"
#include "data/DB_Dll.h"
#include "suite/DialogoOperador.h"
#include "suite/LibreriaSuite.h"

#include <QProcess>
#include <QStringList>

namespace CadenaLanzamiento {

namespace {

QString recortarBlancos(QStringView texto)
{
    return Cadenas::Compartida().Recortar(texto);
}

// Positions in the launch string are 16-bit signed numbers in the suite's
// programs; a key beyond that range makes the reading fail as it does there.
constexpr qsizetype kPosicionMaxima = 32767;

qsizetype posicion16(qsizetype posicion)
{
    if (posicion > kPosicionMaxima)
        ErrorEjecucion::Lanzar(Errores::Desbordamiento, QStringLiteral("Desbordamiento"));
    return posicion;
}


} // namespace

std::optional<QString> LeerToken(const QString &linea, const QString &clave)
{
    // 1-based positions, as the suite's programs count them.
    const qsizetype pos = posicion16(linea.indexOf(clave, 0, Qt::CaseInsensitive) + 1);
    if (pos == 0)
        return std::nullopt;
    const qsizetype puntoYComa = posicion16(linea.indexOf(u';', pos - 1) + 1);
    qsizetype largo = puntoYComa - clave.size() - pos;
    if (largo < 0)
        largo = clave.compare(kParametroAdicional, Qt::CaseInsensitive) == 0 ? clave.size() : 0;
    QString valor = linea.mid(pos - 1 + clave.size(), largo);
    valor.remove(u'=');
    return recortarBlancos(valor);
}

Datos Leer(const QString &linea)
{
    Datos d;
    d.parametroAdicional = LeerToken(linea, kParametroAdicional);
    d.server = LeerToken(linea, kServer);
    d.dbName = LeerToken(linea, kDbName);
    d.usuario = LeerToken(linea, kUsuario);
    d.usuarioLogeado = LeerToken(linea, kUsuarioLogeado);
    d.password = LeerToken(linea, kPassword);
    d.caja = LeerToken(linea, kCaja);
    return d;
}

QString Armar(const QString &servidor, const QString &dbName, const QString &usuario,
              const QString &password, const QString &parametro, const QString &caja)
{
    return QStringLiteral(" ; @server=") + servidor + QStringLiteral("; @dbname=") + dbName
        + QStringLiteral("; @usuario=") + usuario + QStringLiteral("; @Password=") + password
        + QStringLiteral("; @ParametroAdicional=") + parametro
        + QStringLiteral("; vexa@ ; @UsuarioLogeado = ") + usuario + QStringLiteral("; @Caja=") + caja
        + u';';
}

QString ArmarAccesoDirecto(const QString &servidor, const QString &dbName, const QString &usuario)
{
    return QStringLiteral(" ; @server=") + servidor + QStringLiteral("; @dbname=") + dbName
        + QStringLiteral("; @usuario=") + usuario
        + QStringLiteral("; @Password=; @ParametroAdicional=; vexa@ ; @UsuarioLogeado = ; @Caja=;");
}

QString DesdeArgumentos(const QStringList &argumentos)
{
    return argumentos.mid(1).join(u' ');
}

} // namespace CadenaLanzamiento

void MenuExes(const QString &Programa, QString &Parametro, qint32 &IdProceso)
{
    IdProceso = 0;
    const qsizetype blanco = Parametro.indexOf(u' ');
    if (blanco >= 0)
        Parametro = Parametro.mid(blanco + 1);

    const DB_Dll &db = DB_Dll::Compartido();
    const QString cadena = CadenaLanzamiento::Armar(db.gServidor, db.gDBName, gUsuarioLogeado, gPassword,
                                                    Parametro, gCaja);
    const QString programa = ContextoAplicacion::Compartido().CarpetaAplicacion() + Programa.mid(6);

    for (;;) {
        try {
            qint64 pid = 0;
            // The launch string travels as one argument, as the started program
            // reads its command line as one string.
            if (!QProcess::startDetached(programa, {cadena}, {}, &pid) || pid <= 0)
                ErrorEjecucion::Lanzar(Errores::ArchivoNoEncontrado, QStringLiteral("No se encontró el archivo"));
            IdProceso = qint32(pid);
            break;
        } catch (const ErrorEjecucion &e) {
            const int respuesta = ManejarError(e, 18, QStringLiteral("MenuExes"));
            if (respuesta == DialogoOperador::vbRetry)
                continue;
            if (respuesta == DialogoOperador::vbIgnore)
                break;
            return;
        }
    }

    if (IdProceso == 0)
        Operador().MsgBox(QStringLiteral("Opcion no Implementada!\rComuniquese con su proveedor de sistemas"),
                          DialogoOperador::vbCritical, QStringLiteral("Atención"));
}
