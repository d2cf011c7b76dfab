#include "MotorSqlite.h"

#include "Valores.h"
#include "suite/Archivos.h"
#include "suite/ErrorEjecucion.h"
#include "suite/Plataforma.h"

#include <QFileInfo>
#include <sqlite3.h>
#include <sys/stat.h>

namespace db {

namespace {


// getDate() of the embedded server: the program's clock, so that a session
// and its database agree on "now" (and tests can pin it).
void funcionAhora(sqlite3_context *ctx, int, sqlite3_value **)
{
    const QByteArray t = Plataforma::Ahora().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
    sqlite3_result_text(ctx, t.constData(), int(t.size()), SQLITE_TRANSIENT);
}

bool coincide(QStringView texto, QStringView patron, QChar escape)
{
    qsizetype t = 0, p = 0, comodin = -1, desde = 0;
    while (t < texto.size()) {
        if (p < patron.size()) {
            const QChar c = patron[p];
            if (!escape.isNull() && c == escape && p + 1 < patron.size()) {
                if (patron[p + 1] == texto[t]) {
                    p += 2;
                    ++t;
                    continue;
                }
            } else if (c == u'%') {
                comodin = p++;
                desde = t;
                continue;
            } else if (c == u'_' || c == texto[t]) {
                ++p;
                ++t;
                continue;
            }
        }
        if (comodin < 0)
            return false;
        p = comodin + 1;
        t = ++desde;
    }
    while (p < patron.size() && patron[p] == u'%')
        ++p;
    return p == patron.size();
}

QString plegado(sqlite3_value *v)
{
    const auto *p = reinterpret_cast<const char *>(sqlite3_value_text(v));
    return QString::fromUtf8(p, sqlite3_value_bytes(v)).toCaseFolded();
}

// LIKE as the server's collation reads it: letters match whatever their case,
// Ñ and accented capitals included (SQLite's own LIKE folds ASCII only).
void funcionComo(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    QChar escape;
    if (argc == 3 && sqlite3_value_type(argv[2]) != SQLITE_NULL) {
        const QString e = plegado(argv[2]);
        if (e.size() != 1) {
            sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
            return;
        }
        escape = e.front();
    }
    sqlite3_result_int(ctx, coincide(plegado(argv[1]), plegado(argv[0]), escape));
}

// Texts compared as the server's default collation compares them.
int compararSinMayusculas(void *, int na, const void *pa, int nb, const void *pb)
{
    const auto *a = static_cast<const unsigned char *>(pa);
    const auto *b = static_cast<const unsigned char *>(pb);
    while (na > 0 && a[na - 1] == ' ')
        --na;
    while (nb > 0 && b[nb - 1] == ' ')
        --nb;
    const int n = qMin(na, nb);
    for (int i = 0; i < n; ++i) {
        if ((a[i] | b[i]) & 0x80) {
            const QString x = QString::fromUtf8(reinterpret_cast<const char *>(a + i), na - i).toCaseFolded();
            const QString y = QString::fromUtf8(reinterpret_cast<const char *>(b + i), nb - i).toCaseFolded();
            return x.compare(y);
        }
        const int ca = (a[i] >= 'A' && a[i] <= 'Z') ? a[i] + 32 : a[i];
        const int cb = (b[i] >= 'A' && b[i] <= 'Z') ? b[i] + 32 : b[i];
        if (ca != cb)
            return ca - cb;
    }
    return na - nb;
}

QString citado(const QString &nombre)
{
    return u'"' + QString(nombre).replace(u'"', QLatin1String("\"\"")) + u'"';
}

QString textoColumna(sqlite3_stmt *st, int i)
{
    const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(st, i));
    return p ? QString::fromUtf8(p, sqlite3_column_bytes(st, i)) : QString();
}

QVariant valorNatural(sqlite3_stmt *st, int i)
{
    switch (sqlite3_column_type(st, i)) {
    case SQLITE_INTEGER: return QVariant(qlonglong(sqlite3_column_int64(st, i)));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(st, i));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char *>(sqlite3_column_blob(st, i)),
                                   sqlite3_column_bytes(st, i)));
    case SQLITE_NULL: return QVariant();
    default: return QVariant(textoColumna(st, i));
    }
}

