#include "Programa.h"

#include "CadenaLanzamiento.h"
#include "Sesion.h"
#include "ui/DialogoOperadorQt.h"

#include <QApplication>
#include <QTextStream>

int EjecutarPrograma(int argc, char *argv[])
{
    QApplication aplicacion(argc, argv);
    QApplication::setApplicationName(QStringLiteral("DefConsultas"));
    DialogoOperadorQt dialogos;
    EstablecerOperador(&dialogos);

    // Until the connection and the session are built on it, the program reads
    // its launch string and reports what it would connect to.
    const auto datos = CadenaLanzamiento::Leer(CadenaLanzamiento::DesdeArgumentos(aplicacion.arguments()));
    QTextStream(stdout) << "Servidor: " << datos.server.value_or(QString()) << "\nBase de datos: "
                        << datos.dbName.value_or(QString()) << "\nUsuario: " << datos.usuario.value_or(QString())
                        << '\n';
    EstablecerOperador(nullptr);
    return 0;
}
