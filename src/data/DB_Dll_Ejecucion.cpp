// Running statements and opening recordsets, with the recovery from a lost
// connection: the failing step runs again after a reconnection, and the
// operator is asked before the program is closed.

#include "DB_Dll.h"

#include "VentanasDatos.h"
#include "suite/DialogoOperador.h"
#include "suite/Pasos.h"
#include "suite/Plataforma.h"

#include <QCoreApplication>

namespace {

constexpr auto CI = Qt::CaseInsensitive;
const QString kCrLf = QStringLiteral("\r\n");
constexpr qint32 kSinConexion = static_cast<qint32>(0x80040001u);

bool contiene(const QString &texto, QStringView buscado)
{
    return texto.contains(buscado, CI);
}

QString sinPrefijoAdmin(QString texto)
{
    return texto.replace(QStringLiteral("@Admin_"), QString(), CI);
}

// A truncation warning (one or two entries) on an ordinary statement is not a
// failure; inside a transaction script it is kept for the script to see.
void LimpiarAvisoDeTruncado(const QString &sentencia)
{
    db::Errors &errores = DB_Dll::Compartido().gCnn().Errors();
    if ((errores.Count() == 1 || errores.Count() == 2) && !contiene(sentencia, u"TRANS")
        && errores.Item(0).NativeError == db::Nativo::DatosTruncados)
        errores.Clear();
}

} // namespace

QString DB_Dll::GuardiaSentencia(const QString &SentenciaSQL) const
{
    if (!(contiene(SentenciaSQL, u"CREATE") && contiene(SentenciaSQL, u"DROP")))
        return sinPrefijoAdmin(SentenciaSQL);
    if (contiene(SentenciaSQL, u"@ADMIN_"))
        return sinPrefijoAdmin(SentenciaSQL);
    // A statement that drops and re-creates without deleting reads through the
    // synonym views; one that also deletes is left as it is.
    return contiene(SentenciaSQL, u"DELETE") ? SentenciaSQL : SS_TSinonimos(SentenciaSQL);
}

bool DB_Dll::EsConexionOracle() const
{
    return m_cnn && contiene(m_cnn->ConnectionString(), u"ORACLE");
}

bool DB_Dll::ProcedimientoConexionPerdida(qint16 &contador)
{
    ReintentaConectar();
    if (gOpenFlag)
        return ++contador < 3;
    for (;;) {
        if (ReintentaConectar())
            return true;
        if (++contador < 3)
            continue;
        const DB_Dll &compartido = Compartido();
        const QString texto = kCrLf + kCrLf + kCrLf + QStringLiteral("Se perdio la conexion con la base de datos ")
            + compartido.gDBName + kCrLf + QStringLiteral(" Servidor ") + compartido.gServidor + kCrLf + kCrLf
            + QStringLiteral("Elija SI para reintentar conectarse") + kCrLf
            + QStringLiteral("Elija NO para cerrar la aplicacion") + kCrLf + kCrLf + kCrLf;
        if (Operador().MsgBox(texto, DialogoOperador::vbYesNo | DialogoOperador::vbCritical,
                              QStringLiteral("AVISO AL OPERADOR"))
            != DialogoOperador::vbYes)
            Plataforma::TerminarPrograma();
    }
}

void DB_Dll::EjecutaConsultaSQL(QString &SentenciaSQL, qint32 &RecordsAffected, db::Recordset *lrcs)
{
    qint16 contador = 0;
    Pasos::Ejecutar(
        {
            [&] { SentenciaSQL = GuardiaSentencia(SentenciaSQL); },
            [&] {
                if (EsConexionOracle()) {
                    EjecutarScript(SentenciaSQL, RecordsAffected);
                    return;
                }
                db::Recordset filas = gCnn().Execute(SentenciaSQL, &RecordsAffected, -1);
                if (lrcs)
                    *lrcs = std::move(filas);
            },
            [&] { LimpiarAvisoDeTruncado(SentenciaSQL); },
        },
        [&](const ErrorEjecucion &) {
            db::Errors &errores = Compartido().gCnn().Errors();
            if (errores.Count() > 0 && !contiene(SentenciaSQL, u"TRANS")) {
                const qint32 nativo = errores.Item(0).NativeError;
                if (nativo == db::Nativo::ErrorDeRed)
                    return ProcedimientoConexionPerdida(contador) ? Pasos::Accion::Repetir : Pasos::Accion::Salir;
                if (nativo == db::Nativo::DatosTruncados)
                    errores.Clear();
            }
            return Pasos::Accion::Salir;
        });
}

