#include "SesionConfiguracion.h"

#include "ModConfiguracion.h"
#include "app/Sesion.h"
#include "suite/Pasos.h"

#include <QDateTime>
#include <cstdlib>
#include <cmath>
#include <optional>

namespace {

constexpr auto CI = Qt::CaseInsensitive;

QString leer(const char *clave)
{
    return Cfg(QString::fromLatin1(clave));
}

bool si(const QString &valor)
{
    return valor.compare(QStringLiteral("SI"), CI) == 0;
}
bool siRecortado(const char *clave) { return si(leer(clave).trimmed()); }
bool siClave(const char *clave) { return si(leer(clave)); }
bool noEsNo(const char *clave) { return leer(clave).trimmed().compare(QStringLiteral("NO"), CI) != 0; }
bool puestoYNoNo(const char *clave)
{
    const QString v = leer(clave);
    return !v.trimmed().isEmpty() && v.trimmed().compare(QStringLiteral("NO"), CI) != 0;
}
QString textoRecortado(const char *clave) { return leer(clave).trimmed(); }
double numero(const char *clave) { return Cadenas::Compartida().ValorNumerico(leer(clave).trimmed()); }

// A whole number of 16 bits; a value out of range fails like the suite's
// conversion does, and the step keeps what it had.
qint16 entero16(double valor)
{
    const double redondo = std::nearbyint(valor);
    if (redondo < -32768 || redondo > 32767)
        ErrorEjecucion::Lanzar(Errores::Desbordamiento, QStringLiteral("Desbordamiento"));
    return qint16(redondo);
}
qint16 entero(const char *clave) { return entero16(Cadenas::Compartida().ValorNumerico(leer(clave))); }

// Programs of the suite that keep their own number of decimals for sales.
bool esProgramaDeVentas()
{
    static const char *const kVentas[] = {"Facturacion", "PuntoDeVenta", "Pedidos", "Presupuestos", "Remitos",
                                          "NotasDeCredito", "VentasMostrador", "Proformas", "Cobranzas", "Devoluciones"};
    const QString propio = ContextoAplicacion::Compartido().NombreEjecutable();
    for (const char *nombre : kVentas)
        if (propio.compare(QLatin1String(nombre), CI) == 0)
            return true;
    return false;
}

} // namespace

