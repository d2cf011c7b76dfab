#include "Programa.h"

#include "IniciarAplicacion.h"
#include "access/frmAcceso.h"
#include "data/VentanasDatos.h"
#include "definitions/FrmDefConsultas.h"
#include "suite/LibreriaSuite.h"
#include "ui/DialogoOperadorQt.h"
#include "ui/frmReconectar.h"

#include <QApplication>
#include <QShortcut>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int gAvisoCierre[2] = {-1, -1};

void alPedirCierre(int)
{
    const char c = 1;
    (void)!::write(gAvisoCierre[0], &c, 1);
}

// When the system asks the program to end (log-out, shutdown, kill), its
// windows are closed as the operator would close them, so the editor's unload
// still records the end of the session.
void CerrarAlPedidoDelSistema(QApplication &aplicacion)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, gAvisoCierre) != 0)
        return;
    auto *aviso = new QSocketNotifier(gAvisoCierre[1], QSocketNotifier::Read, &aplicacion);
    QObject::connect(aviso, &QSocketNotifier::activated, &aplicacion, [] {
        char c;
        (void)!::read(gAvisoCierre[1], &c, 1);
        QApplication::closeAllWindows();
    });
    struct sigaction accion = {};
    accion.sa_handler = alPedirCierre;
    sigemptyset(&accion.sa_mask);
    accion.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &accion, nullptr);
    ::sigaction(SIGHUP, &accion, nullptr);
    ::sigaction(SIGINT, &accion, nullptr);
}

} // namespace

void Main()
{
    QString cadenaConexion;
    IniciarAplicacion({}, cadenaConexion, 3);

    // The editor lives until it is closed; its unload ends the program.
    auto *editor = new FrmDefConsultas;
    editor->setAttribute(Qt::WA_DeleteOnClose);
    auto *ayuda = new QShortcut(QKeySequence::HelpContents, editor);
    QObject::connect(ayuda, &QShortcut::activated, editor, [] {
        Equipo::Compartido().AbrirDocumento(0, {}, ArchivoAyuda(), {}, {}, 1);
    });
    editor->show();
}

int EjecutarPrograma(int argc, char *argv[])
{
    QApplication aplicacion(argc, argv);
    QApplication::setApplicationName(QStringLiteral("DefConsultas"));

    DialogoOperadorQt dialogos;
    EstablecerOperador(&dialogos);
    VentanaAccesoQt acceso;
    VentanasDatos::EstablecerAcceso(&acceso);
    frmReconectar reconexion;
    VentanasDatos::EstablecerReconexion(&reconexion);

    CerrarAlPedidoDelSistema(aplicacion);
    Main();
    return aplicacion.exec();
}
