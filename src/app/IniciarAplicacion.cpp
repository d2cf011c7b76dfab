#include "IniciarAplicacion.h"

#include "CadenaLanzamiento.h"
#include "ModLogin.h"
#include "ModSesion.h"
#include "Sesion.h"
#include "access/frmAcceso.h"
#include "config/ModConfiguracion.h"
#include "config/SesionConfiguracion.h"
#include "data/DB_Dll.h"
#include "definitions/ArchivoConsultas.h"
#include "lookup/Lib_ClsCons3.h"
#include "suite/Archivos.h"
#include "suite/DialogoOperador.h"
#include "suite/LibreriaSuite.h"
#include "suite/Pasos.h"
#include "suite/Plataforma.h"
#include "ui/Dll_Display.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QFileInfo>

namespace {

QString gAyuda;

const QString kCrLf = QStringLiteral("\r\n");

// What the start-up takes from the launch string, and what the access window
// may replace on a login attempt.
struct DatosLanzamiento
{
    QString servidor, baseDatos, usuario, password;
    bool hayPassword = false;
};

enum class Validacion { Valida, OtraConexion };

// Up to three attempts in the access window. Ends the program when the window
// is cancelled or the third attempt fails; OtraConexion when the operator chose
// another database or server, which `lanzamiento` then holds.
Validacion IntentosDeIngreso(DatosLanzamiento &lanzamiento)
{
    DB_Dll &db = DB_Dll::Compartido();
    Operador().MsgBox(QStringLiteral("El usuario o clave en la base de datos es incorrecto!") + kCrLf
                          + QStringLiteral("Intentelo nuevamente"),
                      DialogoOperador::vbCritical, QStringLiteral("Atencion!"));
    frmAcceso ventana;
    for (int intento = 1; intento <= 3; ++intento) {
        ventana.TxtDbName->setText(db.gDBName);
        ventana.TxtServidor->setText(db.gServidor);
        ventana.TxtUserId->setText(gUsuarioLogeado);
        ventana.TxtUserPassword->setText(gPassword);
        ventana.CboPlataformaDB->setCurrentIndex(0);
        // Every attempt starts at the user, as the first one did.
        ventana.TxtUserId->setFocus();
        ventana.exec();
        if (!ventana.Aceptar)
            Plataforma::TerminarPrograma();
        if (ValidarUsuario(gUsuarioLogeado, gPassword)) {
            const QString base = ventana.TxtDbName->text(), servidor = ventana.TxtServidor->text();
            if (base.compare(db.gDBName, Qt::CaseInsensitive) == 0
                && servidor.compare(db.gServidor, Qt::CaseInsensitive) == 0)
                return Validacion::Valida;
            lanzamiento.baseDatos = base;
            lanzamiento.servidor = servidor;
            return Validacion::OtraConexion;
        }
        Operador().MsgBox(QStringLiteral("Usuario o Clave incorrecta"), DialogoOperador::vbInformation,
                          QStringLiteral("Atencion"));
        RegistrarAccion({}, {}, QStringLiteral("0"), true, false, QStringLiteral("Intento de inicio de sesion fallido"),
                        {}, false);
    }
    Operador().MsgBox(QStringLiteral("Demasiados intentos para iniciar sesión!") + kCrLf
                          + QStringLiteral("Comuniquese con el administrador de sistemas"),
                      DialogoOperador::vbCritical, QStringLiteral("Atencion!"));
    Plataforma::TerminarPrograma();
}

} // namespace

QString ArchivoAyuda()
{
    return gAyuda;
}