void CargarConfiguracion(const QString &CarpetaAplicacion)
{
    ValoresSesion &v = gValoresSesion;
    const Cadenas &cadenas = Cadenas::Compartida();
    Pasos::Ejecutar(
        {
            [] { std::srand(unsigned(QDateTime::currentMSecsSinceEpoch())); },
            [] { gTablaConfiguracion = QStringLiteral("ta_configuracion"); },
            [&] { v.MostrarStockenConsultas = si(cadenas.ValorCampo(leer("MostrarStockenConsultas")).toString()); },
            [&] { v.TituloClientes = textoRecortado("TituloClientes"); },
            [&] { v.TituloProveedores = textoRecortado("TituloProveedores"); },
            [&] { gRutaDocTareas = CarpetaAplicacion + QStringLiteral("KVDOCTareas.kvd"); },
            [&] { v.EXIGECLAVECONSULTALIKEARTICULOS = siClave("EXIGECLAVECONSULTALIKEARTICULOS"); },
            [&] { v.UsaConsultaLike = siClave("UsaConsultaLike"); },
            [&] { v.CantidadDecimales = leer("CantidadDecimales"); },
            [&] { gConfidencialidad = siClave("SS_CONFIDENCIALIDAD"); },
            [&] {
                if (!esProgramaDeVentas())
                    return;
                const QString ventas = leer("CantidadDecimalesVentas");
                if (cadenas.ValorNumerico(ventas) > 0)
                    v.CantidadDecimales = ventas;
            },
            [&] { v.UsaMultilesMonedas = siClave("UsaMultilesMonedas"); },
            [&] { v.UsaFacturaProforma = siClave("UsaFacturaProforma"); },
            [&] { v.USACCOSTO = siClave("USACCOSTO"); },
            [&] { v.USA_STK_STOCK_UDKG = siClave("USA_STK_STOCK_UDKG"); },
            [&] {
                DB_Dll &db = DB_Dll::Compartido();
                db::Recordset rs;
                QString sentencia = QStringLiteral("Select * from ta_usuarios  with(nolock)  where Nombre = '")
                    + QString(gUsuarioLogeado).replace(u'\'', QStringLiteral("''")) + u'\'';
                db.AbrirRecordset(sentencia, rs, nullptr, db::adOpenForwardOnly, db::adLockReadOnly, -1, true);
                if (rs.State() == db::adStateOpen && !rs.Eof()) {
                    Pasos::Ejecutar(
                        {
                            [&] { gUnidadNegocio = cadenas.ValorCampo(rs.Fields(QStringLiteral("UNegocio")).Value()).toString(); },
                            [&] {
                                if (v.UsaFacturaProforma)
                                    v.UsaFacturaProforma = rs.Fields(QStringLiteral("verproforma")).Value().toBool();
                            },
                            [&] {
                                v.ClasePUsa = cadenas.QuitarCaracteres(
                                    cadenas.ValorCampo(rs.Fields(QStringLiteral("clasepusa")).Value()).toString().trimmed(), u',');
                            },
                        },
                        Pasos::Omitir);
                }
                db.CierraRecordset(rs);
            },
            [] {
                if (gUnidadNegocio.isEmpty())
                    gUnidadNegocio = QStringLiteral("   1");
            },
            [&] { v.UNIDADDEMEDIDA_M3 = textoRecortado("UNIDADDEMEDIDA_M3"); },
            [&] { v.UNIDADDEMEDIDA_BL = textoRecortado("UNIDADDEMEDIDA_BL"); },
            [&] { v.UNIDADDEMEDIDA_KG = textoRecortado("UNIDADDEMEDIDA_KG"); },
            [&] { v.PERIODO = entero("PERIODO"); },
            [&] { v.RazonSocialPorUneg = siRecortado("RazonSocialPorUneg"); },
            [&] { v.VALIDACODIGOBARRA = siRecortado("VALIDACODIGOBARRA"); },
            [&] {
                gColorFondo = quint32(cadenas.ValorNumerico(leer("CFondo")));
                gColorLetra = quint32(cadenas.ValorNumerico(leer("CLetra")));
            },
            [&] {
                // An unreadable pair (text the colour of its background) is reset
                // in the table too, so the suite's other programs show it right.
                if (gColorFondo != gColorLetra)
                    return;
                GrabaDfg(QStringLiteral("CFondo"), ColorRGB(230, 243, 255), {}, false, kGrupoDatos, true);
                GrabaDfg(QStringLiteral("CLetra"), 0, {}, false, kGrupoDatos, true);
                gColorFondo = ColorRGB(230, 243, 255);
            },
            [&] {
                if (gColorFondo == 0xFFFF00u)
                    gColorFondo = ColorRGB(230, 243, 255);
                else if (gColorFondo == 0)
                    gColorFondo = ColorRGB(255, 252, 229);
            },
            [&] { v.ModuloOrdenDeTrabajo = noEsNo("ModuloOrdenDeTrabajo"); },
            [&] { v.V_ModificaCPrecio = puestoYNoNo("V_ModificaCPrecio"); },
            [&] { v.C_ModificaCPrecio = puestoYNoNo("C_ModificaCPrecio"); },
            [&] { v.MADERERA = puestoYNoNo("MADERERA"); },
            [&] {
                v.MAD_TIRAS = textoRecortado("MAD_TIRAS");
                v.MAD_P2 = textoRecortado("MAD_P2");
                v.MAD_ML = textoRecortado("MAD_ML");
                v.MAD_M2 = textoRecortado("MAD_M2");
                v.MAD_HOJAS = textoRecortado("MAD_HOJAS");
                v.MAD_ML_P2 = textoRecortado("MAD_ML_P2");
                v.MAD_M2_P2 = textoRecortado("MAD_M2_P2");
                v.MAD_ML_M2 = textoRecortado("MAD_ML_M2");
                v.CuentaCtroDist = textoRecortado("CuentaCtroDist");
            },
            [&] { v.MaxDto = numero("MaxDto"); },
            [&] { v.MaxDtoProforma = numero("MaxDtoProforma"); },
            [&] { v.PideClave_StockNeg = puestoYNoNo("PideClave_StockNeg"); },
            [&] { v.PideClave_MarkUpBase = puestoYNoNo("PideClave_MarkUpBase"); },
            [&] { v.PideClave_LimiteCredito = puestoYNoNo("PideClave_LimiteCredito"); },
            [&] { v.SS_BloqueoActivo = siClave("SS_BloqueoActivo"); },
            [&] { gUtilizarFechaDia = siClave("UTILIZARFECHADIA"); },
            [&] { v.AsignacionAutomaticaDeLoteING = siClave("AsignacionAutomaticaDeLoteING"); },
            [&] { v.AsignacionAutomaticaDeLoteINGOP = siClave("AsignacionAutomaticaDeLoteINGOP"); },
            [&] { gCondicionIva = entero("CONDIVAEMPRESA"); },
            [&] {
                QString nombre, cuit, inicio, ingresos, condicion, domicilio, puntoDeVenta;
                DatosUnidadNegocio(gUnidadNegocio, nombre, cuit, inicio, ingresos, condicion, domicilio, puntoDeVenta);
            },
            [] {
                if (gCondicionIva == 0)
                    gCondicionIva = 1;
            },
            [&] {
                v.Top_Default = leer("Top_Default");
                if (v.Top_Default.trimmed().isEmpty())
                    v.Top_Default = QStringLiteral("1000");
            },
        },
        Pasos::Omitir);
}

