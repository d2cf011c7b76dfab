#include "Servidores.h"

#include "suite/Archivos.h"
#include "suite/ErrorEjecucion.h"
#include "suite/LibreriaSuite.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace db {

namespace {

const QString kFuente = QStringLiteral("DefConsultas.Datos");

[[noreturn]] void malFormada(const QString &detalle)
{
    throw Fallo(Errores::ErrorNoEspecificado,
                QStringLiteral("La cadena de conexión no tiene un formato válido: %1").arg(detalle),
                QStringLiteral("01S00"), 0, kFuente);
}

QString valor(const QList<QPair<QString, QString>> &pares, std::initializer_list<const char *> claves)
{
    for (const char *c : claves)
        for (const auto &p : pares)
            if (p.first.compare(QLatin1String(c), Qt::CaseInsensitive) == 0)
                return p.second;
    return {};
}

bool tiene(const QList<QPair<QString, QString>> &pares, const char *clave)
{
    for (const auto &p : pares)
        if (p.first.compare(QLatin1String(clave), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// A value for an ODBC connection string: braced when it holds a separator.
QString valorOdbc(const QString &v)
{
    if (v.contains(u';') || v.contains(u'{') || v.contains(u'}') || v.startsWith(u' ') || v.endsWith(u' '))
        return u'{' + QString(v).replace(u'}', QLatin1String("}}")) + u'}';
    return v;
}

QString rellenar(QString plantilla, const QString &base, const QString &usuario, const QString &clave,
                 const QString &servidor, const QString &archivo = {})
{
    plantilla.replace(QLatin1String("{base}"), base, Qt::CaseInsensitive);
    plantilla.replace(QLatin1String("{usuario}"), valorOdbc(usuario), Qt::CaseInsensitive);
    plantilla.replace(QLatin1String("{clave}"), valorOdbc(clave), Qt::CaseInsensitive);
    plantilla.replace(QLatin1String("{servidor}"), servidor, Qt::CaseInsensitive);
    plantilla.replace(QLatin1String("{archivo}"), archivo, Qt::CaseInsensitive);
    plantilla.replace(QLatin1String("{carpeta}"), ContextoAplicacion::Compartido().CarpetaAplicacion(),
                      Qt::CaseInsensitive);
    return plantilla;
}

QString carpetaAbsoluta(const QString &carpeta)
{
    if (QDir::isAbsolutePath(carpeta))
        return QDir::cleanPath(carpeta);
    return QDir::cleanPath(ContextoAplicacion::Compartido().CarpetaAplicacion() + carpeta);
}

Destino embebido(const QString &carpeta, const QString &base, const QString &servidor)
{
    Destino d;
    d.via = Destino::Via::Sqlite;
    d.dialecto = Dialecto::Sqlite;
    d.baseDatos = base.trimmed();
    d.servidor = servidor;
    if (d.baseDatos.isEmpty())
        throw Fallo(Errores::ErrorNoEspecificado,
                    QStringLiteral("No se indicó la base de datos del servidor \"%1\".").arg(servidor),
                    QStringLiteral("42000"), Nativo::BaseNoDisponible, kFuente);
    d.archivo = Archivos::Ubicar(carpetaAbsoluta(carpeta), d.baseDatos + QStringLiteral(".db"));
    return d;
}

// An ODBC template of the settings: its Dialecto key chooses the dialect and is
// not handed to the driver.
Destino porOdbc(const QString &plantilla, const QString &base, const QString &usuario, const QString &clave,
                const QString &servidor, const QString &archivo = {})
{
    Destino d;
    d.via = Destino::Via::Odbc;
    d.dialecto = Dialecto::SqlServer;
    d.baseDatos = base;
    d.servidor = servidor;
    QStringList partes;
    bool tieneNoCreat = false, tieneFk = false;
    QString baseArchivo;
    for (const auto &p : LeerCadenaConexion(rellenar(plantilla, base, usuario, clave, servidor, archivo))) {
        if (p.first.compare(QLatin1String("Dialecto"), Qt::CaseInsensitive) == 0) {
            const QString v = p.second.trimmed().toLower();
            if (v == QLatin1String("sqlite"))
                d.dialecto = Dialecto::Sqlite;
            else if (v == QLatin1String("oracle"))
                d.dialecto = Dialecto::Oracle;
            else if (v == QLatin1String("access"))
                d.dialecto = Dialecto::Access;
            else if (v == QLatin1String("sqlserver"))
                d.dialecto = Dialecto::SqlServer;
            else
                malFormada(QStringLiteral("dialecto desconocido \"%1\"").arg(p.second));
            continue;
        }
        if (p.first.compare(QLatin1String("NoCreat"), Qt::CaseInsensitive) == 0)
            tieneNoCreat = true;
        if (p.first.compare(QLatin1String("FKSupport"), Qt::CaseInsensitive) == 0)
            tieneFk = true;
        if (p.first.compare(QLatin1String("Database"), Qt::CaseInsensitive) == 0)
            baseArchivo = p.second;
        partes.append(p.first + u'=' + valorOdbc(p.second));
    }
    if (d.dialecto == Dialecto::Sqlite) {
        // The file of a SQLite database reached through ODBC: found ignoring
        // letter case, never created, and watched like an embedded one.
        if (!baseArchivo.isEmpty()) {
            d.archivoVigilado = Archivos::UbicarRuta(baseArchivo);
            for (QString &parte : partes)
                if (parte.startsWith(QLatin1String("Database="), Qt::CaseInsensitive))
                    parte = QStringLiteral("Database=") + valorOdbc(d.archivoVigilado);
            d.archivo = d.archivoVigilado;
        }
        if (!tieneNoCreat)
            partes.append(QStringLiteral("NoCreat=1"));
        if (!tieneFk)
            partes.append(QStringLiteral("FKSupport=1"));
    }
    d.cadenaOdbc = partes.join(u';') + u';';
    return d;
}

Destino servidorSqlServer(const QString &servidor, const QString &base, const QString &usuario,
                          const QString &clave)
{
    const QString nombre = servidor.trimmed();
    for (const auto &p : ArchivoIni::Compartido().LeerSeccion(ArchivoIni::NombreArchivoSuite(),
                                                              QStringLiteral("Servidores"))) {
        if (p.first.trimmed().compare(nombre, Qt::CaseInsensitive) != 0)
            continue;
        const QString entrada = p.second.trimmed();
        if (entrada.startsWith(QLatin1String("sqlite:"), Qt::CaseInsensitive))
            return embebido(entrada.mid(7).trimmed(), base, nombre);
        if (entrada.startsWith(QLatin1String("odbc:"), Qt::CaseInsensitive))
            return porOdbc(entrada.mid(5), base, usuario, clave, nombre);
        throw Fallo(Errores::ErrorNoEspecificado,
                    QStringLiteral("La entrada del servidor \"%1\" en [Servidores] de %2 no empieza con "
                                   "\"sqlite:\" ni con \"odbc:\".")
                        .arg(nombre, ArchivoIni::NombreArchivoSuite()),
                    QStringLiteral("01S00"), 0, kFuente);
    }
    if (nombre.compare(QLatin1String("LOCAL"), Qt::CaseInsensitive) == 0)
        return embebido(CarpetaDatosLocal(), base, nombre);
    if (nombre.isEmpty())
        throw Fallo(Errores::ErrorNoEspecificado, QStringLiteral("No se indicó el servidor."),
                    QStringLiteral("08001"), 0, kFuente);

    // Any other name is a SQL Server: "host", "host:port" or "host\instance".
    QString host = nombre, puerto;
    static const QRegularExpression conPuerto(QStringLiteral(R"(^(.+)[:,](\d+)$)"));
    if (const auto m = conPuerto.match(nombre); m.hasMatch()) {
        host = m.captured(1);
        puerto = m.captured(2);
    }
    QString plantilla = QStringLiteral("Driver=FreeTDS;Server=") + valorOdbc(host) + u';';
    if (!puerto.isEmpty())
        plantilla += QStringLiteral("Port=") + puerto + u';';
    plantilla += QStringLiteral("Database={base};UID={usuario};PWD={clave};ClientCharset=UTF-8;");
    Destino d = porOdbc(plantilla, base, usuario, clave, nombre);
    d.dialecto = Dialecto::SqlServer;
    return d;
}

bool esArchivoSqlite(const QString &ruta)
{
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    return f.read(16) == QByteArray("SQLite format 3\0", 16);
}

Destino archivoLocal(const QString &fuente, const QString &usuario, const QString &clave,
                     const QString &proveedor)
{
    const QString ruta = Archivos::UbicarRuta(fuente.trimmed());
    const QString sufijo = QFileInfo(ruta).suffix().toLower();
    const bool access = sufijo == QLatin1String("mdb") || sufijo == QLatin1String("accdb");
    if (!access && (esArchivoSqlite(ruta) || !QFileInfo::exists(ruta))) {
        Destino d;
        d.via = Destino::Via::Sqlite;
        d.dialecto = Dialecto::Sqlite;
        d.archivo = ruta;
        d.baseDatos = QFileInfo(ruta).completeBaseName();
        d.proveedor = proveedor;
        return d;
    }
    const QString plantilla = ArchivoIni::Compartido().LeerIni(ArchivoIni::NombreArchivoSuite(),
                                                               QStringLiteral("ControladoresODBC"),
                                                               QStringLiteral("Access"));
    if (plantilla.trimmed().isEmpty())
        throw Fallo(Errores::ErrorNoEspecificado,
                    QStringLiteral("\"%1\" es un archivo de Access y no hay un controlador ODBC para Access "
                                   "en [ControladoresODBC] de %2.")
                        .arg(ruta, ArchivoIni::NombreArchivoSuite()),
                    QStringLiteral("IM002"), 0, kFuente);
    Destino d = porOdbc(plantilla, QFileInfo(ruta).completeBaseName(), usuario, clave, QString(), ruta);
    d.dialecto = Dialecto::Access;
    d.proveedor = proveedor;
    return d;
}

} // namespace

namespace {
Destino resolver(const QList<QPair<QString, QString>> &pares, const QString &usuarioOpen, const QString &claveOpen);
}

QString CarpetaDatosLocal()
{
    return ContextoAplicacion::Compartido().CarpetaAplicacion() + QStringLiteral("datos");
}

QList<QPair<QString, QString>> LeerCadenaConexion(const QString &cadena)
{
    QList<QPair<QString, QString>> pares;
    qsizetype i = 0;
    const qsizetype n = cadena.size();
    while (i < n) {
        while (i < n && (cadena[i] == u';' || cadena[i].isSpace()))
            ++i;
        if (i >= n)
            break;
        const qsizetype igual = cadena.indexOf(u'=', i);
        const qsizetype punto = cadena.indexOf(u';', i);
        if (igual < 0 || (punto >= 0 && punto < igual))
            malFormada(QStringLiteral("falta \"=\" en \"%1\"").arg(cadena.mid(i, punto < 0 ? -1 : punto - i)));
        const QString clave = cadena.mid(i, igual - i).simplified();
        if (clave.isEmpty())
            malFormada(QStringLiteral("una clave vacía"));
        i = igual + 1;
        while (i < n && cadena[i] == u' ')
            ++i;
        QString v;
        if (i < n && (cadena[i] == u'"' || cadena[i] == u'\'' || cadena[i] == u'{')) {
            const QChar cierre = cadena[i] == u'{' ? QChar(u'}') : cadena[i];
            ++i;
            bool cerrado = false;
            while (i < n) {
                if (cadena[i] == cierre) {
                    if (i + 1 < n && cadena[i + 1] == cierre) {
                        v += cierre;
                        i += 2;
                        continue;
                    }
                    cerrado = true;
                    ++i;
                    break;
                }
                v += cadena[i++];
            }
            if (!cerrado)
                malFormada(QStringLiteral("el valor de \"%1\" no está cerrado").arg(clave));
            while (i < n && cadena[i] == u' ')
                ++i;
            if (i < n && cadena[i] != u';')
                malFormada(QStringLiteral("texto después del valor de \"%1\"").arg(clave));
        } else {
            const qsizetype fin = cadena.indexOf(u';', i);
            v = cadena.mid(i, fin < 0 ? -1 : fin - i).trimmed();
            i = fin < 0 ? n : fin;
        }
        pares.append({clave, v});
    }
    return pares;
}

Destino ResolverDestino(const QString &cadena, const QString &usuarioOpen, const QString &claveOpen)
{
    const auto pares = LeerCadenaConexion(cadena);
    Destino d = resolver(pares, usuarioOpen, claveOpen);
    d.tiempoConexion = valor(pares, {"Connect Timeout", "Connection Timeout"}).trimmed().toInt();
    return d;
}

namespace {
Destino resolver(const QList<QPair<QString, QString>> &pares, const QString &usuarioOpen, const QString &claveOpen)
{
    if (pares.isEmpty())
        throw Fallo(Errores::ErrorNoEspecificado, QStringLiteral("La cadena de conexión está vacía."),
                    QStringLiteral("08001"), 0, kFuente);
    const QString proveedor = valor(pares, {"Provider"}).trimmed();
    QString usuario = valor(pares, {"UId", "User Id", "User", "UserID"});
    QString clave = valor(pares, {"Pwd", "Password"});
    if (!usuarioOpen.isEmpty())
        usuario = usuarioOpen;
    if (!claveOpen.isEmpty())
        clave = claveOpen;
    const QString p = proveedor.toUpper();

    // A plain ODBC string, or the ODBC provider around one.
    if ((p.isEmpty() || p.startsWith(QLatin1String("MSDASQL"))) && (tiene(pares, "Driver") || tiene(pares, "DSN"))) {
        QStringList partes;
        for (const auto &par : pares)
            if (par.first.compare(QLatin1String("Provider"), Qt::CaseInsensitive) != 0)
                partes.append(par.first + u'=' + valorOdbc(par.second));
        Destino d = porOdbc(partes.join(u';'), valor(pares, {"Database"}), usuario, clave, QString());
        const QString driver = valor(pares, {"Driver"});
        if (driver.contains(QLatin1String("sqlite"), Qt::CaseInsensitive) && !tiene(pares, "Dialecto"))
            d = porOdbc(partes.join(u';') + QStringLiteral(";Dialecto=sqlite"), valor(pares, {"Database"}),
                        usuario, clave, QString());
        return d;
    }
    if (p.isEmpty() || p.startsWith(QLatin1String("SQLOLEDB")) || p.startsWith(QLatin1String("SQLNCLI"))
        || p.startsWith(QLatin1String("MSOLEDBSQL"))) {
        const QString servidor = valor(pares, {"Server", "Data Source", "Address", "Addr"});
        const QString base = valor(pares, {"Database", "Initial Catalog"});
        Destino d = servidorSqlServer(servidor, base, usuario, clave);
        d.proveedor = proveedor;
        return d;
    }
    if (p.startsWith(QLatin1String("ORAOLEDB")) || p.startsWith(QLatin1String("MSDAORA"))) {
        const QString plantilla = ArchivoIni::Compartido().LeerIni(ArchivoIni::NombreArchivoSuite(),
                                                                   QStringLiteral("ControladoresODBC"),
                                                                   QStringLiteral("Oracle"));
        if (plantilla.trimmed().isEmpty())
            throw Fallo(Errores::ErrorNoEspecificado,
                        QStringLiteral("No hay un controlador ODBC para Oracle en [ControladoresODBC] de %1.")
                            .arg(ArchivoIni::NombreArchivoSuite()),
                        QStringLiteral("IM002"), 0, kFuente);
        Destino d = porOdbc(plantilla, valor(pares, {"Data Source"}), usuario, clave, QString());
        if (!plantilla.contains(QLatin1String("Dialecto"), Qt::CaseInsensitive))
            d.dialecto = Dialecto::Oracle;
        d.proveedor = proveedor;
        return d;
    }
    if (p.startsWith(QLatin1String("MICROSOFT.JET.OLEDB")) || p.startsWith(QLatin1String("MICROSOFT.ACE.OLEDB"))
        || p == QLatin1String("SQLITE")) {
        const QString fuente = valor(pares, {"Data Source"});
        if (fuente.trimmed().isEmpty())
            throw Fallo(Errores::ErrorNoEspecificado, QStringLiteral("No se indicó el archivo de la base de datos."),
                        QStringLiteral("08001"), 0, kFuente);
        return archivoLocal(fuente, usuario, clave, proveedor);
    }
    throw Fallo(Errores::ProveedorNoEncontrado,
                QStringLiteral("No se encuentra el proveedor \"%1\". Es posible que no esté instalado "
                               "correctamente.")
                    .arg(proveedor),
                QString(), 0, kFuente);
}

} // namespace

}
