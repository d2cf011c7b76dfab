#pragma once

#include "ErrorEjecucion.h"

#include <functional>
#include <initializer_list>

// Runs a routine as a sequence of steps whose failures are handed to the
// routine's own error treatment, which decides how to go on: run the failing
// step again, go on with the next one, or leave the routine.
namespace Pasos {

enum class Accion { Repetir, Siguiente, Salir };
using Paso = std::function<void()>;
using Tratamiento = std::function<Accion(const ErrorEjecucion &)>;

// Ends the routine from inside a step, as a plain return would: the steps
// after it do not run. Only for use inside a step given to Ejecutar.
struct FinDeRutina
{
};
[[noreturn]] inline void Terminar()
{
    throw FinDeRutina{};
}

// False when the treatment chose to leave.
bool Ejecutar(std::initializer_list<Paso> pasos, const Tratamiento &tratar);

// Every failing step is skipped.
inline Accion Omitir(const ErrorEjecucion &) { return Accion::Siguiente; }

// The operator's answer as the routines read it: 4 retry, 5 ignore, other leave.
Accion SegunRespuesta(int respuesta);

}