void DatosUnidadNegocio(const QString &Codigo, QString &RazonSocial, QString &Cuit, QString &InicioActividades,
                        QString &IngresosBrutos, QString &CondicionIva, QString &Domicilio, QString &PuntoDeVenta)
{
    const Cadenas &cadenas = Cadenas::Compartida();
    DB_Dll &db = DB_Dll::Compartido();
    db::Recordset rs;
    bool existe = false;
    const QString unidad = Codigo.trimmed();
    auto campo = [&](const char *nombre) {
        return cadenas.ValorCampo(rs.Fields(QString::fromLatin1(nombre)).Value()).toString();
    };
    auto siVacio = [](QString &valor, const QString &respaldo) {
        if (valor.isEmpty())
            valor = respaldo;
    };
    Pasos::Ejecutar(
        {
            [&] {
                if (!Codigo.isEmpty())
                    existe = db.ExisteEnTabla(QStringLiteral("v_ta_unidadNegocio"), cadenas.Formatear(Codigo, 4),
                                              QStringLiteral("codigo"), &rs);
            },
            [&] {
                if (!existe)
                    return;
                RazonSocial = campo("razon_social");
                Cuit = campo("Cuit");
            },
            [&] {
                if (!existe)
                    return;
                if (Cuit.isEmpty()) {
                    RazonSocial.clear();
                    InicioActividades.clear();
                    IngresosBrutos.clear();
                    CondicionIva.clear();
                    Domicilio.clear();
                    return;
                }
                InicioActividades = Cfg(QStringLiteral("INICIO_ACTIVIDADES_UN_") + unidad).trimmed();
                IngresosBrutos = Cfg(QStringLiteral("INGRESOS_BRUTOS_UN_") + unidad).trimmed();
                CondicionIva = Cfg(QStringLiteral("CONDICIONIVA_UN_") + unidad).trimmed();
                Domicilio = Cfg(QStringLiteral("DOMICILIO_UN_") + unidad).trimmed();
            },
            [&] {
                if (existe)
                    PuntoDeVenta = campo("PDV").trimmed();
            },
            [&] { db.CierraRecordset(rs); },
            [&] { siVacio(RazonSocial, Cfg(QStringLiteral("NOMBRE"))); },
            [&] { siVacio(Cuit, Cfg(QStringLiteral("cuit"))); },
            [&] { siVacio(CondicionIva, Cfg(QStringLiteral("CONDIVAEMPRESA"))); },
            [&] { siVacio(InicioActividades, Cfg(QStringLiteral("INICIOACTIVIDADES")).trimmed()); },
            [&] { siVacio(IngresosBrutos, Cfg(QStringLiteral("NROINGRESOSBRUTOS")).trimmed()); },
            [&] {
                siVacio(Domicilio, Cfg(QStringLiteral("CALLE")) + u' ' + Cfg(QStringLiteral("NUMERO")) + QStringLiteral("  ")
                                       + Cfg(QStringLiteral("PISO")) + u' ' + Cfg(QStringLiteral("Departamento")));
            },
            [&] {
                bool ok = false;
                const double valor = CondicionIva.trimmed().toDouble(&ok);
                if (!ok)
                    ErrorEjecucion::Lanzar(Errores::TiposNoCoinciden, QStringLiteral("No coinciden los tipos"));
                gCondicionIva = entero16(valor);
            },
        },
        Pasos::Omitir);
}