QVariant valorDeCelda(sqlite3_stmt *st, int i, const TipoCampo &tipo)
{
    const int clase = sqlite3_column_type(st, i);
    if (clase == SQLITE_NULL)
        return QVariant();
    switch (tipo.naturaleza) {
    case Naturaleza::Texto:
        return QVariant(textoColumna(st, i));
    case Naturaleza::Entero:
        if (clase == SQLITE_INTEGER) {
            const sqlite3_int64 v = sqlite3_column_int64(st, i);
            if (tipo.tipo != adBigInt && v >= INT_MIN && v <= INT_MAX)
                return QVariant(int(v));
            return QVariant(qlonglong(v));
        }
        if (clase == SQLITE_FLOAT)
            return QVariant(sqlite3_column_double(st, i));
        return ValorDesdeTexto(textoColumna(st, i), Naturaleza::Entero);
    case Naturaleza::Real:
        if (clase == SQLITE_INTEGER || clase == SQLITE_FLOAT)
            return QVariant(sqlite3_column_double(st, i));
        return ValorDesdeTexto(textoColumna(st, i), Naturaleza::Real);
    case Naturaleza::Logico:
        if (clase == SQLITE_INTEGER || clase == SQLITE_FLOAT)
            return QVariant(sqlite3_column_int64(st, i) != 0);
        return ValorDesdeTexto(textoColumna(st, i), Naturaleza::Logico);
    case Naturaleza::Fecha:
        if (clase == SQLITE_TEXT) {
            QDateTime f;
            const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(st, i));
            if (LeerFechaIso(p, sqlite3_column_bytes(st, i), f))
                return QVariant(f);
            return QVariant(textoColumna(st, i));
        }
        return valorNatural(st, i);
    case Naturaleza::Binario:
        return valorNatural(st, i);
    }
    return valorNatural(st, i);
}

// A column without a declared type (an expression): its type follows the values
// it gave, the way the server types an expression.
void deducirTipo(Resultado &r, int c)
{
    const qsizetype n = r.columnas.size();
    const qsizetype filas = r.Filas();
    TipoCampo &t = r.columnas[c].tipo;
    t.tipo = adVarChar;
    t.tamano = 1;
    t.naturaleza = Naturaleza::Texto;
    int primero = -1;
    for (qsizetype f = 0; f < filas && primero < 0; ++f)
        if (!r.celdas[size_t(f * n + c)].isNull())
            primero = int(f);
    if (primero < 0)
        return;
    const QVariant &v = r.celdas[size_t(primero * n + c)];
    switch (v.metaType().id()) {
    case QMetaType::LongLong: {
        bool grande = false;
        for (qsizetype f = 0; f < filas; ++f) {
            const QVariant &x = r.celdas[size_t(f * n + c)];
            if (x.metaType().id() == QMetaType::LongLong) {
                const qlonglong k = x.toLongLong();
                grande = grande || k < INT_MIN || k > INT_MAX;
            }
        }
        t.tipo = grande ? adBigInt : adInteger;
        t.tamano = grande ? 8 : 4;
        t.naturaleza = Naturaleza::Entero;
        if (!grande)
            for (qsizetype f = 0; f < filas; ++f) {
                QVariant &x = r.celdas[size_t(f * n + c)];
                if (x.metaType().id() == QMetaType::LongLong)
                    x = QVariant(int(x.toLongLong()));
            }
        return;
    }
    case QMetaType::Double:
        t.tipo = adDouble;
        t.tamano = 8;
        t.naturaleza = Naturaleza::Real;
        return;
    case QMetaType::QByteArray:
        t.tipo = adLongVarBinary;
        t.tamano = 2147483647;
        t.naturaleza = Naturaleza::Binario;
        return;
    default:
        break;
    }
    QDateTime fecha;
    if (LeerFechaIso(v.toString(), fecha) && v.toString().size() >= 19) {
        t.tipo = adDBTimeStamp;
        t.tamano = 16;
        t.naturaleza = Naturaleza::Fecha;
        for (qsizetype f = 0; f < filas; ++f) {
            QVariant &x = r.celdas[size_t(f * n + c)];
            if (x.metaType().id() == QMetaType::QString && LeerFechaIso(x.toString(), fecha))
                x = fecha;
        }
        return;
    }
    int largo = 1;
    for (qsizetype f = 0; f < filas; ++f) {
        const QVariant &x = r.celdas[size_t(f * n + c)];
        if (!x.isNull())
            largo = qMax(largo, int(x.toString().size()));
    }
    t.tamano = largo;
}

} // namespace

