#pragma once

#include <QString>

// The shared lookup request: the start-up hands it the connection string and
// the definition file it composes its lookups from.
class Lib_ClsCons3
{
public:
    static Lib_ClsCons3 &Compartido()
    {
        static Lib_ClsCons3 instancia;
        return instancia;
    }

    QString gConnString;
    bool gUsarMascarasConsultas = false;
    // Full path of the definition record file (consultas.kvd).
    QString gRutaMascaraConsultas;
};
