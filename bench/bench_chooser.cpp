// bench_chooser [OBJECTS]: fills the definition editor's chooser from a company
// database of OBJECTS tables and views (default 6000) and, side by side, reads
// the same schema rowset in a plain loop that only takes each name and type. In
// alternating rounds; prints the medians, the time the drop-down list takes to
// open, and as last line "ratio R": chooser time over loop time.

#include "data/DB_Dll.h"
#include "data/db/Connection.h"
#include "data/db/Recordset.h"
#include "definitions/FrmDefConsultas.h"
#include "suite/ErrorEjecucion.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <sqlite3.h>
#include <vector>

namespace {

constexpr int kRondas = 7;

double mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Tables and views under every prefix the chooser knows, and some it leaves out.
void crearEsquema(const QString &archivo, int objetos)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(archivo).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    QString sql = QStringLiteral("PRAGMA journal_mode = OFF; BEGIN;");
    const char *const prefijos[] = {"MA_", "TA_", "MV_", "AC_", "AUX_", "P_TA_", "VT_", "SS_"};
    for (int i = 0; i < objetos; ++i) {
        const QString nombre = QStringLiteral("%1Objeto%2").arg(QLatin1String(prefijos[i % 8])).arg(i, 5, 10, QLatin1Char('0'));
        if (i % 3 == 2)
            sql += QStringLiteral("CREATE VIEW V_%1 AS SELECT 1 AS CODIGO, 'x' AS DESCRIPCION;").arg(nombre);
        else
            sql += QStringLiteral("CREATE TABLE %1 (CODIGO INT, DESCRIPCION VARCHAR(60));").arg(nombre);
    }
    sql += QStringLiteral("COMMIT;");
    char *mensaje = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &mensaje) != SQLITE_OK)
        qFatal("no se pudo crear el esquema: %s", mensaje);
    sqlite3_close(db);
}

double rondaElegidor(FrmDefConsultas &ventana, int &entradas)
{
    QElapsedTimer reloj;
    reloj.start();
    ventana.Cargar_ListaDefiniciones();
    const double ms = reloj.nsecsElapsed() / 1e6;
    entradas = ventana.CmbDefinicion->count();
    return ms;
}

double rondaLazo(db::Connection &cn, qint64 &control)
{
    QElapsedTimer reloj;
    reloj.start();
    db::Recordset rs = cn.OpenSchema(db::adSchemaTables);
    QStringList nombres;
    db::Field &tabla = rs.Fields(QStringLiteral("TABLE_NAME"));
    db::Field &tipo = rs.Fields(QStringLiteral("TABLE_TYPE"));
    for (; !rs.Eof(); rs.MoveNext()) {
        nombres.append(tabla.Value().toString());
        control += tipo.Value().toString().size();
    }
    rs.Close();
    control += nombres.size();
    return reloj.nsecsElapsed() / 1e6;
}

}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int objetos = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 6000;
    if (objetos < 1)
        qFatal("uso: bench_chooser [OBJETOS]");

    QTemporaryDir carpeta;
    const QString archivo = carpeta.filePath(QStringLiteral("EMPRESA.db"));
    crearEsquema(archivo, objetos);
    const QString cadena = QStringLiteral("PROVIDER=SQLite;Data Source=%1;").arg(archivo);

    DB_Dll &datos = DB_Dll::Compartido();
    try {
        datos.gCnn().Open(cadena);
    } catch (const ErrorEjecucion &e) {
        qFatal("no se pudo abrir la base: %s", qPrintable(e.Description));
    }
    datos.gOpenFlag = true;
    db::Connection lazo;
    lazo.Open(cadena);

    FrmDefConsultas ventana;
    ventana.show();
    std::vector<double> elegidor, directo;
    int entradas = 0;
    qint64 control = 0;
    for (int r = 0; r < kRondas; ++r) {
        elegidor.push_back(rondaElegidor(ventana, entradas));
        directo.push_back(rondaLazo(lazo, control));
    }

    QElapsedTimer reloj;
    reloj.start();
    ventana.CmbDefinicion->showPopup();
    QApplication::processEvents();
    const double popup = reloj.nsecsElapsed() / 1e6;
    ventana.CmbDefinicion->hidePopup();

    const double me = mediana(elegidor), md = mediana(directo);
    QTextStream out(stdout);
    out << "objetos del esquema: " << objetos << ", entradas del elegidor: " << entradas << '\n';
    out << "llenar el elegidor (mediana de " << kRondas << "): " << QString::number(me, 'f', 1) << " ms\n";
    out << "lazo simple sobre el mismo esquema: " << QString::number(md, 'f', 1) << " ms (control " << control << ")\n";
    out << "abrir la lista desplegable: " << QString::number(popup, 'f', 1) << " ms\n";
    out << "ratio " << QString::number(me / md, 'f', 2) << Qt::endl;
    return 0;
}
