#include "MotorOdbc.h"

#include "Valores.h"
#include "suite/ErrorEjecucion.h"

#include <QFile>
#include <QFileInfo>
#include <sql.h>
#include <sqlext.h>
#include <sys/stat.h>

namespace db {

namespace {


bool exito(SQLRETURN rc)
{
    return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO;
}

// The native code a SQLite database reached through ODBC gives, as SQL Server's.
qint32 nativoDeSqlite(qint32 nativo, const QString &msg, QString &estado)
{
    if (msg.contains(QLatin1String("UNIQUE constraint")) || msg.contains(QLatin1String("PRIMARY KEY")))
        return Nativo::ClaveDuplicada;
    if (msg.contains(QLatin1String("NOT NULL constraint")))
        return Nativo::ValorNuloNoPermitido;
    if (msg.contains(QLatin1String("LARGO_"))) {
        estado = QStringLiteral("22001");
        return Nativo::DatosTruncados;
    }
    if (nativo == 19 || msg.contains(QLatin1String("constraint failed")))
        return Nativo::ConflictoRestriccion;
    if (msg.contains(QLatin1String("no such table")))
        return Nativo::ObjetoInexistente;
    if (msg.contains(QLatin1String("no such column")))
        return Nativo::ColumnaInexistente;
    if (msg.contains(QLatin1String("syntax error")))
        return Nativo::ErrorDeSintaxis;
    if (nativo == 11)
        return 824; // a damaged file, not a lost link
    return nativo;
}

TipoCampo tipoOdbc(SQLSMALLINT tipo, SQLULEN tamano, const QString &nombreTipo, Dialecto dialecto)
{
    const QString nt = nombreTipo.toUpper();
    TipoCampo t;
    if (dialecto == Dialecto::Sqlite && !nt.isEmpty()) {
        t = TipoDeclarado(nombreTipo);
        if (t.tipo != adEmpty) {
            if (t.naturaleza == Naturaleza::Texto && !nombreTipo.contains(u'(') && tamano > 0)
                t.tamano = int(qMin<SQLULEN>(tamano, 2147483647));
            return t;
        }
    }
    if (nt.startsWith(QLatin1String("MONEY")) || nt.startsWith(QLatin1String("SMALLMONEY")))
        return TipoDeclarado(QStringLiteral("MONEY"));
    const int n = int(qMin<SQLULEN>(tamano, 2147483647));
    switch (tipo) {
    case SQL_CHAR: t.tipo = adChar; t.tamano = n; break;
    case SQL_VARCHAR: t.tipo = adVarChar; t.tamano = n; break;
    case SQL_LONGVARCHAR: t.tipo = adLongVarChar; t.tamano = 2147483647; break;
    case SQL_WCHAR: t.tipo = adWChar; t.tamano = n; break;
    case SQL_WVARCHAR: t.tipo = adVarWChar; t.tamano = n; break;
    case SQL_WLONGVARCHAR: t.tipo = adLongVarWChar; t.tamano = 1073741823; break;
    case SQL_DECIMAL: case SQL_NUMERIC: t.tipo = adNumeric; t.tamano = 19; break;
    case SQL_INTEGER: t.tipo = adInteger; t.tamano = 4; break;
    case SQL_SMALLINT: t.tipo = adSmallInt; t.tamano = 2; break;
    case SQL_TINYINT: t.tipo = adUnsignedTinyInt; t.tamano = 1; break;
    case SQL_BIGINT: t.tipo = adBigInt; t.tamano = 8; break;
    case SQL_REAL: t.tipo = adSingle; t.tamano = 4; break;
    case SQL_FLOAT: case SQL_DOUBLE: t.tipo = adDouble; t.tamano = 8; break;
    case SQL_BIT: t.tipo = adBoolean; t.tamano = 2; break;
    case SQL_TYPE_DATE: case SQL_DATE: t.tipo = adDate; t.tamano = 8; break;
    case SQL_TYPE_TIME: case SQL_TIME: t.tipo = adDBTime; t.tamano = 8; break;
    case SQL_TYPE_TIMESTAMP: case SQL_TIMESTAMP: t.tipo = adDBTimeStamp; t.tamano = 16; break;
    case SQL_BINARY: t.tipo = adBinary; t.tamano = n; break;
    case SQL_VARBINARY: t.tipo = adVarBinary; t.tamano = n; break;
    case SQL_LONGVARBINARY: t.tipo = adLongVarBinary; t.tamano = 2147483647; break;
    default: t.tipo = adVarChar; t.tamano = n > 0 ? n : 255; break;
    }
    t.naturaleza = NaturalezaDeTipo(t.tipo);
    return t;
}

QString textoOdbc(const SQLCHAR *p)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(p));
}

} // namespace