void DB_Dll::EjecutaConsultaRSQL(QString &SentenciaSQL, qint32 &RecordsAffected, db::Recordset *lrcs)
{
    bool oracle = false, sinConexion = false;
    Pasos::Ejecutar(
        {
            [&] { SentenciaSQL = GuardiaSentencia(SentenciaSQL); },
            [&] {
                oracle = EsConexionOracle();
                if (oracle)
                    EjecutarScript(SentenciaSQL, RecordsAffected);
            },
            [&] {
                if (oracle)
                    return;
                if (!AsegurarConexion()) {
                    Operador().MsgBox(QStringLiteral("No hay conexión con el servidor. Intentá de nuevo en unos segundos."),
                                      DialogoOperador::vbExclamation, {});
                    sinConexion = true;
                    return;
                }
                db::Recordset filas = gCnn().Execute(SentenciaSQL, &RecordsAffected, -1);
                if (lrcs)
                    *lrcs = std::move(filas);
            },
            [&] {
                if (!sinConexion)
                    LimpiarAvisoDeTruncado(SentenciaSQL);
            },
        },
        [&](const ErrorEjecucion &e) {
            db::Errors &errores = Compartido().gCnn().Errors();
            if (errores.Count() > 0 && !contiene(SentenciaSQL, u"TRANS")
                && errores.Item(0).NativeError == db::Nativo::DatosTruncados) {
                errores.Clear();
                return Pasos::Accion::Salir;
            }
            const bool silencioso = e.Number == Errores::ErrorNoEspecificado || e.Number == Errores::ErrorEnComando
                || e.Number == Errores::TablaInexistente || e.Number == Errores::ViolacionIntegridad
                || contiene(SentenciaSQL, u"TRANS");
            if (!silencioso)
                Operador().MsgBox(e.Description, DialogoOperador::vbCritical, QStringLiteral("Aviso al operador!!!"));
            return Pasos::Accion::Salir;
        });
}

void DB_Dll::AbrirRecordset(QString &SentenciaSQL, db::Recordset &lrcs, db::Connection *Conexionactiva,
                            qint32 CursorType, qint32 LockType, qint32 Options, bool ConvOracle)
{
    Pasos::Ejecutar(
        {
            [&] { CierraRecordset(lrcs); },
            [&] { SentenciaSQL = SS_TSinonimos(SentenciaSQL); },
            [&] {
                if (!AsegurarConexion())
                    ErrorEjecucion::Lanzar(kSinConexion, QStringLiteral("No hay conexión con la base de datos."));
            },
            [&] {
                const QString cadena = gCnn().ConnectionString();
                const bool oracle = cadena.indexOf(QStringLiteral("ORACLE"), 0, CI) > 0 && ConvOracle;
                lrcs.Open(oracle ? ORACLE_Dicc(SentenciaSQL) : SentenciaSQL,
                          Conexionactiva ? *Conexionactiva : gCnn(), CursorType, LockType, Options);
            },
            [&] { QCoreApplication::processEvents(); },
        },
        [&](const ErrorEjecucion &e) {
            switch (ResolverPerdidaConexion(e.Number, m_intentosAbrir, QStringLiteral("AbrirRecordset"))) {
            case 1: return Pasos::Accion::Repetir;
            case 2: Plataforma::TerminarPrograma();
            default:
                return Pasos::SegunRespuesta(Cadenas::Compartida().ResponderError(e, -1, QStringLiteral("AbrirRecordset")));
            }
        });
}

