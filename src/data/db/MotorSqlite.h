#pragma once

#include "Motor.h"

#include <QElapsedTimer>
#include <memory>

struct sqlite3;

// The embedded backend: a database is a file in a data folder, reached through
// SQLite's C library. A missing file is a database the server does not have;
// a file that disappears or is replaced while open is a lost connection.
namespace db {

class MotorSqlite final : public Motor
{
public:
    // Opens an existing file; never creates one.
    MotorSqlite(const QString &archivo, const QString &nombreBase, int tiempoComando);
    ~MotorSqlite() override;

    Dialecto DialectoSql() const override { return Dialecto::Sqlite; }
    QString Fuente() const override { return QStringLiteral("SQLite"); }
    QString BaseDatos() const override { return m_nombreBase; }
    QString Archivo() const { return m_archivo; }

    qint64 Ejecutar(const QString &sql, const QVariantList &parametros, Resultado *resultado) override;
    void Comenzar() override;
    void Confirmar() override;
    void Deshacer() override;
    QList<TablaEsquema> Tablas() override;
    QList<ColumnaEsquema> Columnas(const QString &tabla) override;
    void AsignarTiempoComando(int segundos) override;
    void CambiarBase(const QString &nombre) override;

    // Gives a SQLite connection the server's ways: NOCASE and LIKE ignore the case
    // of every letter and NOCASE also trailing blanks (as the server's default
    // collation does), and getDate() reads the program's clock. Whatever writes
    // a database of this backend directly calls it too, so that its indexes are
    // ordered as the sessions read them.
    static void PrepararConexion(sqlite3 *db);

    // The SQLite failure `rc` of this session as the provider's entries.
    static FalloProveedor FalloDe(sqlite3 *db, int rc, const QString &fuente);

private:
    void abrir();
    void cerrar();
    void verificarVigencia();
    [[noreturn]] void fallar(int rc);
    static int alProgresar(void *yo);

    QString m_archivo;
    QString m_nombreBase;
    sqlite3 *m_db = nullptr;
    quint64 m_dispositivo = 0, m_nodo = 0;
    int m_tiempoComando = 30;
    QElapsedTimer m_reloj;
};

}
