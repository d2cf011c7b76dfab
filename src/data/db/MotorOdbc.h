#pragma once

#include "Motor.h"
#include "Servidores.h"

// The ODBC backend, over unixODBC's C API: SQL Server through FreeTDS, Oracle
// and Access through the drivers the settings name, or any driver a caller's
// string names. The provider's diagnostics (SQLGetDiagRec) become the entries
// of Errors, their native codes mapped to SQL Server's.
namespace db {

class MotorOdbc final : public Motor
{
public:
    MotorOdbc(const Destino &destino, int tiempoConexion, int tiempoComando);
    ~MotorOdbc() override;

    Dialecto DialectoSql() const override { return m_destino.dialecto; }
    QString Fuente() const override { return m_fuente; }
    QString BaseDatos() const override { return m_destino.baseDatos; }

    qint64 Ejecutar(const QString &sql, const QVariantList &parametros, Resultado *resultado) override;
    void Comenzar() override;
    void Confirmar() override;
    void Deshacer() override;
    QList<TablaEsquema> Tablas() override;
    QList<ColumnaEsquema> Columnas(const QString &tabla) override;
    void AsignarTiempoComando(int segundos) override { m_tiempoComando = segundos; }
    void AsignarAislamiento(int nivel) override;
    void CambiarBase(const QString &nombre) override;

private:
    struct Sentencia;
    // `alConectar`: a login that fails is never a lost link, whatever its SQLSTATE.
    [[noreturn]] void fallar(short tipoManija, void *manija, bool alConectar = false);
    void comprobar(short rc, short tipoManija, void *manija);
    void verificarVigencia();
    void finTransaccion(bool confirmar);

    Destino m_destino;
    QString m_fuente;
    void *m_env = nullptr;
    void *m_dbc = nullptr;
    int m_tiempoComando = 30;
    quint64 m_dispositivo = 0, m_nodo = 0;
};

}