void DB_Dll::CierraRecordset(db::Recordset &LrcsTemp)
{
    Pasos::Ejecutar({[&] {
                        if (LrcsTemp.State() != db::adStateClosed)
                            LrcsTemp.Close();
                    }},
                    [&](const ErrorEjecucion &e) {
                        if (e.Number == Errores::OperacionNoPermitida) {
                            // An edit is pending: drop it, then close.
                            try {
                                LrcsTemp.CancelUpdate();
                                if (LrcsTemp.State() != db::adStateClosed)
                                    LrcsTemp.Close();
                            } catch (const ErrorEjecucion &) {
                            }
                            return Pasos::Accion::Salir;
                        }
                        return Pasos::SegunRespuesta(TratamientoErrores(e, 18, QStringLiteral("CierraRecordset")));
                    });
}

bool DB_Dll::AsegurarConexion()
{
    bool resultado = false;
    Pasos::Ejecutar(
        {
            [&] {
                if (gCnn().State() != db::adStateOpen)
                    gCnn().Open(gConnString, {}, {}, -1);
            },
            [&] { resultado = gOpenFlag = gCnn().State() == db::adStateOpen; },
        },
        [&](const ErrorEjecucion &e) {
            switch (ResolverPerdidaConexion(e.Number, m_intentosAsegurar, QStringLiteral("AsegurarConexion"))) {
            case 1: return Pasos::Accion::Repetir;
            case 2: Plataforma::TerminarPrograma();
            default:
                if (Cadenas::Compartida().ResponderError(e, -1, QStringLiteral("AsegurarConexion"))
                    == DialogoOperador::vbRetry)
                    return Pasos::Accion::Repetir;
                resultado = false;
                return Pasos::Accion::Salir;
            }
        });
    return resultado;
}

int DB_Dll::ResolverPerdidaConexion(qint32 numero, qint16 &contador, const QString &rutina)
{
    if (numero != Errores::ObjetoCerrado && numero != Errores::ConexionNoUsable && numero != Errores::ErrorNoEspecificado)
        return 0;
    if (contador < 2) {
        ++contador;
        if (ReintentaConectar()) {
            contador = 0;
            return 1;
        }
    }
    // A failure inside the question's own work is an ordinary error.
    if (m_mostrandoDialogo)
        return 0;
    m_mostrandoDialogo = true;
    const int respuesta = Operador().MsgBox(
        QStringLiteral("SE PERDIÓ LA CONEXION CON EL SERVIDOR. (") + Compartido().gServidor + QStringLiteral(") ")
            + kCrLf + kCrLf + QStringLiteral("¿Querés que intentemos reconectar (Sí) ") + kCrLf
            + QStringLiteral("o cerrar la aplicación (No)?"),
        DialogoOperador::vbYesNo | DialogoOperador::vbCritical, QStringLiteral("Conexión a la base de datos"));
    m_mostrandoDialogo = false;
    if (respuesta == DialogoOperador::vbYes && MostrarReconexion(10, rutina)) {
        contador = 0;
        return 1;
    }
    return 2;
}

bool DB_Dll::MostrarReconexion(qint16 intentos, const QString &mensaje)
{
    VentanaReconexion *ventana = VentanasDatos::Reconexion();
    if (!ventana)
        return ReintentaConectar();
    for (;;) {
        bool repuesta = false;
        ventana->Mostrar(mensaje + kCrLf + QStringLiteral("Intentando reconectar con el servidor..."));
        for (int i = 1; i <= intentos; ++i) {
            if (ventana->Cancelar() || ventana->Reintentar())
                break;
            ventana->Progreso(qRound(i * 100.0 / intentos));
            ventana->HabilitarReintentar(i == intentos);
            ventana->ProcesarEventos(0);
            if (ReintentaConectar()) {
                repuesta = true;
                break;
            }
            ventana->ProcesarEventos(500);
        }
        if (ventana->Cancelar()) {
            ventana->Cerrar();
            return repuesta;
        }
        if (gOpenFlag) {
            ventana->Cerrar();
            return true;
        }
        intentos = 10;
    }
}
