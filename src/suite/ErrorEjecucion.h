#pragma once

#include <QString>

// A run-time error as the routines of the system see it: the number they branch
// on, the description shown to the operator and the source that raised it.
// Operations raise it with `throw`; each routine catches it at its own boundary
// and reports it through the error treatment, so it never crosses a routine.
struct ErrorEjecucion
{
    qint32 Number = 0;
    QString Description;
    QString Source;

    // The source of errors raised by the program itself: its project name.
    static QString FuenteDelPrograma() { return QStringLiteral("DefConsultas"); }

    [[noreturn]] static void Lanzar(qint32 numero, const QString &descripcion,
                                    const QString &fuente = FuenteDelPrograma())
    {
        throw ErrorEjecucion{numero, descripcion, fuente};
    }
};

// Run-time error numbers the routines branch on.
namespace Errores {
inline constexpr qint32 LlamadaNoValida = 5;      // invalid procedure call or argument
inline constexpr qint32 Desbordamiento = 6;       // overflow (16-bit positions and record numbers)
inline constexpr qint32 TiposNoCoinciden = 13;
inline constexpr qint32 ArchivoNoEncontrado = 53;
inline constexpr qint32 PermisoDenegado = 70;
inline constexpr qint32 ErrorAccesoArchivo = 75;
inline constexpr qint32 ObjetoCerrado = 3704;
inline constexpr qint32 ObjetoAbierto = 3705;
inline constexpr qint32 ConexionNoUsable = 3709;
// The database layer's numbers, as the provider and the object model report them.
inline constexpr qint32 RegistroNoActual = 3021;        // BOF or EOF is True
inline constexpr qint32 OperacionNoPermitida = 3219;    // e.g. closing while an edit is pending
inline constexpr qint32 RecordsetNoActualizable = 3251;
inline constexpr qint32 ElementoNoEncontrado = 3265;    // no field of that name or ordinal
inline constexpr qint32 ProveedorNoEncontrado = 3706;
inline constexpr qint32 ErrorNoEspecificado = static_cast<qint32>(0x80004005u);
inline constexpr qint32 ErrorEnComando = static_cast<qint32>(0x80040E14u);
inline constexpr qint32 TablaInexistente = static_cast<qint32>(0x80040E37u);
inline constexpr qint32 ViolacionIntegridad = static_cast<qint32>(0x80040E2Fu);
inline constexpr qint32 DatosTruncados = static_cast<qint32>(0x80040E57u);
inline constexpr qint32 TiempoAgotado = static_cast<qint32>(0x80040E31u);
inline constexpr qint32 FilaNoEncontrada = static_cast<qint32>(0x80040E38u);
inline constexpr qint32 SinTransaccion = static_cast<qint32>(0x8004D00Eu);
}
