#include "Errors.h"

#include "suite/ErrorEjecucion.h"

namespace db {

const Error &Errors::Item(qint32 indice) const
{
    if (indice < 0 || indice >= m_entradas.size())
        ErrorEjecucion::Lanzar(Errores::ElementoNoEncontrado,
                               QStringLiteral("No se encontró el elemento en la colección que corresponde "
                                              "al nombre o al ordinal pedido."));
    return m_entradas.at(indice);
}

qint32 NumeroParaNativo(qint32 nativo, const QString &sqlState)
{
    switch (nativo) {
    case Nativo::ClaveDuplicada:
    case Nativo::ConflictoRestriccion:
    case Nativo::ValorNuloNoPermitido:
        return Errores::ViolacionIntegridad;
    case Nativo::DatosTruncados:
        return Errores::DatosTruncados;
    case Nativo::ObjetoInexistente:
        return Errores::TablaInexistente;
    case Nativo::ColumnaInexistente:
    case Nativo::ErrorDeSintaxis:
        return Errores::ErrorEnComando;
    case Nativo::TiempoDeBloqueo:
        return Errores::TiempoAgotado;
    default:
        break;
    }
    if (sqlState.startsWith(QLatin1String("23")))
        return Errores::ViolacionIntegridad;
    if (sqlState == QLatin1String("42S02"))
        return Errores::TablaInexistente;
    if (sqlState.startsWith(QLatin1String("42")) || sqlState.startsWith(QLatin1String("37")))
        return Errores::ErrorEnComando;
    if (sqlState == QLatin1String("HYT00") || sqlState == QLatin1String("S1T00"))
        return Errores::TiempoAgotado;
    return Errores::ErrorNoEspecificado;
}

FalloProveedor Fallo(qint32 numero, const QString &descripcion, const QString &sqlState, qint32 nativo,
                     const QString &fuente)
{
    FalloProveedor f;
    f.Number = numero;
    f.Entradas.append(Error{numero, descripcion, sqlState, nativo, fuente});
    f.ConexionPerdida = nativo == Nativo::ErrorDeRed;
    return f;
}

}
