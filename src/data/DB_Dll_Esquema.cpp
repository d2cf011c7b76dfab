// What the database says about its own structure, and adding a column.

#include "DB_Dll.h"

#include "suite/Pasos.h"

bool DB_Dll::ExisteTablaDB(const QString &Tabla)
{
    bool existe = false;
    db::Recordset rs;
    Pasos::Ejecutar(
        {
            [&] { rs = gCnn().OpenSchema(db::adSchemaTables); },
            [&] {
                for (; rs.State() == db::adStateOpen && !rs.Eof() && !existe; rs.MoveNext())
                    existe = rs.Fields(QStringLiteral("TABLE_NAME")).Value().toString().compare(Tabla, Qt::CaseInsensitive) == 0;
            },
        },
        [&](const ErrorEjecucion &e) { return Pasos::SegunRespuesta(TratamientoErrores(e, 18, QStringLiteral("VerificaCampos"))); });
    return existe;
}

bool DB_Dll::ExisteCampoDB(const QString &Tabla, const QString &Campo)
{
    if (Compartido().gProveedor.contains(QStringLiteral("ORACLE"), Qt::CaseInsensitive))
        return true;
    bool existe = false;
    db::Recordset rs;
    Pasos::Ejecutar(
        {
            [&] { rs = gCnn().OpenSchema(db::adSchemaColumns, {QVariant(), QVariant(), Tabla}); },
            [&] {
                const QString buscado = Campo.trimmed();
                for (; rs.State() == db::adStateOpen && !rs.Eof() && !existe; rs.MoveNext())
                    existe = rs.Fields(QStringLiteral("COLUMN_NAME")).Value().toString().trimmed().compare(buscado, Qt::CaseInsensitive) == 0;
            },
        },
        [&](const ErrorEjecucion &e) { return Pasos::SegunRespuesta(TratamientoErrores(e, 18, QStringLiteral("VerificaCampos"))); });
    return existe;
}

void DB_Dll::AddField(const QString &Tabla, const QString &Campo, const QString &Tipo, bool PermiteNulos,
                      const std::optional<QString> &ValorDefault)
{
    // The statement runner keeps a failing ALTER TABLE in the connection's
    // Errors; only a failure of the runner itself reaches this treatment.
    Pasos::Ejecutar({[&] {
                        QString sentencia = SentenciaAddField(Tabla, Campo, Tipo, PermiteNulos, ValorDefault);
                        qint32 afectadas = 0;
                        EjecutaConsultaSQL(sentencia, afectadas);
                    }},
                    [&](const ErrorEjecucion &e) {
                        return TratamientoErrores(e, 18, QStringLiteral("errAddField")) == 4 ? Pasos::Accion::Repetir
                                                                                             : Pasos::Accion::Salir;
                    });
}

bool DB_Dll::VerCampoDB(const QString &Tabla, const QString &Campo, bool Agregar, const QString &Tipo,
                        bool PermiteNulos, const std::optional<QString> &ValorDefault)
{
    if (ExisteTablaDB(Tabla) && !ExisteCampoDB(Tabla, Campo) && Agregar)
        AddField(Tabla, Campo, Tipo, PermiteNulos, ValorDefault);
    return true;
}