struct MotorOdbc::Sentencia
{
    SQLHSTMT h = SQL_NULL_HSTMT;
    ~Sentencia()
    {
        if (h != SQL_NULL_HSTMT)
            SQLFreeHandle(SQL_HANDLE_STMT, h);
    }
};

MotorOdbc::MotorOdbc(const Destino &destino, int tiempoConexion, int tiempoComando)
    : m_destino(destino)
    , m_tiempoComando(tiempoComando)
{
    m_fuente = QStringLiteral("ODBC");
    if (!m_destino.archivoVigilado.isEmpty()
        && !IdentidadArchivo(m_destino.archivoVigilado, m_dispositivo, m_nodo))
        throw Fallo(Errores::ErrorNoEspecificado,
                    QStringLiteral("No se puede abrir la base de datos \"%1\" solicitada por el inicio de sesión. "
                                   "Error de inicio de sesión.")
                        .arg(m_destino.baseDatos),
                    QStringLiteral("42000"), Nativo::BaseNoDisponible, m_fuente);
    SQLHENV env = SQL_NULL_HENV;
    if (!exito(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env)))
        throw Fallo(Errores::ErrorNoEspecificado, QStringLiteral("No se pudo iniciar el administrador ODBC."),
                    QStringLiteral("HY000"), 0, m_fuente);
    m_env = env;
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLHDBC dbc = SQL_NULL_HDBC;
    SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc);
    m_dbc = dbc;
    // Without a login time-out a silent server keeps the program waiting for ever.
    const SQLULEN espera = SQLULEN(tiempoConexion > 0 ? tiempoConexion : 15);
    SQLSetConnectAttr(dbc, SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(espera), 0);
    SQLSetConnectAttr(dbc, SQL_ATTR_CONNECTION_TIMEOUT, reinterpret_cast<SQLPOINTER>(espera), 0);
    const QByteArray cadena = m_destino.cadenaOdbc.toUtf8();
    SQLCHAR salida[2048];
    SQLSMALLINT largo = 0;
    const SQLRETURN rc = SQLDriverConnect(dbc, nullptr, reinterpret_cast<SQLCHAR *>(const_cast<char *>(cadena.constData())),
                                          SQLSMALLINT(cadena.size()), salida, sizeof salida, &largo,
                                          SQL_DRIVER_NOPROMPT);
    if (!exito(rc)) {
        try {
            fallar(SQL_HANDLE_DBC, dbc, true);
        } catch (FalloProveedor &f) {
            f.Number = Errores::ErrorNoEspecificado;
            for (Error &e : f.Entradas)
                e.Number = f.Number;
            SQLFreeHandle(SQL_HANDLE_DBC, dbc);
            SQLFreeHandle(SQL_HANDLE_ENV, env);
            m_dbc = m_env = nullptr;
            throw;
        }
    }
    char nombre[256] = {};
    SQLSMALLINT n = 0;
    if (exito(SQLGetInfo(dbc, SQL_DRIVER_NAME, nombre, sizeof nombre, &n)))
        m_fuente = QStringLiteral("ODBC %1").arg(QString::fromUtf8(nombre));
}

MotorOdbc::~MotorOdbc()
{
    if (m_dbc) {
        SQLDisconnect(m_dbc);
        SQLFreeHandle(SQL_HANDLE_DBC, m_dbc);
    }
    if (m_env)
        SQLFreeHandle(SQL_HANDLE_ENV, m_env);
}

