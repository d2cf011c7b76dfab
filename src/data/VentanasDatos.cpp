#include "VentanasDatos.h"

namespace {
VentanaAccesoDatos *gAcceso = nullptr;
VentanaReconexion *gReconexion = nullptr;
}

VentanaAccesoDatos *VentanasDatos::Acceso() { return gAcceso; }
void VentanasDatos::EstablecerAcceso(VentanaAccesoDatos *ventana) { gAcceso = ventana; }
VentanaReconexion *VentanasDatos::Reconexion() { return gReconexion; }
void VentanasDatos::EstablecerReconexion(VentanaReconexion *ventana) { gReconexion = ventana; }