MotorSqlite::MotorSqlite(const QString &archivo, const QString &nombreBase, int tiempoComando)
    : m_archivo(archivo)
    , m_nombreBase(nombreBase)
    , m_tiempoComando(tiempoComando)
{
    abrir();
}

MotorSqlite::~MotorSqlite()
{
    cerrar();
}

FalloProveedor MotorSqlite::FalloDe(sqlite3 *db, int rc, const QString &fuente)
{
    const int ext = db ? sqlite3_extended_errcode(db) : rc;
    const QString msg = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
    qint32 nativo = ext;
    QString estado = QStringLiteral("HY000");
    bool perdida = false;
    switch (ext & 0xff) {
    case SQLITE_CONSTRAINT:
        estado = QStringLiteral("23000");
        if (ext == SQLITE_CONSTRAINT_UNIQUE || ext == SQLITE_CONSTRAINT_PRIMARYKEY) {
            nativo = Nativo::ClaveDuplicada;
        } else if (ext == SQLITE_CONSTRAINT_NOTNULL) {
            nativo = Nativo::ValorNuloNoPermitido;
        } else if (ext == SQLITE_CONSTRAINT_CHECK && msg.contains(QLatin1String("LARGO_"))) {
            // The declared length of a text column is kept by a check named LARGO_.
            nativo = Nativo::DatosTruncados;
            estado = QStringLiteral("22001");
        } else {
            nativo = Nativo::ConflictoRestriccion;
        }
        break;
    case SQLITE_ERROR:
        estado = QStringLiteral("42000");
        if (msg.startsWith(QLatin1String("no such table"))) {
            nativo = Nativo::ObjetoInexistente;
            estado = QStringLiteral("42S02");
        } else if (msg.startsWith(QLatin1String("no such column"))) {
            nativo = Nativo::ColumnaInexistente;
            estado = QStringLiteral("42S22");
        } else if (msg.contains(QLatin1String("syntax error")) || msg.startsWith(QLatin1String("unrecognized token"))
                   || msg.startsWith(QLatin1String("incomplete input"))) {
            nativo = Nativo::ErrorDeSintaxis;
        }
        break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        nativo = Nativo::TiempoDeBloqueo;
        estado = QStringLiteral("HYT00");
        break;
    case SQLITE_INTERRUPT:
        nativo = 0;
        estado = QStringLiteral("HYT00");
        break;
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
        nativo = Nativo::ErrorDeRed;
        estado = QStringLiteral("08S01");
        perdida = true;
        break;
    case SQLITE_READONLY:
        if (ext == SQLITE_READONLY_DBMOVED) {
            nativo = Nativo::ErrorDeRed;
            estado = QStringLiteral("08S01");
            perdida = true;
        }
        break;
    case SQLITE_CORRUPT:
        nativo = 824; // SQL Server's "logical consistency" I/O error; 11 means a lost link
        break;
    case SQLITE_MISMATCH:
        nativo = 245;
        estado = QStringLiteral("22018");
        break;
    default:
        break;
    }
    FalloProveedor f;
    f.Number = perdida ? Errores::ErrorNoEspecificado : NumeroParaNativo(nativo, estado);
    if ((ext & 0xff) == SQLITE_INTERRUPT)
        f.Number = Errores::TiempoAgotado;
    f.ConexionPerdida = perdida;
    f.Entradas.append(Error{f.Number, msg, estado, nativo, fuente});
    return f;
}