void MotorOdbc::fallar(short tipoManija, void *manija, bool alConectar)
{
    FalloProveedor f;
    for (SQLSMALLINT i = 1;; ++i) {
        SQLCHAR estado[6] = {};
        SQLCHAR mensaje[2048] = {};
        SQLINTEGER nativo = 0;
        SQLSMALLINT largo = 0;
        if (!exito(SQLGetDiagRec(tipoManija, manija, i, estado, &nativo, mensaje, sizeof mensaje, &largo)))
            break;
        Error e;
        e.SQLState = textoOdbc(estado);
        e.Description = textoOdbc(mensaje);
        e.Source = m_fuente;
        QString sqlState = e.SQLState;
        e.NativeError = m_destino.dialecto == Dialecto::Sqlite ? nativoDeSqlite(nativo, e.Description, sqlState)
                                                               : qint32(nativo);
        if (!alConectar
            && (e.SQLState.startsWith(QLatin1String("08S")) || e.SQLState == QLatin1String("08003")
                || e.SQLState == QLatin1String("08007"))) {
            e.NativeError = Nativo::ErrorDeRed;
            f.ConexionPerdida = true;
        }
        e.Number = f.ConexionPerdida ? Errores::ErrorNoEspecificado : NumeroParaNativo(e.NativeError, sqlState);
        f.Entradas.append(e);
    }
    if (f.Entradas.isEmpty())
        f.Entradas.append(Error{Errores::ErrorNoEspecificado, QStringLiteral("Error no especificado del controlador ODBC."),
                                QStringLiteral("HY000"), 0, m_fuente});
    f.Number = f.Entradas.first().Number;
    throw f;
}

void MotorOdbc::comprobar(short rc, short tipoManija, void *manija)
{
    if (!exito(rc) && rc != SQL_NO_DATA)
        fallar(tipoManija, manija);
}

void MotorOdbc::verificarVigencia()
{
    if (!m_dbc)
        throw Fallo(Errores::ConexionNoUsable, QStringLiteral("La conexión está cerrada."), QStringLiteral("08003"),
                    Nativo::ErrorDeRed, m_fuente);
    if (m_destino.archivoVigilado.isEmpty())
        return;
    quint64 d, n;
    if (!IdentidadArchivo(m_destino.archivoVigilado, d, n) || d != m_dispositivo || n != m_nodo)
        throw Fallo(Errores::ErrorNoEspecificado,
                    QStringLiteral("Error general de red: la base de datos \"%1\" ya no está disponible (%2).")
                        .arg(m_destino.baseDatos, m_destino.archivoVigilado),
                    QStringLiteral("08S01"), Nativo::ErrorDeRed, m_fuente);
}

