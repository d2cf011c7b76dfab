#pragma once

#include <QString>
#include <QtGlobal>

// The suite's general settings loaded for the session at start-up. The
// configuration table name, the confidentiality flag and the day-date flag
// (app/Sesion.h, ModConfiguracion.h) are read again by this program; the values
// below are kept for the session as the suite's other programs keep them.
struct ValoresSesion
{
    bool MostrarStockenConsultas = false;
    QString TituloClientes, TituloProveedores;
    bool EXIGECLAVECONSULTALIKEARTICULOS = false, UsaConsultaLike = false;
    QString CantidadDecimales;
    bool UsaMultilesMonedas = false, UsaFacturaProforma = false, USACCOSTO = false, USA_STK_STOCK_UDKG = false;
    QString ClasePUsa;
    QString UNIDADDEMEDIDA_M3, UNIDADDEMEDIDA_BL, UNIDADDEMEDIDA_KG;
    qint16 PERIODO = 0;
    bool RazonSocialPorUneg = false, VALIDACODIGOBARRA = false;
    bool ModuloOrdenDeTrabajo = false, V_ModificaCPrecio = false, C_ModificaCPrecio = false, MADERERA = false;
    QString MAD_TIRAS, MAD_P2, MAD_ML, MAD_M2, MAD_HOJAS, MAD_ML_P2, MAD_M2_P2, MAD_ML_M2, CuentaCtroDist;
    double MaxDto = 0, MaxDtoProforma = 0;
    bool PideClave_StockNeg = false, PideClave_MarkUpBase = false, PideClave_LimiteCredito = false;
    bool SS_BloqueoActivo = false;
    bool AsignacionAutomaticaDeLoteING = false, AsignacionAutomaticaDeLoteINGOP = false;
    QString Top_Default;
};

inline ValoresSesion gValoresSesion;
inline QString gRutaDocTareas;
inline QString gUnidadNegocio;
inline qint16 gCondicionIva = 0;

// Colours as the suite stores them: red + green * 256 + blue * 65536.
constexpr quint32 ColorRGB(int rojo, int verde, int azul)
{
    return quint32(rojo) + quint32(verde) * 256u + quint32(azul) * 65536u;
}

// Loads the session settings; every failing step is skipped.
void CargarConfiguracion(const QString &CarpetaAplicacion);

// The business unit's company data, with the company-wide values where the unit
// has none; also sets gCondicionIva.
void DatosUnidadNegocio(const QString &Codigo, QString &RazonSocial, QString &Cuit, QString &InicioActividades,
                        QString &IngresosBrutos, QString &CondicionIva, QString &Domicilio, QString &PuntoDeVenta);
