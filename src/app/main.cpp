#include "app/Programa.h"

int main(int argc, char *argv[])
{
    return EjecutarPrograma(argc, argv);
}