qint64 MotorOdbc::Ejecutar(const QString &sql, const QVariantList &parametros, Resultado *resultado)
{
    verificarVigencia();
    Sentencia st;
    comprobar(SQLAllocHandle(SQL_HANDLE_STMT, m_dbc, &st.h), SQL_HANDLE_DBC, m_dbc);
    if (m_tiempoComando > 0)
        SQLSetStmtAttr(st.h, SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(SQLULEN(m_tiempoComando)), 0);
    const QByteArray texto = sql.toUtf8();
    comprobar(SQLPrepare(st.h, reinterpret_cast<SQLCHAR *>(const_cast<char *>(texto.constData())), SQLINTEGER(texto.size())),
              SQL_HANDLE_STMT, st.h);

    // Parameter buffers live until the statement has run.
    std::vector<QByteArray> textos(size_t(parametros.size()));
    std::vector<SQLBIGINT> enteros(size_t(parametros.size()));
    std::vector<double> reales(size_t(parametros.size()));
    std::vector<SQLLEN> largos(size_t(parametros.size()));
    for (int i = 0; i < parametros.size(); ++i) {
        const QVariant v = ValorParaBase(parametros.at(i));
        const SQLUSMALLINT k = SQLUSMALLINT(i + 1);
        SQLRETURN rc;
        if (v.isNull()) {
            largos[size_t(i)] = SQL_NULL_DATA;
            rc = SQLBindParameter(st.h, k, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR, 1, 0, nullptr, 0, &largos[size_t(i)]);
        } else if (v.metaType().id() == QMetaType::Int || v.metaType().id() == QMetaType::LongLong) {
            enteros[size_t(i)] = v.toLongLong();
            largos[size_t(i)] = 0;
            rc = SQLBindParameter(st.h, k, SQL_PARAM_INPUT, SQL_C_SBIGINT, SQL_BIGINT, 0, 0, &enteros[size_t(i)], 0,
                                  &largos[size_t(i)]);
        } else if (v.metaType().id() == QMetaType::Double) {
            reales[size_t(i)] = v.toDouble();
            largos[size_t(i)] = 0;
            rc = SQLBindParameter(st.h, k, SQL_PARAM_INPUT, SQL_C_DOUBLE, SQL_DOUBLE, 0, 0, &reales[size_t(i)], 0,
                                  &largos[size_t(i)]);
        } else {
            textos[size_t(i)] = v.toString().toUtf8();
            largos[size_t(i)] = SQLLEN(textos[size_t(i)].size());
            rc = SQLBindParameter(st.h, k, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR,
                                  SQLULEN(qMax<qsizetype>(1, textos[size_t(i)].size())), 0,
                                  textos[size_t(i)].data(), largos[size_t(i)], &largos[size_t(i)]);
        }
        comprobar(rc, SQL_HANDLE_STMT, st.h);
    }
    comprobar(SQLExecute(st.h), SQL_HANDLE_STMT, st.h);

    SQLSMALLINT columnas = 0;
    SQLNumResultCols(st.h, &columnas);
    if (columnas == 0) {
        SQLLEN filas = -1;
        SQLRowCount(st.h, &filas);
        return qint64(filas);
    }
    if (!resultado)
        return -1;
    resultado->columnas.clear();
    resultado->celdas.clear();
    for (SQLUSMALLINT c = 1; c <= SQLUSMALLINT(columnas); ++c) {
        SQLCHAR nombre[512] = {};
        SQLSMALLINT largoNombre = 0, tipo = 0, decimales = 0, nulos = 0;
        SQLULEN tamano = 0;
        comprobar(SQLDescribeCol(st.h, c, nombre, sizeof nombre, &largoNombre, &tipo, &tamano, &decimales, &nulos),
                  SQL_HANDLE_STMT, st.h);
        SQLCHAR nombreTipo[128] = {}, tabla[512] = {}, base[512] = {};
        SQLSMALLINT l = 0;
        SQLColAttribute(st.h, c, SQL_DESC_TYPE_NAME, nombreTipo, sizeof nombreTipo, &l, nullptr);
        SQLColAttribute(st.h, c, SQL_DESC_BASE_TABLE_NAME, tabla, sizeof tabla, &l, nullptr);
        SQLColAttribute(st.h, c, SQL_DESC_BASE_COLUMN_NAME, base, sizeof base, &l, nullptr);
        ColumnaResultado col;
        col.nombre = textoOdbc(nombre);
        col.tablaBase = textoOdbc(tabla);
        col.columnaBase = textoOdbc(base);
        col.tipo = tipoOdbc(tipo, tamano, textoOdbc(nombreTipo), m_destino.dialecto);
        resultado->columnas.append(col);
    }
    QByteArray buffer(4096, Qt::Uninitialized);
    SQLRETURN rc;
    while ((rc = SQLFetch(st.h)) != SQL_NO_DATA) {
        comprobar(rc, SQL_HANDLE_STMT, st.h);
        for (SQLUSMALLINT c = 1; c <= SQLUSMALLINT(columnas); ++c) {
            const TipoCampo &t = resultado->columnas.at(c - 1).tipo;
            SQLLEN indicador = 0;
            QVariant v;
            switch (t.naturaleza) {
            case Naturaleza::Entero: {
                SQLBIGINT k = 0;
                comprobar(SQLGetData(st.h, c, SQL_C_SBIGINT, &k, 0, &indicador), SQL_HANDLE_STMT, st.h);
                if (indicador != SQL_NULL_DATA)
                    v = (t.tipo != adBigInt && k >= INT_MIN && k <= INT_MAX) ? QVariant(int(k)) : QVariant(qlonglong(k));
                break;
            }
            case Naturaleza::Real: {
                double d = 0;
                comprobar(SQLGetData(st.h, c, SQL_C_DOUBLE, &d, 0, &indicador), SQL_HANDLE_STMT, st.h);
                if (indicador != SQL_NULL_DATA)
                    v = d;
                break;
            }
            case Naturaleza::Logico: {
                SQLBIGINT k = 0;
                comprobar(SQLGetData(st.h, c, SQL_C_SBIGINT, &k, 0, &indicador), SQL_HANDLE_STMT, st.h);
                if (indicador != SQL_NULL_DATA)
                    v = k != 0;
                break;
            }
            case Naturaleza::Binario: {
                QByteArray datos;
                for (;;) {
                    rc = SQLGetData(st.h, c, SQL_C_BINARY, buffer.data(), buffer.size(), &indicador);
                    if (rc == SQL_NO_DATA)
                        break;
                    comprobar(rc, SQL_HANDLE_STMT, st.h);
                    if (indicador == SQL_NULL_DATA)
                        break;
                    const qsizetype leidos = (indicador == SQL_NO_TOTAL || indicador > buffer.size()) ? buffer.size()
                                                                                                   : indicador;
                    datos.append(buffer.constData(), leidos);
                    if (rc == SQL_SUCCESS)
                        break;
                }
                if (indicador != SQL_NULL_DATA)
                    v = datos;
                break;
            }
            default: {
                QByteArray datos;
                for (;;) {
                    rc = SQLGetData(st.h, c, SQL_C_CHAR, buffer.data(), buffer.size(), &indicador);
                    if (rc == SQL_NO_DATA)
                        break;
                    comprobar(rc, SQL_HANDLE_STMT, st.h);
                    if (indicador == SQL_NULL_DATA)
                        break;
                    const qsizetype leidos = (indicador == SQL_NO_TOTAL || indicador >= buffer.size())
                        ? buffer.size() - 1
                        : indicador;
                    datos.append(buffer.constData(), leidos);
                    if (rc == SQL_SUCCESS)
                        break;
                }
                if (indicador != SQL_NULL_DATA) {
                    const QString s = QString::fromUtf8(datos);
                    v = t.naturaleza == Naturaleza::Fecha ? ValorDesdeTexto(s, Naturaleza::Fecha) : QVariant(s);
                }
            }
            }
            resultado->celdas.push_back(v);
        }
    }
    return -1;
}

