#pragma once

#include <QList>
#include <QString>

// The provider's error entries of a connection, as the Parts read them after a
// failed operation: the first entry's NativeError decides what they do next.
namespace db {

struct Error
{
    qint32 Number = 0;      // the run-time number (an HRESULT for provider errors)
    QString Description;    // the provider's own text
    QString SQLState;
    qint32 NativeError = 0; // mapped to the SQL Server code where there is one
    QString Source;
};

class Errors
{
public:
    qint32 Count() const { return qint32(m_entradas.size()); }
    const Error &Item(qint32 indice) const;
    const Error &operator[](qint32 indice) const { return Item(indice); }
    void Clear() { m_entradas.clear(); }

    void Agregar(const Error &e) { m_entradas.append(e); }
    void Reemplazar(const QList<Error> &entradas) { m_entradas = entradas; }
    const QList<Error> &Entradas() const { return m_entradas; }

private:
    QList<Error> m_entradas;
};

// SQL Server's native codes that the Parts branch on.
namespace Nativo {
inline constexpr qint32 ErrorDeRed = 11;
inline constexpr qint32 ClaveDuplicada = 2627;
inline constexpr qint32 ConflictoRestriccion = 547;
inline constexpr qint32 ValorNuloNoPermitido = 515;
inline constexpr qint32 DatosTruncados = 8152;
inline constexpr qint32 ObjetoInexistente = 208;
inline constexpr qint32 ColumnaInexistente = 207;
inline constexpr qint32 ErrorDeSintaxis = 102;
inline constexpr qint32 BaseNoDisponible = 4060;
inline constexpr qint32 TiempoDeBloqueo = 1222;
inline constexpr qint32 SinTransaccionAbierta = 3902;
}

// What a backend throws: the run-time number and the provider's entries. The
// connection copies the entries into its Errors collection and raises the number.
struct FalloProveedor
{
    qint32 Number = 0;
    QList<Error> Entradas;
    bool ConexionPerdida = false; // the database became unreachable

    QString Descripcion() const { return Entradas.isEmpty() ? QString() : Entradas.first().Description; }
};

// The run-time number a provider gives for a failure with this native code.
qint32 NumeroParaNativo(qint32 nativo, const QString &sqlState);

// A failure the layer itself detects, with one entry.
FalloProveedor Fallo(qint32 numero, const QString &descripcion, const QString &sqlState = QString(),
                     qint32 nativo = 0, const QString &fuente = QString());

}
