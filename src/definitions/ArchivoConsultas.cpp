#include "ArchivoConsultas.h"

#include "suite/Archivos.h"
#include "suite/LibreriaSuite.h"
#include "suite/Windows1252.h"

#include <QFile>

#include <array>

namespace {

QString recortar(QStringView texto)
{
    return Cadenas::Compartida().Recortar(texto);
}


QString ajustar(const QString &texto, qsizetype ancho)
{
    return Cadenas::Compartida().Rellenar(texto, int(ancho));
}

QString sinNulos(const QString &texto)
{
    return Cadenas::Compartida().QuitarCaracteres(texto, QChar(0));
}

[[noreturn]] void errorDeAcceso()
{
    ErrorEjecucion::Lanzar(Errores::ErrorAccesoArchivo, QStringLiteral("Error de acceso a la ruta o el archivo"));
}

[[noreturn]] void desbordamiento()
{
    ErrorEjecucion::Lanzar(Errores::Desbordamiento, QStringLiteral("Desbordamiento"));
}

// Record access opens the file for reading and writing and creates it when it
// is missing. A search only reads, so a file that may not be written is still
// searched; a writer needs the write access.
void abrir(QFile &archivo, bool paraEscribir)
{
    if (archivo.open(QIODevice::ReadWrite))
        return;
    if (!paraEscribir && archivo.open(QIODevice::ReadOnly))
        return;
    errorDeAcceso();
}

// Record numbers are 16-bit in the suite: a file with more records than that
// cannot be walked, and a record beyond the last number cannot be written.
qint16 cantidadRegistros(const QFile &archivo)
{
    const qint64 cantidad = archivo.size() / RegistroConsulta::kLargo;
    if (cantidad > ArchivoConsultas::kRegistrosMaximos)
        desbordamiento();
    return qint16(cantidad);
}

// The number of a record appended after the complete records; a trailing piece
// shorter than a record is not one and gets overwritten.
qint16 numeroNuevo(const QFile &archivo)
{
    const qint32 numero = qint32(cantidadRegistros(archivo)) + 1;
    if (numero > ArchivoConsultas::kRegistrosMaximos)
        desbordamiento();
    return qint16(numero);
}

// Walks the records from the first, each one read into the shared buffer, and
// returns the number of the first whose name matches; 0 when none does.
qint16 buscar(QFile &archivo, const QString &definicion)
{
    const QString buscado = recortar(definicion);
    const qint16 cantidad = cantidadRegistros(archivo);
    if (!archivo.seek(0))
        errorDeAcceso();
    for (qint32 numero = 1; numero <= cantidad; ++numero) {
        const QByteArray bytes = archivo.read(RegistroConsulta::kLargo);
        if (bytes.size() != RegistroConsulta::kLargo)
            errorDeAcceso();
        gRegConsulta.Leer(bytes);
        if (recortar(sinNulos(gRegConsulta.Nombre)).compare(buscado, Qt::CaseInsensitive) == 0)
            return qint16(numero);
    }
    return 0;
}

void escribir(QFile &archivo, qint16 numero, const RegistroConsulta &registro)
{
    const QByteArray bytes = registro.Bytes();
    if (!archivo.seek(qint64(numero - 1) * RegistroConsulta::kLargo) || archivo.write(bytes) != bytes.size()
        || !archivo.flush())
        errorDeAcceso();
}

void llenar(RegistroConsulta &registro, const QString &nombre, const QString &tabla, const QString &campos,
            const QString &condicion)
{
    registro.Nombre = ajustar(nombre, RegistroConsulta::kAnchoNombre);
    registro.Tabla = ajustar(tabla, RegistroConsulta::kAnchoTabla);
    registro.Campos = ajustar(campos, RegistroConsulta::kAnchoCampos);
    registro.Condicion = ajustar(condicion, RegistroConsulta::kAnchoCondicion);
    registro.FinRegistro = QStringLiteral("\r\n");
}

struct Predeterminada
{
    const char *nombre;
    const char *tabla;
    const char *campos;
};

// The definitions a new file starts with, in file order.
constexpr std::array<Predeterminada, 11> kPredeterminadas = {{
    {"ARTICULOS", "V_MA_ARTICULOS", "|DESCRIPCION|IDARTICULO|"},
    {"CLIENTES", "VT_CLIENTES", "|RAZON_SOCIAL|CODIGO|CONTACTO|"},
    {"PROVEEDORES", "VT_PROVEEDORES", "|RAZON_SOCIAL|CODIGO|"},
    {"CONTACTOS", "MA_CONTACTOS", "|Nombre_y_Apellido|Domicilio|Localidad|Telefono|"},
    {"VENDEDORES", "V_TA_VENDEDORES", "|NOMBRE|IDVENDEDOR|"},
    {"TECNICOS", "V_TA_TECNICOS", "|NOMBRE|IDTECNICO|"},
    {"MANTENIMIENTOS", "V_MA_MANTENIMIENTOS", "|DESCRIPCION|CODIGO|"},
    {"CUENTAS", "MA_CUENTAS", "|DESCRIPCION|CODIGO|"},
    {"TAREAS", "V_TA_Tareas", "|Descripcion|IdTarea|"},
    {"UnidadNegocio", "V_TA_UnidadNegocio", "|Descripcion|Codigo|"},
    {"DEPOSITO", "V_TA_DEPOSITO", "|Descripcion|IdDeposito|"},
}};

} // namespace

