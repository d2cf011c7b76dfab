// Running a SQL Server script statement by statement on an Oracle connection,
// where a batch cannot be sent as one text.

#include "DB_Dll.h"

#include <array>

namespace {

constexpr auto CI = Qt::CaseInsensitive;

// Each occurrence of one of these starts a new statement. SELECT is none of
// them, so an INSERT ... SELECT stays one statement.
const std::array<QString, 12> kPalabrasClave = {
    QStringLiteral("INSERT "), QStringLiteral("DELETE "),          QStringLiteral("UPDATE "),
    QStringLiteral("CREATE "), QStringLiteral("DROP "),            QStringLiteral("ALTER "),
    QStringLiteral("SET TRANSACTION"), QStringLiteral("COMMIT"),   QStringLiteral("ROLLBACK"),
    QStringLiteral("IF NOT EXIST"), QStringLiteral("IF EXIST"),    QStringLiteral("GRANT "),
};

qsizetype primeraPalabraClave(const QString &texto, qsizetype desde)
{
    qsizetype menor = -1;
    for (const QString &clave : kPalabrasClave) {
        const qsizetype p = texto.indexOf(clave, desde, CI);
        if (p >= 0 && (menor < 0 || p < menor))
            menor = p;
    }
    return menor;
}

QString normalizar(QString s)
{
    auto r = [&s](const QString &a, const QString &b) { s.replace(a, b, CI); };
    r(QStringLiteral("SET NOCOUNT ON"), {});
    r(QStringLiteral("SET NOCOUNT OFF"), {});
    r(QStringLiteral(" GO "), QStringLiteral(" "));
    r(QStringLiteral("\r\nGO "), QStringLiteral(" "));
    r(QStringLiteral("\r\nGO "), QStringLiteral(" "));
    r(QStringLiteral("\r\nGO\r\n"), QStringLiteral(" "));
    r(QStringLiteral("\r"), QStringLiteral(" "));
    r(QStringLiteral("\r\n"), QStringLiteral(" "));
    r(QStringLiteral("BEGIN TRANSACTION"), QStringLiteral("SET TRANSACTION"));
    r(QStringLiteral("BEGIN TRANS"), QStringLiteral("SET TRANSACTION"));
    r(QStringLiteral("COMMIT TRANSACTION"), QStringLiteral("COMMIT"));
    r(QStringLiteral("COMMIT TRANS"), QStringLiteral("COMMIT"));
    r(QStringLiteral("ROLLBACK TRANSACTION"), QStringLiteral("ROLLBACK"));
    r(QStringLiteral("ROLLBACK TRANS"), QStringLiteral("ROLLBACK"));
    return s;
}

} // namespace

QString DB_Dll::LimpiarSentenciaScript(QString &Sentencia)
{
    if (Sentencia.contains(QStringLiteral("SET NOCOUNT"), CI) || Sentencia.contains(QStringLiteral("IF NOT EXIST"), CI))
        Sentencia.clear();
    return Sentencia;
}

QString DB_Dll::EjecutarScript(QString &Script, qint32 &RegistrosAfectados)
{
    Script = normalizar(Script);
    for (;;) {
        const qsizetype inicio = primeraPalabraClave(Script, 0);
        if (inicio < 0)
            break;
        const qsizetype siguiente = primeraPalabraClave(Script, inicio + 1);
        const qsizetype fin = siguiente < 0 ? Script.size() : siguiente;
        QString pieza = Script.mid(inicio, fin - inicio).trimmed();
        if (pieza.compare(QStringLiteral("SET TRANSACTION"), CI) == 0) {
            gCnn().BeginTrans();
        } else if (pieza.compare(QStringLiteral("COMMIT"), CI) == 0) {
            gCnn().CommitTrans();
        } else if (pieza.compare(QStringLiteral("ROLLBACK"), CI) == 0) {
            gCnn().RollbackTrans();
        } else {
            QString sentencia = ORACLE_Dicc(pieza);
            LimpiarSentenciaScript(sentencia);
            if (!sentencia.trimmed().isEmpty()) {
                qint32 afectadas = 0;
                gCnn().Execute(sentencia, &afectadas, -1);
                RegistrosAfectados += qMax(0, afectadas);
            }
        }
        Script = Script.mid(fin).trimmed();
    }
    db::Errors &errores = gCnn().Errors();
    constexpr qint32 kSinResultado = 0x00040EC9;
    if (errores.Count() == 1 && errores.Item(0).Number == kSinResultado)
        errores.Clear();
    return {};
}
