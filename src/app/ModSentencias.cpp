#include "ModSentencias.h"

#include "data/DB_Dll.h"
#include "suite/LibreriaSuite.h"

void AgregarCampoValor(const QString &Campo, QString &Valor, const QString &Marca, bool NuevaLista)
{
    if (NuevaLista)
        gCamposValores = {ParCampoValor{}};
    else
        gCamposValores.append(ParCampoValor{});
    // Apostrophes are taken out of the value, so it can never end its literal.
    Valor.remove(u'\'');
    ParCampoValor &par = gCamposValores.last();
    par.Campo = Campo;
    par.Valor = Valor.compare(QStringLiteral("NULL"), Qt::CaseInsensitive) == 0
        ? QStringLiteral("Null")
        : DB_Dll::SQLValue(Valor, Marca).toString();
}

namespace {
QString unir(const QList<ParCampoValor> &pares, QString ParCampoValor::*miembro)
{
    QStringList partes;
    for (const ParCampoValor &p : pares)
        partes << p.*miembro;
    return partes.join(u',');
}
}

void ArmarSentencia(QList<ParCampoValor> &Pares, QStringList &Sentencias, const QString &Tabla, bool Actualizar,
                    QString &Condicion, bool MantenerPares)
{
    QString sentencia;
    if (Actualizar) {
        QStringList asignaciones;
        for (const ParCampoValor &p : Pares)
            asignaciones << p.Campo + QStringLiteral(" = ") + p.Valor;
        if (!Condicion.contains(QStringLiteral("WHERE"), Qt::CaseInsensitive))
            Condicion = QStringLiteral(" WHERE ") + Condicion;
        sentencia = QStringLiteral("UPDATE ") + Tabla + QStringLiteral(" SET ") + asignaciones.join(u',') + u' '
            + Condicion;
    } else {
        sentencia = QStringLiteral("INSERT INTO ") + Tabla + QStringLiteral(" (") + unir(Pares, &ParCampoValor::Campo)
            + QStringLiteral(") VALUES (") + unir(Pares, &ParCampoValor::Valor) + u')';
    }
    Sentencias << sentencia << QString();
    if (!MantenerPares)
        Pares = {ParCampoValor{}};
}

void ArmarValores(QString &Texto, QList<ParCampoValor> &Pares, bool Borrar)
{
    Texto += u'(' + unir(Pares, &ParCampoValor::Campo) + QStringLiteral(") VALUES (")
        + unir(Pares, &ParCampoValor::Valor) + u')';
    if (Borrar)
        Pares.clear();
}

QString ConvertirTopOracle(const QString &Sentencia)
{
    if (!DB_Dll::Compartido().gConnString.contains(QStringLiteral("oracle"), Qt::CaseInsensitive))
        return Sentencia;
    if (Cadenas::Compartida().ContarPalabras(Sentencia) < 2)
        return Sentencia.compare(QStringLiteral("LEN"), Qt::CaseInsensitive) == 0 ? QStringLiteral("LENGTH")
                                                                                  : Sentencia;
    if (!Sentencia.contains(QStringLiteral("top "), Qt::CaseInsensitive))
        return Sentencia;
    const qsizetype top = Sentencia.indexOf(QStringLiteral("top"), 0, Qt::CaseInsensitive);
    const QString despues = Sentencia.mid(top + 3);
    const qsizetype asterisco = despues.indexOf(u'*');
    if (asterisco < 0)
        ErrorEjecucion::Lanzar(Errores::LlamadaNoValida, QStringLiteral("Llamada a procedimiento o argumento no válido"));
    return Sentencia.left(top) + QStringLiteral(" * ") + despues.mid(asterisco + 1)
        + QStringLiteral(" WHERE ROWNUM <= ") + despues.left(asterisco);
}
