#pragma once

#include "Ado.h"
#include "Errors.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <utility>
#include <vector>

// One backend of the layer: a live session with one database that runs single
// statements of its own dialect. Failures are thrown as FalloProveedor with the
// provider's entries already mapped to SQL Server's native codes.
namespace db {

enum class Dialecto { SqlServer, Sqlite, Oracle, Access };

struct ColumnaResultado
{
    QString nombre;
    QString tablaBase;   // the table the column comes from, when the backend knows it
    QString columnaBase;
    TipoCampo tipo;
};

// The cells of a result, row after row, in blocks of a fixed size: a large
// result grows without copying what it holds, and the blocks are small enough
// to be reused by the allocator from one statement to the next.
class Celdas
{
public:
    static constexpr size_t kBloque = 2048;

    Celdas() = default;
    Celdas(Celdas &&otro) noexcept
        : m_bloques(std::move(otro.m_bloques))
        , m_n(std::exchange(otro.m_n, 0))
    {
    }
    Celdas &operator=(Celdas &&otro) noexcept
    {
        clear();
        m_bloques = std::move(otro.m_bloques);
        m_n = std::exchange(otro.m_n, 0);
        return *this;
    }
    ~Celdas() { clear(); }

    size_t size() const { return m_n; }
    bool empty() const { return m_n == 0; }
    QVariant &operator[](size_t i) { return m_bloques[i / kBloque][i % kBloque]; }
    const QVariant &operator[](size_t i) const { return m_bloques[i / kBloque][i % kBloque]; }
    void push_back(QVariant &&v)
    {
        if (m_n % kBloque == 0)
            m_bloques.push_back(BloqueLibre());
        m_bloques.back().push_back(std::move(v));
        ++m_n;
    }
    void push_back(const QVariant &v) { push_back(QVariant(v)); }
    void agregar(std::initializer_list<QVariant> valores)
    {
        for (const QVariant &v : valores)
            push_back(v);
    }
    void resize(size_t n)
    {
        while (m_n > n) {
            m_bloques.back().pop_back();
            if (m_bloques.back().empty()) {
                Devolver(std::move(m_bloques.back()));
                m_bloques.pop_back();
            }
            --m_n;
        }
        while (m_n < n)
            push_back(QVariant());
    }
    void clear()
    {
        for (auto &b : m_bloques)
            Devolver(std::move(b));
        m_bloques.clear();
        m_n = 0;
    }

private:
    // Blocks of finished results are kept (up to a few tens of megabytes) for
    // the next ones: reading a large result then costs no fresh memory pages.
    static std::vector<QVariant> BloqueLibre();
    static void Devolver(std::vector<QVariant> &&bloque);

    std::vector<std::vector<QVariant>> m_bloques;
    size_t m_n = 0;
};

// The rows of one statement.
struct Resultado
{
    QList<ColumnaResultado> columnas;
    Celdas celdas;

    qsizetype Filas() const { return columnas.isEmpty() ? 0 : qsizetype(celdas.size()) / columnas.size(); }
};

struct TablaEsquema
{
    QString nombre;
    QString tipo; // "TABLE", "VIEW", "SYSTEM TABLE"
};

struct ColumnaEsquema
{
    QString nombre;
    int ordinal = 0;
    TipoCampo tipo;
    QString declarado;
    bool admiteNulos = true;
    QString porDefecto;
    bool clave = false;
};

// The device and file number of a database file: a file that went away or was
// replaced by another one no longer has the identity it had when it was opened.
bool IdentidadArchivo(const QString &ruta, quint64 &dispositivo, quint64 &nodo);

class Motor
{
public:
    virtual ~Motor() = default;

    virtual Dialecto DialectoSql() const = 0;
    virtual QString Fuente() const = 0;
    virtual QString BaseDatos() const = 0;

    // Runs one statement with positional parameters. When `resultado` is given
    // and the statement yields rows, they are read into it. Returns the rows
    // changed, or -1 for a statement that changes none.
    virtual qint64 Ejecutar(const QString &sql, const QVariantList &parametros, Resultado *resultado) = 0;

    virtual void Comenzar() = 0;
    virtual void Confirmar() = 0;
    virtual void Deshacer() = 0;

    virtual QList<TablaEsquema> Tablas() = 0;
    virtual QList<ColumnaEsquema> Columnas(const QString &tabla) = 0;

    virtual void AsignarTiempoComando(int segundos) = 0;
    // The isolation level of later transactions (IsolationLevelEnum); a backend
    // without levels keeps its own.
    virtual void AsignarAislamiento(int) {}
    // Makes another database of the same server the current one.
    virtual void CambiarBase(const QString &nombre) = 0;
};

}
