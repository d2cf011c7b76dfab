#include "ModScript.h"

#include "ModGlobal.h"
#include "ModSesion.h"
#include "Sesion.h"
#include "data/DB_Dll.h"
#include "suite/DialogoOperador.h"
#include "suite/LibreriaSuite.h"
#include "suite/Pasos.h"

void GActualizarDatoScript(QStringList &Sentencias, bool &HuboError, qint32 &ErrorNativo, bool ClaveDuplicada,
                           bool Restriccion, QString &Script, QString &MensajeError, bool MostrarMensaje)
{
    DB_Dll &db = DB_Dll::Compartido();
    QString lote;
    qint32 nativo = 0;
    Pasos::Ejecutar(
        {
            [&] {
                HuboError = false;
                for (const QString &s : Sentencias)
                    if (!s.trimmed().isEmpty())
                        lote += u'\r' + s;
            },
            [&] {
                if (lote.isEmpty())
                    return;
                lote = QStringLiteral("BEGIN TRANSACTION \r\r") + lote + u'\r';
                Script = lote;
                try {
                    qint32 afectadas = 0;
                    QString enviado = lote;
                    db.EjecutaConsultaSQL(enviado, afectadas);
                } catch (const ErrorEjecucion &) {
                }
                db::Errors &errores = db.gCnn().Errors();
                if (errores.Count() == 0) {
                    QString confirmar = QStringLiteral("COMMIT TRANSACTION");
                    qint32 afectadas = 0;
                    db.EjecutaConsultaSQL(confirmar, afectadas);
                    return;
                }
                HuboError = true;
                nativo = errores.Item(0).NativeError;
                QString mensaje;
                for (const db::Error &e : errores.Entradas())
                    mensaje += QString::number(e.NativeError) + QStringLiteral(" : ") + e.Description + QStringLiteral("\r\n");
                if ((ClaveDuplicada && nativo == db::Nativo::ClaveDuplicada)
                    || (Restriccion && nativo == db::Nativo::ConflictoRestriccion))
                    mensaje = errores.Item(0).Description;
                MensajeError = mensaje;
                errores.Clear();
                try {
                    QString deshacer = QStringLiteral("ROLLBACK TRANSACTION");
                    qint32 afectadas = 0;
                    db.EjecutaConsultaSQL(deshacer, afectadas);
                } catch (const ErrorEjecucion &) {
                }
                QString proceso = ContextoAplicacion::Compartido().NombreEjecutable();
                RegistrarAuxErr(lote, proceso, nativo, mensaje);
                if (!mensaje.trimmed().isEmpty() && MostrarMensaje)
                    Operador().MsgBox(mensaje, DialogoOperador::vbCritical, QStringLiteral("Aviso al Operador!"));
            },
            [&] { ErrorNativo = nativo; },
        },
        [](const ErrorEjecucion &e) {
            return ManejarError(e, 18, QStringLiteral("GActualizarDatoScript")) == DialogoOperador::vbRetry
                ? Pasos::Accion::Repetir
                : Pasos::Accion::Salir;
        });
}

void RegistrarAuxErr(const QString &Sentencia, QString &Proceso, const QVariant &ErrorNativo, const QString &TextoError)
{
    DB_Dll &db = DB_Dll::Compartido();
    db::Recordset rs;
    QString sentencia = QStringLiteral("select  top 1 * from AUX_ERR  with(nolock) ");
    Pasos::Ejecutar(
        {
            [&] {
                if (Proceso.isEmpty())
                    Proceso = ContextoAplicacion::Compartido().NombreEjecutable();
            },
            [&] { db.AbrirRecordset(sentencia, rs, nullptr, db::adOpenDynamic, db::adLockOptimistic, -1, false); },
            [&] { rs.AddNew(); },
            [&] { rs.Fields(QStringLiteral("Proceso")).SetValue(Proceso); },
            [&] { rs.Fields(QStringLiteral("fecha")).SetValue(FormatoFechaHora()); },
            [&] { rs.Fields(QStringLiteral("Error")).SetValue(ErrorNativo.toString()); },
            [&] { rs.Fields(QStringLiteral("Descripcion")).SetValue(Cadenas::Compartida().Rellenar(TextoError, 250)); },
            [&] { rs.Fields(QStringLiteral("Sql")).SetValue(Sentencia); },
            [&] { rs.Fields(QStringLiteral("PC")).SetValue(Equipo::Compartido().NombreEquipo()); },
            [&] { rs.Fields(QStringLiteral("Usuario")).SetValue(gUsuarioLogeado); },
            [&] { rs.Update(); },
            [&] { db.CierraRecordset(rs); },
        },
        Pasos::Omitir);
}
