#include "Connection.h"

#include "MotorOdbc.h"
#include "MotorSqlite.h"
#include "Sesion.h"
#include "suite/ErrorEjecucion.h"

namespace db {

namespace detail {

namespace {
const QString kFuente = QStringLiteral("DefConsultas.Datos");

bool esDeSentencia(const FalloProveedor &f)
{
    // The server ends only the failing statement of a batch for these.
    const qint32 n = f.Entradas.isEmpty() ? 0 : f.Entradas.first().NativeError;
    return n == Nativo::ClaveDuplicada || n == Nativo::ConflictoRestriccion || n == Nativo::ValorNuloNoPermitido
        || n == Nativo::DatosTruncados;
}
}

void Sesion::ExigirAbierta()
{
    if (perdida) {
        // After the link broke, every use reports it until the connection is reopened.
        errores.Reemplazar({Error{Errores::ConexionNoUsable,
                                  QStringLiteral("Error general de red: se perdió la conexión con la base de datos."),
                                  QStringLiteral("08S01"), Nativo::ErrorDeRed, kFuente}});
        ErrorEjecucion::Lanzar(Errores::ConexionNoUsable,
                               QStringLiteral("La conexión no se puede usar para realizar esta operación. Está "
                                              "cerrada o no es válida en este contexto."),
                               kFuente);
    }
    if (!motor)
        ErrorEjecucion::Lanzar(Errores::ConexionNoUsable,
                               QStringLiteral("La conexión no se puede usar para realizar esta operación. Está "
                                              "cerrada o no es válida en este contexto."),
                               kFuente);
}

void Sesion::Lanzar(const FalloProveedor &f)
{
    if (f.ConexionPerdida && motor) {
        perdida = true;
        nivelTransaccion = 0;
    }
    errores.Reemplazar(f.Entradas);
    const QString fuente = f.Entradas.isEmpty() ? kFuente : f.Entradas.first().Source;
    throw ErrorEjecucion{f.Number, f.Descripcion(), fuente};
}

TipoDeColumna Sesion::tipoColumna(const QString &columna)
{
    if (!tiposCargados) {
        tiposColumnas.clear();
        for (const TablaEsquema &tabla : motor->Tablas()) {
            if (tabla.tipo != QLatin1String("TABLE") && tabla.tipo != QLatin1String("VIEW"))
                continue;
            for (const ColumnaEsquema &c : motor->Columnas(tabla.nombre)) {
                const TipoDeColumna tipo = c.tipo.naturaleza == Naturaleza::Texto ? TipoDeColumna::Texto
                    : c.tipo.naturaleza == Naturaleza::Fecha                       ? TipoDeColumna::Fecha
                                                                                   : TipoDeColumna::Numero;
                const QString clave = c.nombre.toLower();
                const auto it = tiposColumnas.constFind(clave);
                if (it == tiposColumnas.constEnd())
                    tiposColumnas.insert(clave, tipo);
                else if (*it != tipo)
                    tiposColumnas.insert(clave, TipoDeColumna::Ambiguo);
            }
        }
        tiposCargados = true;
    }
    return tiposColumnas.value(columna.toLower(), TipoDeColumna::Desconocido);
}

qint64 Sesion::Ejecutar(const QString &sql, Resultado *filas)
{
    ExigirAbierta();
    errores.Clear();
    QList<SentenciaTraducida> sentencias;
    if (motor->DialectoSql() == Dialecto::Sqlite) {
        OpcionesDialecto op;
        op.relojPropio = destino.via == Destino::Via::Sqlite;
        op.tipoColumna = [this](const QString &c) {
            try {
                return tipoColumna(c);
            } catch (const FalloProveedor &) {
                return TipoDeColumna::Desconocido;
            }
        };
        try {
            sentencias = TraducirParaSqlite(sql, op);
        } catch (const ErrorTraduccion &e) {
            Lanzar(Fallo(Errores::ErrorEnComando, e.mensaje, QStringLiteral("42000"), Nativo::ErrorDeSintaxis,
                         kFuente));
        }
    } else {
        sentencias.append({sql, ClaseSentencia::Comun, false});
    }

    qint64 total = -1;
    bool conFilas = false;
    FalloProveedor acumulado;
    bool fallo = false;
    for (const SentenciaTraducida &s : sentencias) {
        try {
            switch (s.clase) {
            case ClaseSentencia::Comenzar: Comenzar(); break;
            case ClaseSentencia::Confirmar: Confirmar(true); break;
            case ClaseSentencia::Deshacer: Deshacer(true); break;
            case ClaseSentencia::Nada: break;
            case ClaseSentencia::Comun: {
                Resultado r;
                const bool quiere = filas && !conFilas;
                const qint64 n = motor->Ejecutar(s.texto, {}, quiere ? &r : nullptr);
                if (n >= 0)
                    total = (total < 0 ? 0 : total) + n;
                if (quiere && !r.columnas.isEmpty()) {
                    *filas = std::move(r);
                    conFilas = true;
                }
                if (s.cambiaEsquema)
                    tiposCargados = false;
                break;
            }
            }
        } catch (const FalloProveedor &f) {
            if (!fallo)
                acumulado = f;
            else
                acumulado.Entradas += f.Entradas;
            acumulado.ConexionPerdida = acumulado.ConexionPerdida || f.ConexionPerdida;
            fallo = true;
            if (f.ConexionPerdida || !esDeSentencia(f))
                break;
        }
    }
    if (fallo)
        Lanzar(acumulado);
    return total;
}

qint64 Sesion::EjecutarPropia(const QString &sql, const QVariantList &parametros, Resultado *filas)
{
    ExigirAbierta();
    try {
        return motor->Ejecutar(sql, parametros, filas);
    } catch (const FalloProveedor &f) {
        Lanzar(f);
    }
}

void Sesion::Comenzar()
{
    if (motor->DialectoSql() != Dialecto::Sqlite || nivelTransaccion == 0)
        motor->Comenzar();
    ++nivelTransaccion;
}

void Sesion::Confirmar(bool desdeSql)
{
    if (nivelTransaccion == 0) {
        if (desdeSql)
            throw Fallo(Errores::ErrorEnComando,
                        QStringLiteral("La solicitud COMMIT TRANSACTION no tiene la correspondiente BEGIN "
                                       "TRANSACTION."),
                        QStringLiteral("25000"), Nativo::SinTransaccionAbierta, kFuente);
        throw Fallo(Errores::SinTransaccion, QStringLiteral("No hay ninguna transacción activa."), QString(), 0,
                    kFuente);
    }
    if (motor->DialectoSql() != Dialecto::Sqlite || nivelTransaccion == 1)
        motor->Confirmar();
    --nivelTransaccion;
}

void Sesion::Deshacer(bool desdeSql)
{
    if (nivelTransaccion == 0) {
        if (desdeSql)
            throw Fallo(Errores::ErrorEnComando,
                        QStringLiteral("La solicitud ROLLBACK TRANSACTION no tiene la correspondiente BEGIN "
                                       "TRANSACTION."),
                        QStringLiteral("25000"), 3903, kFuente);
        throw Fallo(Errores::SinTransaccion, QStringLiteral("No hay ninguna transacción activa."), QString(), 0,
                    kFuente);
    }
    motor->Deshacer();
    nivelTransaccion = 0;
}

} // namespace detail

using detail::Sesion;

Connection::Connection()
    : m_s(std::make_shared<detail::Sesion>())
{
}

Connection::~Connection()
{
    if (m_s->motor) {
        try {
            if (m_s->nivelTransaccion > 0)
                m_s->motor->Deshacer();
        } catch (...) {
        }
        m_s->motor.reset();
    }
}

void Connection::Open(const QString &ConnectionString, const QString &UserID, const QString &Password, qint32)
{
    if (m_s->motor)
        ErrorEjecucion::Lanzar(Errores::ObjetoAbierto,
                               QStringLiteral("La operación no está permitida si el objeto está abierto."),
                               detail::kFuente);
    const QString cadena = ConnectionString.isEmpty() ? m_s->cadena : ConnectionString;
    m_s->errores.Clear();
    try {
        Destino d = ResolverDestino(cadena, UserID, Password);
        std::unique_ptr<Motor> motor;
        if (d.via == Destino::Via::Sqlite)
            motor = std::make_unique<MotorSqlite>(d.archivo, d.baseDatos, m_s->tiempoComando);
        else
            motor = std::make_unique<MotorOdbc>(d, d.tiempoConexion > 0 ? d.tiempoConexion : m_s->tiempoConexion,
                                                m_s->tiempoComando);
        motor->AsignarAislamiento(m_s->aislamiento);
        m_s->motor = std::move(motor);
        m_s->destino = d;
        m_s->cadena = cadena;
        m_s->perdida = false;
        m_s->nivelTransaccion = 0;
        m_s->tiposCargados = false;
    } catch (const FalloProveedor &f) {
        m_s->Lanzar(f);
    }
}

void Connection::Close()
{
    if (!m_s->motor)
        ErrorEjecucion::Lanzar(Errores::ObjetoCerrado,
                               QStringLiteral("La operación no está permitida si el objeto está cerrado."),
                               detail::kFuente);
    try {
        if (m_s->nivelTransaccion > 0 && !m_s->perdida)
            m_s->motor->Deshacer();
    } catch (const FalloProveedor &) {
    }
    m_s->motor.reset();
    m_s->perdida = false;
    m_s->nivelTransaccion = 0;
}

qint32 Connection::State() const
{
    return m_s->motor ? adStateOpen : adStateClosed;
}

Recordset Connection::Execute(const QString &CommandText, qint32 *RecordsAffected, qint32 Options)
{
    const bool sinFilas = Options != -1 && (Options & 128);
    const bool tabla = Options != -1 && ((Options & 0xFF) == adCmdTable || (Options & adCmdTableDirect));
    const QString sql = tabla ? QStringLiteral("SELECT * FROM ") + CommandText : CommandText;
    Resultado r;
    const qint64 n = m_s->Ejecutar(sql, sinFilas ? nullptr : &r);
    if (RecordsAffected)
        *RecordsAffected = qint32(n);
    if (r.columnas.isEmpty())
        return Recordset();
    return Recordset::DesdeResultado(m_s, std::move(r), CommandText, adOpenForwardOnly, adLockReadOnly);
}

qint32 Connection::BeginTrans()
{
    m_s->ExigirAbierta();
    m_s->errores.Clear();
    try {
        m_s->Comenzar();
    } catch (const FalloProveedor &f) {
        m_s->Lanzar(f);
    }
    return m_s->nivelTransaccion;
}

void Connection::CommitTrans()
{
    m_s->ExigirAbierta();
    m_s->errores.Clear();
    try {
        m_s->Confirmar(false);
    } catch (const FalloProveedor &f) {
        m_s->Lanzar(f);
    }
}

void Connection::RollbackTrans()
{
    m_s->ExigirAbierta();
    m_s->errores.Clear();
    try {
        m_s->Deshacer(false);
    } catch (const FalloProveedor &f) {
        m_s->Lanzar(f);
    }
}

namespace {

bool cumple(const QVariantList &restricciones, int i, const QString &valor)
{
    if (i >= restricciones.size() || restricciones.at(i).isNull() || restricciones.at(i).toString().isEmpty())
        return true;
    return restricciones.at(i).toString().trimmed().compare(valor, Qt::CaseInsensitive) == 0;
}

ColumnaResultado columna(const char *nombre, const char *tipo)
{
    ColumnaResultado c;
    c.nombre = QLatin1String(nombre);
    c.tipo = TipoDeclarado(QLatin1String(tipo));
    return c;
}

} // namespace

Recordset Connection::OpenSchema(qint32 Schema, const QVariantList &Restrictions)
{
    m_s->ExigirAbierta();
    m_s->errores.Clear();
    Resultado r;
    const QString catalogo = m_s->motor->BaseDatos();
    const QString esquema = m_s->motor->DialectoSql() == Dialecto::Sqlite ? QStringLiteral("dbo") : QString();
    try {
        if (Schema == adSchemaTables) {
            r.columnas = {columna("TABLE_CATALOG", "NVARCHAR(128)"), columna("TABLE_SCHEMA", "NVARCHAR(128)"),
                          columna("TABLE_NAME", "NVARCHAR(128)"), columna("TABLE_TYPE", "NVARCHAR(32)"),
                          columna("DESCRIPTION", "NVARCHAR(255)")};
            QList<TablaEsquema> tablas = m_s->motor->Tablas();
            std::stable_sort(tablas.begin(), tablas.end(), [](const TablaEsquema &a, const TablaEsquema &b) {
                return a.tipo != b.tipo ? a.tipo < b.tipo : a.nombre.compare(b.nombre, Qt::CaseInsensitive) < 0;
            });
            for (const TablaEsquema &t : tablas) {
                if (!cumple(Restrictions, 2, t.nombre) || !cumple(Restrictions, 3, t.tipo))
                    continue;
                r.celdas.agregar({catalogo, esquema, t.nombre, t.tipo, QVariant()});
            }
        } else if (Schema == adSchemaColumns) {
            r.columnas = {columna("TABLE_CATALOG", "NVARCHAR(128)"), columna("TABLE_SCHEMA", "NVARCHAR(128)"),
                          columna("TABLE_NAME", "NVARCHAR(128)"), columna("COLUMN_NAME", "NVARCHAR(128)"),
                          columna("ORDINAL_POSITION", "INT"), columna("COLUMN_HASDEFAULT", "BIT"),
                          columna("COLUMN_DEFAULT", "NVARCHAR(255)"), columna("IS_NULLABLE", "BIT"),
                          columna("DATA_TYPE", "SMALLINT"), columna("CHARACTER_MAXIMUM_LENGTH", "INT")};
            QStringList tablas;
            const QString restringida = Restrictions.size() > 2 ? Restrictions.at(2).toString().trimmed() : QString();
            for (const TablaEsquema &t : m_s->motor->Tablas())
                if ((restringida.isEmpty() || t.nombre.compare(restringida, Qt::CaseInsensitive) == 0)
                    && t.tipo != QLatin1String("SYSTEM TABLE"))
                    tablas.append(t.nombre);
            for (const QString &tabla : tablas) {
                for (const ColumnaEsquema &c : m_s->motor->Columnas(tabla)) {
                    if (!cumple(Restrictions, 3, c.nombre))
                        continue;
                    const bool texto = c.tipo.naturaleza == Naturaleza::Texto;
                    r.celdas.agregar({catalogo, esquema, tabla, c.nombre, c.ordinal, !c.porDefecto.isEmpty(),
                                     c.porDefecto.isEmpty() ? QVariant() : QVariant(c.porDefecto), c.admiteNulos,
                                     c.tipo.tipo, texto ? QVariant(c.tipo.tamano) : QVariant()});
                }
            }
        } else {
            throw Fallo(Errores::ErrorNoEspecificado,
                        QStringLiteral("El proveedor no admite el conjunto de esquema %1.").arg(Schema), QString(),
                        0, detail::kFuente);
        }
    } catch (const FalloProveedor &f) {
        m_s->Lanzar(f);
    }
    return Recordset::DesdeResultado(m_s, std::move(r), QString(), adOpenStatic, adLockReadOnly);
}

QString Connection::ConnectionString() const
{
    return m_s->cadena;
}

void Connection::SetConnectionString(const QString &valor)
{
    if (m_s->motor)
        ErrorEjecucion::Lanzar(Errores::ObjetoAbierto,
                               QStringLiteral("La operación no está permitida si el objeto está abierto."),
                               detail::kFuente);
    m_s->cadena = valor;
}

qint32 Connection::ConnectionTimeout() const { return m_s->tiempoConexion; }
void Connection::SetConnectionTimeout(qint32 segundos) { m_s->tiempoConexion = segundos; }
qint32 Connection::CommandTimeout() const { return m_s->tiempoComando; }

void Connection::SetCommandTimeout(qint32 segundos)
{
    m_s->tiempoComando = segundos;
    if (m_s->motor)
        m_s->motor->AsignarTiempoComando(segundos);
}

qint32 Connection::IsolationLevel() const { return m_s->aislamiento; }
void Connection::SetIsolationLevel(qint32 nivel)
{
    m_s->aislamiento = nivel;
    if (m_s->motor)
        m_s->motor->AsignarAislamiento(nivel);
}
qint32 Connection::CursorLocation() const { return m_s->ubicacionCursor; }
void Connection::SetCursorLocation(qint32 ubicacion) { m_s->ubicacionCursor = ubicacion; }

QString Connection::DefaultDatabase() const
{
    return m_s->motor ? m_s->motor->BaseDatos() : m_s->destino.baseDatos;
}

void Connection::SetDefaultDatabase(const QString &base)
{
    if (!m_s->motor) {
        m_s->destino.baseDatos = base;
        return;
    }
    m_s->ExigirAbierta();
    m_s->errores.Clear();
    try {
        m_s->motor->CambiarBase(base);
        m_s->tiposCargados = false;
    } catch (const FalloProveedor &f) {
        m_s->Lanzar(f);
    }
}

db::Errors &Connection::Errors() { return m_s->errores; }
const db::Errors &Connection::Errors() const { return m_s->errores; }

}