RegistroConsulta::RegistroConsulta()
    : Nombre(kAnchoNombre, u' ')
    , Tabla(kAnchoTabla, u' ')
    , Campos(kAnchoCampos, u' ')
    , Condicion(kAnchoCondicion, u' ')
    , FinRegistro(QStringLiteral("\r\n"))
{
}

QByteArray RegistroConsulta::Bytes() const
{
    QByteArray bytes;
    bytes.reserve(kLargo);
    bytes += Windows1252::Codificar(ajustar(Nombre, kAnchoNombre));
    bytes += Windows1252::Codificar(ajustar(Tabla, kAnchoTabla));
    bytes += Windows1252::Codificar(ajustar(Campos, kAnchoCampos));
    bytes += Windows1252::Codificar(ajustar(Condicion, kAnchoCondicion));
    bytes += Windows1252::Codificar(ajustar(FinRegistro, kAnchoFinRegistro));
    return bytes;
}

void RegistroConsulta::Leer(QByteArrayView bytes)
{
    QByteArray completo = bytes.first(qMin(bytes.size(), kLargo)).toByteArray();
    if (completo.size() < kLargo)
        completo.append(kLargo - completo.size(), ' ');
    auto campo = [&completo](qsizetype pos, qsizetype ancho) {
        return Windows1252::Decodificar(QByteArrayView(completo).sliced(pos, ancho));
    };
    Nombre = campo(kPosNombre, kAnchoNombre);
    Tabla = campo(kPosTabla, kAnchoTabla);
    Campos = campo(kPosCampos, kAnchoCampos);
    Condicion = campo(kPosCondicion, kAnchoCondicion);
    FinRegistro = campo(kPosFinRegistro, kAnchoFinRegistro);
}

namespace ArchivoConsultas {

bool ExisteEnAuxiliar(const QString &ruta, const QString &Definicion, qint16 &Indice)
{
    QFile archivo(Archivos::UbicarRuta(ruta));
    abrir(archivo, false);
    const qint16 numero = buscar(archivo, Definicion);
    if (numero == 0)
        return false;
    Indice = numero;
    return true;
}

qint16 GuardarDefinicion(const QString &ruta, const QString &Definicion, const QString &Tabla,
                         const QStringList &Columnas, const QString &Condicion)
{
    const QString nombre = recortar(Definicion);
    if (nombre.isEmpty())
        return 0;
    QFile archivo(Archivos::UbicarRuta(ruta));
    abrir(archivo, true);
    qint16 numero = buscar(archivo, nombre);
    if (numero == 0)
        numero = numeroNuevo(archivo);
    llenar(gRegConsulta, nombre, recortar(Tabla), recortar(ArmarListaCampos(Columnas)), recortar(Condicion));
    escribir(archivo, numero, gRegConsulta);
    return numero;
}

DefinicionCargada CargarDefinicion(const QString &ruta, const QString &Definicion)
{
    DefinicionCargada cargada;
    QFile archivo(Archivos::UbicarRuta(ruta));
    abrir(archivo, false);
    // The search stops at the record found, so the buffer already holds it.
    cargada.existe = buscar(archivo, Definicion) != 0;
    if (!cargada.existe)
        return cargada;
    const QString lista = recortar(sinNulos(gRegConsulta.Campos));
    if (lista.isEmpty() || lista == u"|")
        return cargada;
    cargada.columnas = SepararListaCampos(lista);
    cargada.condicion = gRegConsulta.Condicion;
    return cargada;
}

QString ArmarListaCampos(const QStringList &Columnas)
{
    QString lista(1, u'|');
    for (const QString &columna : Columnas)
        lista += recortar(columna) + u'|';
    return lista;
}

QStringList SepararListaCampos(const QString &ListaCampos)
{
    QStringList columnas;
    if (ListaCampos.isEmpty())
        return columnas;
    QStringView resto = QStringView(ListaCampos).sliced(1);
    while (!resto.isEmpty() && resto != u"|") {
        const qsizetype barra = resto.indexOf(u'|');
        // A list cut at the field's width: what follows the last bar is a name
        // that lost its end, so it is not offered as a column.
        if (barra < 0)
            break;
        const QStringView nombre = resto.first(barra);
        if (!recortar(nombre).isEmpty())
            columnas.append(nombre.toString());
        resto = resto.sliced(barra + 1);
    }
    return columnas;
}

void CrearDefinicionesDefault(const QString &ruta)
{
    QFile archivo(Archivos::UbicarRuta(ruta));
    abrir(archivo, true);
    for (const Predeterminada &d : kPredeterminadas) {
        const qint16 numero = numeroNuevo(archivo);
        llenar(gRegConsulta, recortar(QString::fromLatin1(d.nombre)), QString::fromLatin1(d.tabla),
               recortar(QString::fromLatin1(d.campos)), QString());
        escribir(archivo, numero, gRegConsulta);
    }
}

}
