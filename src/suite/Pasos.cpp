#include "Pasos.h"

#include "DialogoOperador.h"

namespace Pasos {

bool Ejecutar(std::initializer_list<Paso> pasos, const Tratamiento &tratar)
{
    for (const Paso &paso : pasos) {
        for (;;) {
            try {
                paso();
                break;
            } catch (const FinDeRutina &) {
                return true;
            } catch (const ErrorEjecucion &e) {
                const Accion accion = tratar(e);
                if (accion == Accion::Repetir)
                    continue;
                if (accion == Accion::Salir)
                    return false;
                break;
            }
        }
    }
    return true;
}

Accion SegunRespuesta(int respuesta)
{
    switch (respuesta) {
    case DialogoOperador::vbRetry: return Accion::Repetir;
    case DialogoOperador::vbIgnore: return Accion::Siguiente;
    default: return Accion::Salir;
    }
}

}