void MotorOdbc::Comenzar()
{
    verificarVigencia();
    comprobar(SQLSetConnectAttr(m_dbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0),
              SQL_HANDLE_DBC, m_dbc);
}

void MotorOdbc::finTransaccion(bool confirmar)
{
    verificarVigencia();
    comprobar(SQLEndTran(SQL_HANDLE_DBC, m_dbc, confirmar ? SQL_COMMIT : SQL_ROLLBACK), SQL_HANDLE_DBC, m_dbc);
    comprobar(SQLSetConnectAttr(m_dbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0),
              SQL_HANDLE_DBC, m_dbc);
}

void MotorOdbc::Confirmar()
{
    finTransaccion(true);
}

void MotorOdbc::Deshacer()
{
    finTransaccion(false);
}

QList<TablaEsquema> MotorOdbc::Tablas()
{
    verificarVigencia();
    Sentencia st;
    comprobar(SQLAllocHandle(SQL_HANDLE_STMT, m_dbc, &st.h), SQL_HANDLE_DBC, m_dbc);
    comprobar(SQLTables(st.h, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0), SQL_HANDLE_STMT, st.h);
    QList<TablaEsquema> tablas;
    SQLCHAR nombre[512], tipo[128];
    SQLLEN l1 = 0, l2 = 0;
    while (exito(SQLFetch(st.h))) {
        nombre[0] = tipo[0] = 0;
        SQLGetData(st.h, 3, SQL_C_CHAR, nombre, sizeof nombre, &l1);
        SQLGetData(st.h, 4, SQL_C_CHAR, tipo, sizeof tipo, &l2);
        QString t = textoOdbc(tipo).toUpper();
        if (t == QLatin1String("SYSTEM VIEW"))
            t = QStringLiteral("SYSTEM VIEW");
        const QString n = textoOdbc(nombre);
        if (n.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive))
            t = QStringLiteral("SYSTEM TABLE");
        tablas.append({n, t});
    }
    return tablas;
}

