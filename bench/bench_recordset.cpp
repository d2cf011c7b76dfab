// bench_recordset [FOLDER]: reads 100,000 rows × 6 columns of the demo database
// through the recordset and through a bare sqlite3_step loop that turns each
// cell into a QString, in alternating rounds, and prints the medians. Without
// FOLDER a demo database of 100,000 articles is made in a temporary folder.
// The last line is "ratio R": recordset time over loop time.

#include "data/db/Connection.h"
#include "data/db/Recordset.h"
#include "suite/ErrorEjecucion.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <sqlite3.h>

namespace {

constexpr int kFilas = 100000;
constexpr int kRondas = 7;
const char *const kColumnas = "IDARTICULO, DESCRIPCION, Stock, PUNTOPEDIDO, PRECIO1, SUSPENDIDO";

double mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The loop a program would write by hand on SQLite's C library.
double rondaDirecta(sqlite3 *db, qint64 &control)
{
    QElapsedTimer reloj;
    reloj.start();
    const QByteArray sql = QStringLiteral("SELECT %1 FROM MA_ARTICULOS LIMIT %2")
                               .arg(QLatin1String(kColumnas))
                               .arg(kFilas)
                               .toUtf8();
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr);
    int filas = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < 6; ++c) {
            const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(st, c));
            const QString celda = p ? QString::fromUtf8(p, sqlite3_column_bytes(st, c)) : QString();
            control += celda.size();
        }
        ++filas;
    }
    sqlite3_finalize(st);
    if (filas != kFilas)
        qFatal("se leyeron %d filas", filas);
    return reloj.nsecsElapsed() / 1e6;
}

double rondaRecordset(db::Connection &cn, qint64 &control)
{
    QElapsedTimer reloj;
    reloj.start();
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT TOP %1 %2 FROM MA_ARTICULOS").arg(kFilas).arg(QLatin1String(kColumnas)), cn,
            db::adOpenForwardOnly, db::adLockReadOnly);
    db::Fields &campos = rs.Fields();
    int filas = 0;
    while (!rs.Eof()) {
        for (int c = 0; c < 6; ++c)
            control += campos[c].Value().isNull() ? 0 : 1;
        rs.MoveNext();
        ++filas;
    }
    rs.Close();
    if (filas != kFilas)
        qFatal("se leyeron %d filas", filas);
    return reloj.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir temporal;
    QString carpeta = app.arguments().size() > 1 ? app.arguments().at(1) : QString();
    if (carpeta.isEmpty()) {
        carpeta = temporal.path();
        out << "Creando la base de demostración de " << kFilas << " artículos en " << carpeta << Qt::endl;
        const int rc = QProcess::execute(QDir(app.applicationDirPath()).filePath(QStringLiteral("crear_demo")),
                                         {carpeta, QString::number(kFilas)});
        if (rc != 0) {
            out << "crear_demo falló (" << rc << ")" << Qt::endl;
            return 1;
        }
    }
    const QString archivo = QDir(carpeta).filePath(QStringLiteral("EMPRESA.db"));
    if (!QFile::exists(archivo)) {
        out << "No existe " << archivo << Qt::endl;
        return 1;
    }

    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(archivo).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    db::Connection cn;
    try {
        cn.Open(QStringLiteral("PROVIDER=SQLite;Data Source=%1;").arg(archivo));
    } catch (const ErrorEjecucion &e) {
        out << "No se pudo abrir la base: " << e.Description << Qt::endl;
        return 1;
    }

    qint64 control = 0;
    rondaDirecta(db, control); // warms the page cache for both
    rondaRecordset(cn, control);
    std::vector<double> directa, recordset;
    for (int i = 0; i < kRondas; ++i) {
        directa.push_back(rondaDirecta(db, control));
        recordset.push_back(rondaRecordset(cn, control));
        out << QStringLiteral("ronda %1: sqlite3_step %2 ms, recordset %3 ms")
                   .arg(i + 1)
                   .arg(directa.back(), 0, 'f', 1)
                   .arg(recordset.back(), 0, 'f', 1)
            << Qt::endl;
    }
    sqlite3_close(db);
    const double d = mediana(directa), r = mediana(recordset);
    out << QStringLiteral("%1 filas x 6 columnas, mediana de %2 rondas (control %3)").arg(kFilas).arg(kRondas).arg(control)
        << Qt::endl;
    out << QStringLiteral("sqlite3_step con QString %1 ms").arg(d, 0, 'f', 1) << Qt::endl;
    out << QStringLiteral("recordset %1 ms").arg(r, 0, 'f', 1) << Qt::endl;
    out << QStringLiteral("ratio %1").arg(r / d, 0, 'f', 2) << Qt::endl;
    return 0;
}
