#include "BasePrueba.h"

#include <QDir>
#include <QFile>
#include <sqlite3.h>

namespace prueba {

QString CrearBase(const QString &carpeta, const QString &nombre)
{
    QDir().mkpath(carpeta);
    const QString ruta = QDir(carpeta).filePath(nombre + QStringLiteral(".db"));
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(ruta).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    sqlite3_exec(db, "PRAGMA user_version = 1", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return ruta;
}

bool EjecutarSqlite(const QString &archivo, const QString &sql)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(archivo).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    char *msg = nullptr;
    const bool ok = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &msg) == SQLITE_OK;
    if (!ok)
        qWarning("%s", msg);
    sqlite3_free(msg);
    sqlite3_close(db);
    return ok;
}

QString Filas(db::Recordset &rs)
{
    QStringList filas;
    if (rs.State() == db::adStateClosed)
        return QStringLiteral("(cerrado)");
    for (; !rs.Eof(); rs.MoveNext()) {
        QStringList celdas;
        for (int i = 0; i < rs.Fields().Count(); ++i) {
            const QVariant v = rs.Fields(i).Value();
            if (v.isNull())
                celdas << QStringLiteral("NULL");
            else if (v.metaType().id() == QMetaType::QDateTime)
                celdas << v.toDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
            else
                celdas << v.toString();
        }
        filas << celdas.join(u'|');
    }
    return filas.join(u';');
}

QString CadenaSqlServer(const QString &servidor, const QString &base)
{
    return QStringLiteral("PROVIDER=SQLOLEDB;Server=%1;Database =%2;UId=%2;Pwd=%2;Connect Timeout=5;")
        .arg(servidor, base);
}

void EscribirServidores(const QString &carpetaAplicacion, const QString &lineas)
{
    QFile f(QDir(carpetaAplicacion).filePath(QStringLiteral("MX200ps.INI")));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(QStringLiteral("[Servidores]\n%1\n").arg(lineas).toUtf8());
}

void RegistrarServidorOdbc(const QString &carpetaAplicacion)
{
    EscribirServidores(carpetaAplicacion, kServidorOdbc
                                              + QStringLiteral("=odbc:Driver=SQLite3;Database={carpeta}datos/{base}.db;"
                                                               "Dialecto=sqlite"));
}

bool HayOdbcSqlite()
{
    QFile f(QStringLiteral("/etc/odbcinst.ini"));
    return f.open(QIODevice::ReadOnly) && f.readAll().contains("[SQLite3]");
}

QString Describir(const db::Connection &cn, const ErrorEjecucion &e)
{
    QString s = QStringLiteral("error %1: %2").arg(e.Number).arg(e.Description);
    for (const db::Error &x : cn.Errors().Entradas())
        s += QStringLiteral("\n  [%1] nativo %2: %3").arg(x.SQLState).arg(x.NativeError).arg(x.Description);
    return s;
}

}