void IniciarAplicacion(const QString &LineaParametros, QString &CadenaConexion, qint32 UbicacionCursor)
{
    DB_Dll &db = DB_Dll::Compartido();
    Dll_Display &cartel = Dll_Display::Compartido();
    const ContextoAplicacion &contexto = ContextoAplicacion::Compartido();
    QString carpeta, linea;
    DatosLanzamiento lanzamiento;
    CadenaLanzamiento::Datos tokens;
    using CadenaLanzamiento::LeerToken;

    // A failure closes the sign; an invalid argument is passed over, anything
    // else ends the program without a word.
    const Pasos::Tratamiento alFallar = [&cartel](const ErrorEjecucion &e) {
        cartel.CartelCerrar();
        if (e.Number != Errores::LlamadaNoValida)
            Plataforma::TerminarPrograma();
        return Pasos::Accion::Siguiente;
    };

    Pasos::Ejecutar(
        {
            [&] {
                bool cancelado = false;
                cartel.CartelInicio(QStringLiteral("Conectando Base de Datos"), false);
                cartel.CartelMostrar(cancelado, QStringLiteral("Iniciando Aplicacion"), contexto.NombreEjecutable(),
                                     QStringLiteral("Espere por favor"));
            },
            [&] {
                carpeta = contexto.CarpetaAplicacion();
                gAyuda = carpeta + QStringLiteral("htmlhelp/quorivax.html");
            },
            [&] {
                gColorLetra = 0;
                gColorFondo = 0xFFFFFF;
            },
            [&] {
                linea = !LineaParametros.isEmpty()
                    ? LineaParametros
                    : CadenaLanzamiento::DesdeArgumentos(QCoreApplication::arguments());
            },
            [&] { gParametroAdicional = LeerToken(linea, CadenaLanzamiento::kParametroAdicional).value_or(QString()); },
            [&] { lanzamiento.servidor = LeerToken(linea, CadenaLanzamiento::kServer).value_or(QString()); },
            [&] { lanzamiento.baseDatos = LeerToken(linea, CadenaLanzamiento::kDbName).value_or(QString()); },
            [&] { lanzamiento.usuario = LeerToken(linea, CadenaLanzamiento::kUsuario).value_or(QString()); },
            [&] { gUsuarioLogeado = LeerToken(linea, CadenaLanzamiento::kUsuarioLogeado).value_or(QString()); },
            [&] { tokens.password = LeerToken(linea, CadenaLanzamiento::kPassword); },
            [&] { tokens.caja = LeerToken(linea, CadenaLanzamiento::kCaja); },
            [&] {
                if (gUsuarioLogeado.trimmed().isEmpty())
                    gUsuarioLogeado = lanzamiento.usuario.trimmed();
                if (tokens.password) {
                    lanzamiento.password = *tokens.password;
                    gPassword = lanzamiento.password.compare(lanzamiento.baseDatos, Qt::CaseInsensitive) == 0
                        ? kMarcaPasswordGuardada
                        : lanzamiento.password;
                }
                gCaja = tokens.caja.value_or(QStringLiteral("1"));
            },
            [&] {
                const QString servidor = lanzamiento.servidor.trimmed();
                if (servidor.isEmpty() || !servidor.startsWith(u'#'))
                    return;
                lanzamiento.servidor = servidor.mid(1);
                if (CadenaConexion.isEmpty())
                    CadenaConexion = QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=") + lanzamiento.baseDatos
                        + QStringLiteral(";User Id=") + lanzamiento.usuario + QStringLiteral(";Password=")
                        + lanzamiento.password + u';';
            },
        },
        alFallar);

    for (;;) {
        bool listo = false;
        Pasos::Ejecutar(
            {
                [&] {
                    db.gUsuario = db.gDBName = db.gUserPassWord = lanzamiento.baseDatos;
                    db.gServidor = ExtraerServidor(lanzamiento.servidor);
                },
                [&] {
                    db.OpenServerADODB(lanzamiento.servidor.trimmed().isEmpty() || lanzamiento.usuario.trimmed().isEmpty(),
                                       UbicacionCursor, CadenaConexion, true, true);
                    if (!db.gOpenFlag)
                        Plataforma::TerminarPrograma();
                    CargarTimeOut();
                    db.gCnn().SetCommandTimeout(gTimeOut);
                    db.gCnn().SetIsolationLevel(db::adXactReadUncommitted);
                },
                [&] {
                    if (db.gDBName.isEmpty())
                        return;
                    ContextoAplicacion::Compartido().AsignarCarpeta(carpeta);
                    db.gCnn().SetDefaultDatabase(db.gDBName);
                    Lib_ClsCons3 &consulta = Lib_ClsCons3::Compartido();
                    consulta.gConnString = db.gConnString;
                    consulta.gUsarMascarasConsultas = true;
                    consulta.gRutaMascaraConsultas = carpeta + QStringLiteral("consultas.kvd");
                    if (!QFileInfo::exists(Archivos::UbicarRuta(consulta.gRutaMascaraConsultas)))
                        ArchivoConsultas::CrearDefinicionesDefault(consulta.gRutaMascaraConsultas);
                    db.gCnn().SetDefaultDatabase(db.gDBName);
                    CargarConfiguracion(carpeta);
                },
                [&] {
                    if (gPassword == kMarcaPasswordGuardada)
                        ResolverPasswordGuardada();
                },
                [&] {
                    if (ValidarUsuario(gUsuarioLogeado, gPassword) || IntentosDeIngreso(lanzamiento) == Validacion::Valida)
                        listo = true;
                },
            },
            alFallar);
        if (listo)
            break;
    }

    Pasos::Ejecutar(
        {
            [] { RegistrarIngreso({}); },
            [&] { cartel.CartelCerrar(); },
        },
        alFallar);
}