void MotorSqlite::fallar(int rc)
{
    FalloProveedor f = FalloDe(m_db, rc, Fuente());
    if (!f.ConexionPerdida) {
        // A statement that fails because the file went away reports it as such.
        quint64 d, n;
        if (!IdentidadArchivo(m_archivo, d, n) || d != m_dispositivo || n != m_nodo) {
            f.ConexionPerdida = true;
            f.Number = Errores::ErrorNoEspecificado;
            f.Entradas.first().NativeError = Nativo::ErrorDeRed;
            f.Entradas.first().SQLState = QStringLiteral("08S01");
        }
    }
    throw f;
}

void MotorSqlite::abrir()
{
    if (!IdentidadArchivo(m_archivo, m_dispositivo, m_nodo) || !QFileInfo(m_archivo).isFile())
        throw Fallo(Errores::ErrorNoEspecificado,
                    QStringLiteral("No se puede abrir la base de datos \"%1\" solicitada por el inicio de "
                                   "sesión. Error de inicio de sesión.")
                        .arg(m_nombreBase),
                    QStringLiteral("42000"), Nativo::BaseNoDisponible, Fuente());
    const int rc = sqlite3_open_v2(QFile::encodeName(m_archivo).constData(), &m_db, SQLITE_OPEN_READWRITE,
                                   nullptr);
    if (rc != SQLITE_OK) {
        FalloProveedor f = FalloDe(m_db, rc, Fuente());
        cerrar();
        throw f;
    }
    sqlite3_extended_result_codes(m_db, 1);
    // Reading the catalogue proves that the file is a database at all.
    char *msg = nullptr;
    const int rc2 = sqlite3_exec(m_db, "SELECT count(*) FROM sqlite_master; PRAGMA foreign_keys = ON;", nullptr,
                                 nullptr, &msg);
    sqlite3_free(msg);
    if (rc2 != SQLITE_OK) {
        FalloProveedor f = FalloDe(m_db, rc2, Fuente());
        f.Entradas.first().Description =
            QStringLiteral("%1: %2").arg(QFileInfo(m_archivo).fileName(), f.Entradas.first().Description);
        cerrar();
        throw f;
    }
    PrepararConexion(m_db);
    sqlite3_progress_handler(m_db, 10000, &MotorSqlite::alProgresar, this);
    AsignarTiempoComando(m_tiempoComando);
}

void MotorSqlite::PrepararConexion(sqlite3 *db)
{
    sqlite3_create_collation_v2(db, "NOCASE", SQLITE_UTF8, nullptr, compararSinMayusculas, nullptr);
    sqlite3_create_function_v2(db, "dc_ahora", 0, SQLITE_UTF8, nullptr, funcionAhora, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, funcionComo, nullptr,
                               nullptr, nullptr);
    sqlite3_create_function_v2(db, "like", 3, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, funcionComo, nullptr,
                               nullptr, nullptr);
}