QList<ColumnaEsquema> MotorOdbc::Columnas(const QString &tabla)
{
    verificarVigencia();
    QStringList claves;
    {
        Sentencia st;
        comprobar(SQLAllocHandle(SQL_HANDLE_STMT, m_dbc, &st.h), SQL_HANDLE_DBC, m_dbc);
        const QByteArray t = tabla.toUtf8();
        if (exito(SQLPrimaryKeys(st.h, nullptr, 0, nullptr, 0,
                                 reinterpret_cast<SQLCHAR *>(const_cast<char *>(t.constData())), SQLSMALLINT(t.size())))) {
            SQLCHAR col[512];
            SQLLEN l = 0;
            while (exito(SQLFetch(st.h))) {
                col[0] = 0;
                SQLGetData(st.h, 4, SQL_C_CHAR, col, sizeof col, &l);
                claves.append(textoOdbc(col));
            }
        }
    }
    Sentencia st;
    comprobar(SQLAllocHandle(SQL_HANDLE_STMT, m_dbc, &st.h), SQL_HANDLE_DBC, m_dbc);
    const QByteArray t = tabla.toUtf8();
    comprobar(SQLColumns(st.h, nullptr, 0, nullptr, 0, reinterpret_cast<SQLCHAR *>(const_cast<char *>(t.constData())),
                         SQLSMALLINT(t.size()), nullptr, 0),
              SQL_HANDLE_STMT, st.h);
    QList<ColumnaEsquema> columnas;
    int ordinal = 0;
    while (exito(SQLFetch(st.h))) {
        SQLCHAR nombre[512] = {}, nombreTipo[128] = {}, porDefecto[512] = {};
        SQLINTEGER tamano = 0;
        SQLSMALLINT tipo = 0, nulos = 1;
        SQLLEN l = 0;
        SQLGetData(st.h, 4, SQL_C_CHAR, nombre, sizeof nombre, &l);
        SQLGetData(st.h, 5, SQL_C_SSHORT, &tipo, 0, &l);
        SQLGetData(st.h, 6, SQL_C_CHAR, nombreTipo, sizeof nombreTipo, &l);
        SQLGetData(st.h, 7, SQL_C_SLONG, &tamano, 0, &l);
        SQLGetData(st.h, 11, SQL_C_SSHORT, &nulos, 0, &l);
        SQLGetData(st.h, 13, SQL_C_CHAR, porDefecto, sizeof porDefecto, &l);
        ColumnaEsquema c;
        c.nombre = textoOdbc(nombre);
        c.ordinal = ++ordinal;
        c.declarado = textoOdbc(nombreTipo);
        c.tipo = tipoOdbc(tipo, SQLULEN(qMax(0, int(tamano))), c.declarado, m_destino.dialecto);
        c.admiteNulos = nulos != SQL_NO_NULLS;
        c.porDefecto = l == SQL_NULL_DATA ? QString() : textoOdbc(porDefecto);
        c.clave = claves.contains(c.nombre, Qt::CaseInsensitive);
        columnas.append(c);
    }
    return columnas;
}

void MotorOdbc::AsignarAislamiento(int nivel)
{
    SQLULEN odbc = SQL_TXN_READ_COMMITTED;
    if (nivel == adXactReadUncommitted)
        odbc = SQL_TXN_READ_UNCOMMITTED;
    else if (nivel == adXactRepeatableRead)
        odbc = SQL_TXN_REPEATABLE_READ;
    else if (nivel == adXactSerializable)
        odbc = SQL_TXN_SERIALIZABLE;
    // A driver that has no such level keeps its own, as the provider would.
    SQLSetConnectAttr(m_dbc, SQL_ATTR_TXN_ISOLATION, reinterpret_cast<SQLPOINTER>(odbc), 0);
}

void MotorOdbc::CambiarBase(const QString &nombre)
{
    if (nombre.trimmed().isEmpty() || nombre.trimmed().compare(m_destino.baseDatos, Qt::CaseInsensitive) == 0)
        return;
    if (m_destino.dialecto != Dialecto::SqlServer)
        throw Fallo(Errores::ErrorNoEspecificado,
                    QStringLiteral("No se puede cambiar a la base de datos \"%1\" en esta conexión.").arg(nombre),
                    QStringLiteral("HYC00"), 0, m_fuente);
    Ejecutar(QStringLiteral("USE [%1]").arg(nombre.trimmed()), {}, nullptr);
    m_destino.baseDatos = nombre.trimmed();
}

}
