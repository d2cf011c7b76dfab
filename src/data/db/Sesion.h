#pragma once

#include "Dialecto.h"
#include "Errors.h"
#include "Motor.h"
#include "Servidores.h"

#include <QHash>
#include <memory>

// What a connection and its recordsets share: the backend, the Errors
// collection and the settings. A recordset keeps it alive after its connection
// object has gone.
namespace db::detail {

struct Sesion
{
    std::unique_ptr<Motor> motor;
    Destino destino;
    db::Errors errores;
    QString cadena;
    int tiempoConexion = 15;
    int tiempoComando = 30;
    int aislamiento = adXactReadCommitted;
    int ubicacionCursor = adUseServer;
    bool perdida = false;   // the database became unreachable; only a new Open helps
    int nivelTransaccion = 0;
    QHash<QString, TipoDeColumna> tiposColumnas;
    bool tiposCargados = false;

    bool Abierta() const { return motor != nullptr; }
    void ExigirAbierta();
    // Fills Errors with the provider's entries and raises the run-time error.
    [[noreturn]] void Lanzar(const FalloProveedor &f);
    // Runs a batch of the system's statements; the first rows it gives go to
    // `filas`. Raises ErrorEjecucion on failure.
    qint64 Ejecutar(const QString &sql, Resultado *filas);
    // Runs one statement of the backend's own dialect, with parameters.
    qint64 EjecutarPropia(const QString &sql, const QVariantList &parametros, Resultado *filas);

    void Comenzar();
    void Confirmar(bool desdeSql);
    void Deshacer(bool desdeSql);

private:
    TipoDeColumna tipoColumna(const QString &columna);
};

}
