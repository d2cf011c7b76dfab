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
}