void MotorSqlite::cerrar()
{
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

int MotorSqlite::alProgresar(void *yo)
{
    auto *m = static_cast<MotorSqlite *>(yo);
    return m->m_tiempoComando > 0 && m->m_reloj.isValid() && m->m_reloj.elapsed() > m->m_tiempoComando * 1000LL;
}

void MotorSqlite::AsignarTiempoComando(int segundos)
{
    m_tiempoComando = qMax(0, segundos);
    if (m_db)
        sqlite3_busy_timeout(m_db, m_tiempoComando > 0 ? m_tiempoComando * 1000 : 3600 * 1000);
}

void MotorSqlite::verificarVigencia()
{
    quint64 d, n;
    if (!m_db || !IdentidadArchivo(m_archivo, d, n) || d != m_dispositivo || n != m_nodo)
        throw Fallo(Errores::ErrorNoEspecificado,
                    QStringLiteral("Error general de red: la base de datos \"%1\" ya no está disponible (%2).")
                        .arg(m_nombreBase, m_archivo),
                    QStringLiteral("08S01"), Nativo::ErrorDeRed, Fuente());
}

qint64 MotorSqlite::Ejecutar(const QString &sql, const QVariantList &parametros, Resultado *resultado)
{
    verificarVigencia();
    const QByteArray texto = sql.toUtf8();
    sqlite3_stmt *st = nullptr;
    const char *resto = nullptr;
    int rc = sqlite3_prepare_v2(m_db, texto.constData(), int(texto.size()), &st, &resto);
    if (rc != SQLITE_OK)
        fallar(rc);
    struct Finalizar
    {
        sqlite3_stmt *s;
        ~Finalizar() { sqlite3_finalize(s); }
    } finalizar{st};
    if (!st)
        return -1; // only blanks or a comment
    if (resto && QByteArray(resto).trimmed().size() > 0 && QByteArray(resto).trimmed() != ";")
        throw Fallo(Errores::ErrorEnComando, QStringLiteral("Se esperaba una sola instrucción: %1").arg(sql),
                    QStringLiteral("42000"), Nativo::ErrorDeSintaxis, Fuente());

    for (int i = 0; i < parametros.size(); ++i) {
        const QVariant v = ValorParaBase(parametros.at(i));
        int r = SQLITE_OK;
        if (v.isNull()) {
            r = sqlite3_bind_null(st, i + 1);
        } else {
            switch (v.metaType().id()) {
            case QMetaType::Int: case QMetaType::LongLong: case QMetaType::UInt: case QMetaType::Short:
                r = sqlite3_bind_int64(st, i + 1, v.toLongLong());
                break;
            case QMetaType::Double: case QMetaType::Float:
                r = sqlite3_bind_double(st, i + 1, v.toDouble());
                break;
            case QMetaType::QByteArray: {
                const QByteArray b = v.toByteArray();
                r = sqlite3_bind_blob(st, i + 1, b.constData(), int(b.size()), SQLITE_TRANSIENT);
                break;
            }
            default: {
                const QByteArray b = v.toString().toUtf8();
                r = sqlite3_bind_text(st, i + 1, b.constData(), int(b.size()), SQLITE_TRANSIENT);
            }
            }
        }
        if (r != SQLITE_OK)
            fallar(r);
    }

    const int columnas = sqlite3_column_count(st);
    std::vector<int> sinTipo;
    if (resultado && columnas > 0) {
        resultado->columnas.clear();
        resultado->celdas.clear();
        for (int c = 0; c < columnas; ++c) {
            ColumnaResultado col;
            col.nombre = QString::fromUtf8(sqlite3_column_name(st, c));
            if (const char *t = sqlite3_column_table_name(st, c))
                col.tablaBase = QString::fromUtf8(t);
            if (const char *o = sqlite3_column_origin_name(st, c))
                col.columnaBase = QString::fromUtf8(o);
            const char *decl = sqlite3_column_decltype(st, c);
            col.tipo = TipoDeclarado(decl ? QString::fromUtf8(decl) : QString());
            if (col.tipo.tipo == adEmpty)
                sinTipo.push_back(c);
            resultado->columnas.append(col);
        }
    }
    std::vector<TipoCampo> tipos;
    if (resultado)
        for (const ColumnaResultado &c : resultado->columnas)
            tipos.push_back(c.tipo);

    m_reloj.start();
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        if (!resultado || columnas == 0)
            continue;
        for (int c = 0; c < columnas; ++c) {
            if (tipos[size_t(c)].tipo == adEmpty)
                resultado->celdas.push_back(valorNatural(st, c));
            else
                resultado->celdas.push_back(valorDeCelda(st, c, tipos[size_t(c)]));
        }
    }
    m_reloj.invalidate();
    if (rc != SQLITE_DONE)
        fallar(rc);
    if (resultado)
        for (int c : sinTipo)
            deducirTipo(*resultado, c);
    return sqlite3_stmt_readonly(st) ? -1 : qint64(sqlite3_changes(m_db));
}

