#include "Recordset.h"

#include "Connection.h"
#include "Dialecto.h"
#include "Sesion.h"
#include "Valores.h"
#include "suite/ErrorEjecucion.h"

#include <QHash>

namespace db {

namespace detail {

struct DatosRecordset
{
    std::shared_ptr<Sesion> sesion;
    QList<ColumnaResultado> columnas;
    Celdas celdas;
    qsizetype filas = 0;
    qsizetype pos = 0; // -1 before the first row, `filas` after the last
    std::vector<Field> campos;
    db::Fields fields{this};
    QHash<QString, int> porNombre;
    QString fuente;
    qint32 cursor = adOpenForwardOnly;
    qint32 bloqueo = adLockReadOnly;
    // The edit in progress.
    int modo = adEditNone;
    qsizetype posAntesDeAgregar = 0;
    std::vector<QVariant> edicion;
    std::vector<bool> cambiado;
    QString tabla; // the one table a SELECT opened for update reads

    qsizetype n() const { return columnas.size(); }
    bool enFila() const { return pos >= 0 && pos < filas; }

    const QVariant &celda(int i) const
    {
        if (modo != adEditNone)
            return edicion[size_t(i)];
        if (!enFila())
            ErrorEjecucion::Lanzar(Errores::RegistroNoActual,
                                   QStringLiteral("BOF o EOF es True, o el registro actual se eliminó. La operación "
                                                  "solicitada requiere un registro actual."));
        return celdas[size_t(pos * n() + i)];
    }
};

} // namespace detail

using detail::DatosRecordset;

namespace {

const QString kFuente = QStringLiteral("DefConsultas.Datos");

[[noreturn]] void noActualizable()
{
    ErrorEjecucion::Lanzar(Errores::RecordsetNoActualizable,
                           QStringLiteral("El Recordset actual no admite actualizaciones. Puede deberse a una "
                                          "limitación del proveedor o del tipo de bloqueo seleccionado."),
                           kFuente);
}

QVariant coaccionar(const QVariant &v, Naturaleza naturaleza)
{
    if (v.isNull())
        return {};
    switch (naturaleza) {
    case Naturaleza::Texto: return v.toString();
    case Naturaleza::Entero: {
        bool ok = false;
        const qlonglong k = v.toLongLong(&ok);
        if (!ok)
            return v;
        return k >= INT_MIN && k <= INT_MAX ? QVariant(int(k)) : QVariant(k);
    }
    case Naturaleza::Real: {
        bool ok = false;
        const double d = v.toDouble(&ok);
        return ok ? QVariant(d) : v;
    }
    case Naturaleza::Logico:
        if (v.metaType().id() == QMetaType::QString)
            return ValorDesdeTexto(v.toString(), Naturaleza::Logico);
        return v.toBool();
    case Naturaleza::Fecha:
        if (v.metaType().id() == QMetaType::QString)
            return ValorDesdeTexto(v.toString(), Naturaleza::Fecha);
        return v;
    case Naturaleza::Binario: return v;
    }
    return v;
}

QString citado(const QString &nombre)
{
    return u'"' + QString(nombre).replace(u'"', QLatin1String("\"\"")) + u'"';
}

} // namespace

// ---- Field ----

QString Field::Name() const { return m_d->columnas.at(m_i).nombre; }
QVariant Field::Value() const { return m_d->celda(m_i); }

QVariant Field::OriginalValue() const
{
    if (!m_d->enFila())
        return {};
    return m_d->celdas[size_t(m_d->pos * m_d->n() + m_i)];
}

qint32 Field::Type() const { return m_d->columnas.at(m_i).tipo.tipo; }
qint32 Field::DefinedSize() const { return m_d->columnas.at(m_i).tipo.tamano; }

qint32 Field::ActualSize() const
{
    const QVariant v = Value();
    if (v.isNull())
        return 0;
    if (m_d->columnas.at(m_i).tipo.naturaleza == Naturaleza::Texto)
        return qint32(v.toString().size());
    return DefinedSize();
}

void Field::SetValue(const QVariant &valor)
{
    if (m_d->bloqueo == adLockReadOnly || m_d->tabla.isEmpty())
        noActualizable();
    if (m_d->modo == adEditNone) {
        if (!m_d->enFila())
            m_d->celda(m_i); // raises 3021
        m_d->modo = adEditInProgress;
        m_d->edicion.clear();
        for (qsizetype i = 0; i < m_d->n(); ++i)
            m_d->edicion.push_back(m_d->celdas[size_t(m_d->pos * m_d->n() + i)]);
        m_d->cambiado.assign(size_t(m_d->n()), false);
    }
    m_d->edicion[size_t(m_i)] = valor;
    m_d->cambiado[size_t(m_i)] = true;
}

// ---- Fields ----

qint32 Fields::Count() const { return qint32(m_d->n()); }

Field &Fields::Item(qint32 indice)
{
    if (indice < 0 || indice >= m_d->n())
        ErrorEjecucion::Lanzar(Errores::ElementoNoEncontrado,
                               QStringLiteral("No se encontró el elemento en la colección que corresponde al "
                                              "nombre o al ordinal pedido."),
                               kFuente);
    return m_d->campos[size_t(indice)];
}

Field &Fields::Item(const QString &nombre)
{
    const auto it = m_d->porNombre.constFind(nombre.trimmed().toLower());
    if (it == m_d->porNombre.constEnd())
        ErrorEjecucion::Lanzar(Errores::ElementoNoEncontrado,
                               QStringLiteral("No se encontró el elemento en la colección que corresponde al "
                                              "nombre o al ordinal pedido (%1).")
                                   .arg(nombre),
                               kFuente);
    return m_d->campos[size_t(*it)];
}

// ---- Recordset ----

Recordset::Recordset() = default;
Recordset::~Recordset() = default;
Recordset::Recordset(Recordset &&) noexcept = default;
Recordset &Recordset::operator=(Recordset &&) noexcept = default;

Recordset Recordset::DesdeResultado(std::shared_ptr<detail::Sesion> sesion, Resultado &&filas,
                                    const QString &fuente, qint32 cursor, qint32 bloqueo)
{
    Recordset rs;
    rs.m_d = std::make_unique<DatosRecordset>();
    DatosRecordset &d = *rs.m_d;
    d.sesion = std::move(sesion);
    d.columnas = std::move(filas.columnas);
    d.celdas = std::move(filas.celdas);
    d.filas = d.n() ? qsizetype(d.celdas.size()) / d.n() : 0;
    d.pos = 0;
    d.fuente = fuente;
    d.cursor = cursor;
    d.bloqueo = bloqueo;
    rs.m_cursorType = cursor;
    rs.m_lockType = bloqueo;
    rs.m_source = fuente;
    d.campos.reserve(size_t(d.n()));
    for (int i = 0; i < d.n(); ++i) {
        d.campos.push_back(Field(&d, i));
        const QString clave = d.columnas.at(i).nombre.toLower();
        if (!d.porNombre.contains(clave))
            d.porNombre.insert(clave, i);
    }
    return rs;
}

DatosRecordset &Recordset::abierto() const
{
    if (!m_d)
        ErrorEjecucion::Lanzar(Errores::ObjetoCerrado,
                               QStringLiteral("La operación no está permitida si el objeto está cerrado."), kFuente);
    return *m_d;
}

void Recordset::Open(const QString &Source, Connection &ActiveConnection, qint32 CursorType, qint32 LockType,
                     qint32 Options)
{
    if (m_d)
        ErrorEjecucion::Lanzar(Errores::ObjetoAbierto,
                               QStringLiteral("La operación no está permitida si el objeto está abierto."), kFuente);
    const bool tabla = Options != adCmdUnspecified
        && ((Options & 0xFF) == adCmdTable || (Options & adCmdTableDirect));
    const QString sql = tabla ? QStringLiteral("SELECT * FROM ") + Source : Source;
    auto sesion = ActiveConnection.Sesion();
    Resultado r;
    sesion->Ejecutar(sql, &r);
    if (r.columnas.isEmpty())
        return; // a statement without rows leaves the recordset closed
    if (CursorType != adOpenUnspecified)
        m_cursorType = CursorType;
    if (LockType != adLockUnspecified)
        m_lockType = LockType;
    const qint32 cursor = m_cursorType;
    const qint32 bloqueo = m_lockType;
    *this = DesdeResultado(std::move(sesion), std::move(r), Source, cursor, bloqueo);
    if (bloqueo != adLockReadOnly)
        m_d->tabla = TablaDeConsulta(sql);
}

void Recordset::Close()
{
    DatosRecordset &d = abierto();
    if (d.modo != adEditNone)
        ErrorEjecucion::Lanzar(Errores::OperacionNoPermitida,
                               QStringLiteral("La operación solicitada por la aplicación no está permitida en este "
                                              "contexto."),
                               kFuente);
    m_d.reset();
}

qint32 Recordset::State() const { return m_d ? adStateOpen : adStateClosed; }
bool Recordset::Bof() const
{
    const DatosRecordset &d = abierto();
    return d.filas == 0 || d.pos < 0;
}
bool Recordset::Eof() const
{
    const DatosRecordset &d = abierto();
    return d.filas == 0 || d.pos >= d.filas;
}

namespace {
[[noreturn]] void sinRegistroActual()
{
    ErrorEjecucion::Lanzar(Errores::RegistroNoActual,
                           QStringLiteral("BOF o EOF es True, o el registro actual se eliminó. La operación "
                                          "solicitada requiere un registro actual."),
                           kFuente);
}
}

void Recordset::MoveFirst()
{
    DatosRecordset &d = abierto();
    if (d.modo != adEditNone)
        Update();
    if (d.filas == 0)
        sinRegistroActual();
    d.pos = 0;
}

void Recordset::MoveNext()
{
    DatosRecordset &d = abierto();
    if (d.modo != adEditNone)
        Update();
    if (d.pos >= d.filas)
        sinRegistroActual();
    ++d.pos;
}

void Recordset::MovePrevious()
{
    DatosRecordset &d = abierto();
    if (d.modo != adEditNone)
        Update();
    if (d.pos < 0 || d.filas == 0)
        sinRegistroActual();
    --d.pos;
}

void Recordset::MoveLast()
{
    DatosRecordset &d = abierto();
    if (d.modo != adEditNone)
        Update();
    if (d.filas == 0)
        sinRegistroActual();
    d.pos = d.filas - 1;
}

qint32 Recordset::RecordCount() const { return qint32(abierto().filas); }

qint32 Recordset::AbsolutePosition() const
{
    const DatosRecordset &d = abierto();
    if (d.filas == 0 || d.pos < 0)
        return -2;
    if (d.pos >= d.filas)
        return -3;
    return qint32(d.pos + 1);
}

db::Fields &Recordset::Fields() { return abierto().fields; }

void Recordset::AddNew()
{
    DatosRecordset &d = abierto();
    if (d.bloqueo == adLockReadOnly || d.tabla.isEmpty())
        noActualizable();
    if (d.modo != adEditNone)
        Update();
    d.posAntesDeAgregar = d.pos;
    d.celdas.resize(d.celdas.size() + size_t(d.n()));
    d.pos = d.filas++;
    d.modo = adEditAdd;
    d.edicion.assign(size_t(d.n()), QVariant());
    d.cambiado.assign(size_t(d.n()), false);
}

void Recordset::CancelUpdate()
{
    DatosRecordset &d = abierto();
    if (d.modo == adEditAdd) {
        d.celdas.resize(d.celdas.size() - size_t(d.n()));
        --d.filas;
        d.pos = d.posAntesDeAgregar;
    }
    d.modo = adEditNone;
    d.edicion.clear();
    d.cambiado.clear();
}

qint32 Recordset::EditMode() const { return abierto().modo; }

void Recordset::Update()
{
    DatosRecordset &d = abierto();
    if (d.modo == adEditNone)
        return;
    detail::Sesion &s = *d.sesion;
    s.ExigirAbierta();
    s.errores.Clear();

    const auto nombreBase = [&](int i) {
        const QString &b = d.columnas.at(i).columnaBase;
        return b.isEmpty() ? d.columnas.at(i).nombre : b;
    };
    // A text longer than its column is refused as the server refuses it.
    for (int i = 0; i < d.n(); ++i) {
        const TipoCampo &t = d.columnas.at(i).tipo;
        if (d.cambiado[size_t(i)] && t.naturaleza == Naturaleza::Texto && t.tamano > 0 && t.tamano < (1 << 30)
            && !d.edicion[size_t(i)].isNull() && d.edicion[size_t(i)].toString().size() > t.tamano)
            s.Lanzar(Fallo(Errores::DatosTruncados, QStringLiteral("Los datos de cadena o binarios se truncarían."),
                           QStringLiteral("22001"), Nativo::DatosTruncados, kFuente));
    }
    const bool sqlite = s.motor->DialectoSql() == Dialecto::Sqlite;
    QStringList nombres;
    QVariantList valores;
    for (int i = 0; i < d.n(); ++i)
        if (d.cambiado[size_t(i)]) {
            nombres.append(citado(nombreBase(i)));
            QVariant v = d.edicion[size_t(i)];
            if (d.columnas.at(i).tipo.naturaleza == Naturaleza::Texto && !v.isNull())
                v = v.toString();
            valores.append(v);
        }

    if (d.modo == adEditAdd) {
        QString sql;
        if (nombres.isEmpty()) {
            sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(citado(d.tabla));
        } else {
            QStringList marcas;
            for (qsizetype k = 0; k < nombres.size(); ++k)
                marcas.append(QStringLiteral("?"));
            sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(citado(d.tabla), nombres.join(QLatin1String(", ")), marcas.join(QLatin1String(", ")));
        }
        s.EjecutarPropia(sql, valores, nullptr);
        // The row as the database stored it: defaults and the row number included.
        std::vector<QVariant> fila(size_t(d.n()));
        for (int i = 0; i < d.n(); ++i)
            fila[size_t(i)] = coaccionar(d.edicion[size_t(i)], d.columnas.at(i).tipo.naturaleza);
        if (sqlite) {
            QStringList cols;
            for (int i = 0; i < d.n(); ++i)
                cols.append(citado(nombreBase(i)));
            Resultado r;
            try {
                s.EjecutarPropia(QStringLiteral("SELECT %1 FROM %2 WHERE rowid = last_insert_rowid()")
                                     .arg(cols.join(QLatin1String(", ")), citado(d.tabla)),
                                 {}, &r);
            } catch (const ErrorEjecucion &) {
                s.errores.Clear();
            }
            if (r.Filas() == 1)
                for (int i = 0; i < d.n(); ++i)
                    fila[size_t(i)] = coaccionar(r.celdas[size_t(i)], d.columnas.at(i).tipo.naturaleza);
        }
        for (int i = 0; i < d.n(); ++i)
            d.celdas[size_t(d.pos * d.n() + i)] = std::move(fila[size_t(i)]);
    } else {
        // The row is found by its key when the recordset holds it, otherwise by
        // every value it was read with; only that one row is changed.
        QStringList claves;
        try {
            for (const ColumnaEsquema &c : s.motor->Columnas(d.tabla))
                if (c.clave)
                    claves.append(c.nombre);
        } catch (const FalloProveedor &) {
        }
        QList<int> criterio;
        for (int i = 0; i < d.n(); ++i)
            for (const QString &k : claves)
                if (nombreBase(i).compare(k, Qt::CaseInsensitive) == 0)
                    criterio.append(i);
        if (criterio.isEmpty() || criterio.size() != claves.size()) {
            criterio.clear();
            for (int i = 0; i < d.n(); ++i) {
                const Naturaleza nat = d.columnas.at(i).tipo.naturaleza;
                if (nat == Naturaleza::Texto || nat == Naturaleza::Entero || nat == Naturaleza::Logico)
                    criterio.append(i);
            }
        }
        QStringList asignaciones;
        for (const QString &nm : nombres)
            asignaciones.append(nm + QStringLiteral(" = ?"));
        QStringList condiciones;
        QVariantList parametros = valores;
        for (int i : criterio) {
            const QVariant original = d.celdas[size_t(d.pos * d.n() + i)];
            if (original.isNull()) {
                condiciones.append(citado(nombreBase(i)) + QStringLiteral(" IS NULL"));
            } else {
                condiciones.append(citado(nombreBase(i)) + QStringLiteral(" = ?"));
                parametros.append(original);
            }
        }
        const QString donde = condiciones.isEmpty() ? QStringLiteral("1 = 1") : condiciones.join(QLatin1String(" AND "));
        qint64 n = 0;
        if (!asignaciones.isEmpty()) {
            const QString sql = sqlite
                ? QStringLiteral("UPDATE %1 SET %2 WHERE rowid IN (SELECT rowid FROM %1 WHERE %3 LIMIT 1)")
                      .arg(citado(d.tabla), asignaciones.join(QLatin1String(", ")), donde)
                : QStringLiteral("UPDATE TOP (1) %1 SET %2 WHERE %3")
                      .arg(citado(d.tabla), asignaciones.join(QLatin1String(", ")), donde);
            n = s.EjecutarPropia(sql, parametros, nullptr);
            if (n == 0)
                s.Lanzar(Fallo(Errores::FilaNoEncontrada,
                               QStringLiteral("No se encuentra la fila para actualizarla. Algunos valores pueden "
                                              "haber cambiado desde la última lectura."),
                               QString(), 0, kFuente));
        }
        for (int i = 0; i < d.n(); ++i)
            if (d.cambiado[size_t(i)])
                d.celdas[size_t(d.pos * d.n() + i)] =
                    coaccionar(d.edicion[size_t(i)], d.columnas.at(i).tipo.naturaleza);
    }
    d.modo = adEditNone;
    d.edicion.clear();
    d.cambiado.clear();
}

void Recordset::SetCursorType(qint32 tipo)
{
    if (m_d)
        ErrorEjecucion::Lanzar(Errores::ObjetoAbierto,
                               QStringLiteral("La operación no está permitida si el objeto está abierto."), kFuente);
    m_cursorType = tipo;
}

void Recordset::SetLockType(qint32 tipo)
{
    if (m_d)
        ErrorEjecucion::Lanzar(Errores::ObjetoAbierto,
                               QStringLiteral("La operación no está permitida si el objeto está abierto."), kFuente);
    m_lockType = tipo;
}

}
