#pragma once

#include "Ado.h"
#include "Errors.h"
#include "Recordset.h"

#include <QString>
#include <QVariantList>
#include <memory>

// A connection to a company database, opened from the suite's connection
// strings and used the way the data-access class uses its ADO connection.
// Failures raise ErrorEjecucion and leave the provider's entries in Errors().
namespace db {

namespace detail {
struct Sesion;
}

class Connection
{
public:
    Connection();
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // An empty string opens with ConnectionString(). Raises 3705 when already open.
    void Open(const QString &ConnectionString = QString(), const QString &UserID = QString(),
              const QString &Password = QString(), qint32 Options = -1);
    // Raises 3704 when already closed.
    void Close();
    qint32 State() const;

    // Runs a statement or a batch; the rows of the first statement that gives
    // any come back as an open recordset (closed when there are none).
    Recordset Execute(const QString &CommandText, qint32 *RecordsAffected = nullptr, qint32 Options = -1);

    qint32 BeginTrans();
    void CommitTrans();
    void RollbackTrans();

    // adSchemaTables (restrictions: catalog, schema, table, type) and
    // adSchemaColumns (catalog, schema, table, column).
    Recordset OpenSchema(qint32 Schema, const QVariantList &Restrictions = QVariantList());

    QString ConnectionString() const;
    void SetConnectionString(const QString &valor);
    qint32 ConnectionTimeout() const;
    void SetConnectionTimeout(qint32 segundos);
    qint32 CommandTimeout() const;
    void SetCommandTimeout(qint32 segundos);
    qint32 IsolationLevel() const;
    void SetIsolationLevel(qint32 nivel);
    qint32 CursorLocation() const;
    void SetCursorLocation(qint32 ubicacion);
    QString DefaultDatabase() const;
    void SetDefaultDatabase(const QString &base);

    db::Errors &Errors();
    const db::Errors &Errors() const;

    std::shared_ptr<detail::Sesion> Sesion() const { return m_s; }

private:
    std::shared_ptr<detail::Sesion> m_s;
};

}
