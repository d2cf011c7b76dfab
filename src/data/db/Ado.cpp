#include "Ado.h"

#include <QRegularExpression>

namespace db {

Naturaleza NaturalezaDeTipo(int tipoAdo)
{
    switch (tipoAdo) {
    case adSmallInt: case adInteger: case adTinyInt: case adUnsignedTinyInt: case adBigInt:
        return Naturaleza::Entero;
    case adSingle: case adDouble: case adCurrency: case adNumeric:
        return Naturaleza::Real;
    case adBoolean:
        return Naturaleza::Logico;
    case adDate: case adDBDate: case adDBTime: case adDBTimeStamp:
        return Naturaleza::Fecha;
    case adBinary: case adVarBinary: case adLongVarBinary:
        return Naturaleza::Binario;
    default:
        return Naturaleza::Texto;
    }
}

TipoCampo TipoDeclarado(const QString &declarado)
{
    static const QRegularExpression forma(
        QStringLiteral(R"(^\s*([A-Za-z_ ]*?)\s*(?:\(\s*(\d+|MAX)\s*(?:,\s*\d+\s*)?\))?\s*$)"),
        QRegularExpression::CaseInsensitiveOption);
    TipoCampo t;
    const auto m = forma.match(declarado);
    const QString nombre = m.hasMatch() ? m.captured(1).toUpper().simplified() : declarado.toUpper();
    const QString largo = m.captured(2).toUpper();
    const bool sinLimite = largo == QLatin1String("MAX");
    const int n = largo.toInt();
    auto texto = [&](int tipo, int porDefecto) {
        t.tipo = tipo;
        t.tamano = sinLimite ? 2147483647 : (n > 0 ? n : porDefecto);
    };
    if (nombre.isEmpty()) {
        t.tipo = adEmpty;
    } else if (nombre == QLatin1String("VARCHAR") || nombre == QLatin1String("CHARACTER VARYING")) {
        texto(sinLimite ? adLongVarChar : adVarChar, 1);
    } else if (nombre == QLatin1String("NVARCHAR") || nombre == QLatin1String("NATIONAL VARCHAR")) {
        texto(sinLimite ? adLongVarWChar : adVarWChar, 1);
    } else if (nombre == QLatin1String("CHAR") || nombre == QLatin1String("CHARACTER")) {
        texto(adChar, 1);
    } else if (nombre == QLatin1String("NCHAR")) {
        texto(adWChar, 1);
    } else if (nombre == QLatin1String("TEXT") || nombre == QLatin1String("CLOB")) {
        t.tipo = adLongVarChar;
        t.tamano = 2147483647;
    } else if (nombre == QLatin1String("NTEXT")) {
        t.tipo = adLongVarWChar;
        t.tamano = 1073741823;
    } else if (nombre == QLatin1String("INT") || nombre == QLatin1String("INTEGER")
               || nombre == QLatin1String("MEDIUMINT")) {
        t.tipo = adInteger;
        t.tamano = 4;
    } else if (nombre == QLatin1String("SMALLINT")) {
        t.tipo = adSmallInt;
        t.tamano = 2;
    } else if (nombre == QLatin1String("TINYINT")) {
        t.tipo = adUnsignedTinyInt;
        t.tamano = 1;
    } else if (nombre == QLatin1String("BIGINT")) {
        t.tipo = adBigInt;
        t.tamano = 8;
    } else if (nombre == QLatin1String("MONEY") || nombre == QLatin1String("SMALLMONEY")) {
        t.tipo = adCurrency;
        t.tamano = 8;
    } else if (nombre == QLatin1String("DECIMAL") || nombre == QLatin1String("NUMERIC")) {
        t.tipo = adNumeric;
        t.tamano = 19;
    } else if (nombre == QLatin1String("FLOAT") || nombre == QLatin1String("DOUBLE")
               || nombre == QLatin1String("DOUBLE PRECISION")) {
        t.tipo = adDouble;
        t.tamano = 8;
    } else if (nombre == QLatin1String("REAL")) {
        t.tipo = adSingle;
        t.tamano = 4;
    } else if (nombre == QLatin1String("BIT") || nombre == QLatin1String("BOOLEAN")) {
        t.tipo = adBoolean;
        t.tamano = 2;
    } else if (nombre == QLatin1String("DATETIME") || nombre == QLatin1String("SMALLDATETIME")
               || nombre == QLatin1String("DATETIME2") || nombre == QLatin1String("TIMESTAMP")) {
        t.tipo = adDBTimeStamp;
        t.tamano = 16;
    } else if (nombre == QLatin1String("DATE")) {
        t.tipo = adDate;
        t.tamano = 8;
    } else if (nombre == QLatin1String("TIME")) {
        t.tipo = adDBTime;
        t.tamano = 8;
    } else if (nombre == QLatin1String("BLOB") || nombre == QLatin1String("IMAGE")
               || nombre == QLatin1String("VARBINARY")) {
        t.tipo = adLongVarBinary;
        t.tamano = 2147483647;
    } else if (nombre.contains(QLatin1String("CHAR")) || nombre.contains(QLatin1String("TEXT"))) {
        texto(adVarChar, 255);
    } else if (nombre.contains(QLatin1String("INT"))) {
        t.tipo = adInteger;
        t.tamano = 4;
    } else {
        t.tipo = adVarChar;
        t.tamano = 255;
    }
    t.naturaleza = NaturalezaDeTipo(t.tipo);
    return t;
}

}
