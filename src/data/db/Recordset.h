#pragma once

#include "Ado.h"

#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

// The rows of a statement, read whole into the client as a client-side cursor
// does, with the current-row navigation and the field access of ADO, and
// AddNew/Update on a SELECT of one table opened for update.
namespace db {

class Connection;
struct Resultado;
namespace detail {
struct Sesion;
struct DatosRecordset;
}

// One column of the current row.
class Field
{
public:
    QString Name() const;
    QVariant Value() const;           // a null QVariant for Null
    void SetValue(const QVariant &valor);
    QVariant OriginalValue() const;
    qint32 Type() const;              // DataTypeEnum
    qint32 DefinedSize() const;
    qint32 ActualSize() const;

private:
    friend class Recordset;
    friend class Fields;
    friend struct detail::DatosRecordset;
    Field(detail::DatosRecordset *d, int indice) : m_d(d), m_i(indice) {}
    detail::DatosRecordset *m_d;
    int m_i;
};

class Fields
{
public:
    qint32 Count() const;
    // Raise 3265 when there is no such field; names ignore letter case.
    Field &Item(qint32 indice);
    Field &Item(const QString &nombre);
    Field &operator[](qint32 indice) { return Item(indice); }
    Field &operator[](const QString &nombre) { return Item(nombre); }

private:
    friend class Recordset;
    friend struct detail::DatosRecordset;
    explicit Fields(detail::DatosRecordset *d) : m_d(d) {}
    detail::DatosRecordset *m_d;
};

class Recordset
{
public:
    Recordset();
    ~Recordset();
    Recordset(Recordset &&) noexcept;
    Recordset &operator=(Recordset &&) noexcept;

    void Open(const QString &Source, Connection &ActiveConnection, qint32 CursorType = adOpenForwardOnly,
              qint32 LockType = adLockReadOnly, qint32 Options = adCmdUnspecified);
    // Raises 3704 when closed, 3219 while an AddNew or an edit is pending.
    void Close();
    qint32 State() const;

    bool Bof() const;
    bool Eof() const;
    void MoveFirst();
    void MoveNext();
    void MovePrevious();
    void MoveLast();
    qint32 RecordCount() const;
    qint32 AbsolutePosition() const; // 1-based; -1 at BOF or EOF

    db::Fields &Fields();
    Field &Fields(qint32 indice) { return Fields().Item(indice); }
    Field &Fields(const QString &nombre) { return Fields().Item(nombre); }

    void AddNew();
    void Update();
    void CancelUpdate();
    qint32 EditMode() const;

    // Kept while closed; -1 (unspecified) in Open uses them. Raise 3705 when set on an open recordset.
    qint32 CursorType() const { return m_cursorType; }
    void SetCursorType(qint32 tipo);
    qint32 LockType() const { return m_lockType; }
    void SetLockType(qint32 tipo);
    QString Source() const { return m_source; }

    // Used by the connection: a recordset on rows already read.
    static Recordset DesdeResultado(std::shared_ptr<detail::Sesion> sesion, Resultado &&filas,
                                    const QString &fuente, qint32 cursor, qint32 bloqueo);

private:
    detail::DatosRecordset &abierto() const;
    std::unique_ptr<detail::DatosRecordset> m_d;
    qint32 m_cursorType = adOpenForwardOnly;
    qint32 m_lockType = adLockReadOnly;
    QString m_source;
};

}