void MotorSqlite::Comenzar()
{
    Ejecutar(QStringLiteral("BEGIN"), {}, nullptr);
}

void MotorSqlite::Confirmar()
{
    if (!sqlite3_get_autocommit(m_db))
        Ejecutar(QStringLiteral("COMMIT"), {}, nullptr);
}

void MotorSqlite::Deshacer()
{
    if (!sqlite3_get_autocommit(m_db))
        Ejecutar(QStringLiteral("ROLLBACK"), {}, nullptr);
}

QList<TablaEsquema> MotorSqlite::Tablas()
{
    Resultado r;
    Ejecutar(QStringLiteral("SELECT name, type FROM sqlite_master WHERE type IN ('table','view') ORDER BY name"),
             {}, &r);
    QList<TablaEsquema> tablas;
    for (qsizetype f = 0; f < r.Filas(); ++f) {
        const QString nombre = r.celdas[size_t(f * 2)].toString();
        QString tipo = r.celdas[size_t(f * 2 + 1)].toString().toUpper();
        if (nombre.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive))
            tipo = QStringLiteral("SYSTEM TABLE");
        tablas.append({nombre, tipo});
    }
    return tablas;
}

QList<ColumnaEsquema> MotorSqlite::Columnas(const QString &tabla)
{
    Resultado r;
    Ejecutar(QStringLiteral("PRAGMA table_info(%1)").arg(citado(tabla)), {}, &r);
    QList<ColumnaEsquema> columnas;
    for (qsizetype f = 0; f < r.Filas(); ++f) {
        const auto celda = [&](int c) { return r.celdas[size_t(f * r.columnas.size() + c)]; };
        ColumnaEsquema c;
        c.ordinal = celda(0).toInt() + 1;
        c.nombre = celda(1).toString();
        c.declarado = celda(2).toString();
        c.tipo = TipoDeclarado(c.declarado);
        if (c.tipo.tipo == adEmpty)
            c.tipo = TipoDeclarado(QStringLiteral("VARCHAR(255)"));
        c.admiteNulos = celda(3).toInt() == 0;
        c.porDefecto = celda(4).toString();
        c.clave = celda(5).toInt() > 0;
        columnas.append(c);
    }
    return columnas;
}

void MotorSqlite::CambiarBase(const QString &nombre)
{
    if (nombre.trimmed().isEmpty() || nombre.trimmed().compare(m_nombreBase, Qt::CaseInsensitive) == 0)
        return;
    const QString carpeta = QFileInfo(m_archivo).absolutePath();
    const QString otro = Archivos::Ubicar(carpeta, nombre.trimmed() + QStringLiteral(".db"));
    if (!QFileInfo(otro).isFile())
        throw Fallo(Errores::ErrorNoEspecificado,
                    QStringLiteral("La base de datos \"%1\" no existe. Compruebe el nombre.").arg(nombre.trimmed()),
                    QStringLiteral("42000"), 911, Fuente());
    cerrar();
    m_archivo = otro;
    m_nombreBase = nombre.trimmed();
    abrir();
}

bool IdentidadArchivo(const QString &ruta, quint64 &dispositivo, quint64 &nodo)
{
    struct stat st;
    if (::stat(QFile::encodeName(ruta).constData(), &st) != 0)
        return false;
    dispositivo = quint64(st.st_dev);
    nodo = quint64(st.st_ino);
    return true;
}

}
