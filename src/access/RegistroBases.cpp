#include "RegistroBases.h"

#include "app/ModGlobal.h"
#include "suite/Archivos.h"
#include "suite/DialogoOperador.h"
#include "suite/LibreriaSuite.h"
#include "suite/Windows1252.h"

#include <QFile>

namespace {

QString recortarEspacios(QStringView texto)
{
    return Cadenas::Compartida().Recortar(texto);
}

bool esBlanco(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool esFinDeLinea(QChar c)
{
    return c == u'\r' || c == u'\n';
}


QByteArray recortarEspacios(const QByteArray &bytes)
{
    qsizetype inicio = 0, fin = bytes.size();
    while (inicio < fin && bytes.at(inicio) == ' ')
        ++inicio;
    while (fin > inicio && bytes.at(fin - 1) == ' ')
        --fin;
    return bytes.mid(inicio, fin - inicio);
}

[[noreturn]] void fallaAcceso(const QFile &archivo)
{
    ErrorEjecucion::Lanzar(Errores::ErrorAccesoArchivo,
                           QStringLiteral("Error de acceso a la ruta o el archivo: ") + archivo.fileName());
}

// The whole file as text; a missing file is an empty text.
QString leerTexto(const QString &ruta)
{
    QFile archivo(ruta);
    if (!archivo.exists())
        return {};
    if (!archivo.open(QIODevice::ReadOnly))
        fallaAcceso(archivo);
    const QByteArray bytes = archivo.readAll();
    if (archivo.error() != QFileDevice::NoError)
        fallaAcceso(archivo);
    return Windows1252::Decodificar(bytes);
}

// Reads the file for a routine of the access window: a failure is told to the
// operator; when `reintentable`, retry reads again. Empty when the routine goes
// on without the file.
QString leerParaRutina(const QString &ruta, const QString &rutina, bool reintentable)
{
    for (;;) {
        try {
            return leerTexto(ruta);
        } catch (const ErrorEjecucion &e) {
            if (ManejarError(e, 18, rutina) != DialogoOperador::vbRetry || !reintentable)
                return {};
        }
    }
}

QByteArray campoEscrito(const QString &valor)
{
    const QString campo = recortarEspacios(valor);
    const bool entreComillas = campo.contains(u',') || campo.contains(u'\r') || campo.contains(u'\n')
        || campo.startsWith(u'"');
    if (!entreComillas)
        return Windows1252::Codificar(campo);
    return '"' + Windows1252::Codificar(QString(campo).replace(u'"', QStringLiteral("\"\""))) + '"';
}

} // namespace

// ---- LectorBases ----

LectorBases::LectorBases(const QString &texto)
    : m_texto(texto)
{
}

void LectorBases::SaltarBlancos()
{
    while (m_pos < m_texto.size() && esBlanco(m_texto.at(m_pos)))
        ++m_pos;
}

void LectorBases::SaltarLineasEnBlanco()
{
    while (m_pos < m_texto.size() && (esBlanco(m_texto.at(m_pos)) || esFinDeLinea(m_texto.at(m_pos))))
        ++m_pos;
}

bool LectorBases::Fin()
{
    qsizetype p = m_pos;
    while (p < m_texto.size() && (esBlanco(m_texto.at(p)) || esFinDeLinea(m_texto.at(p))))
        ++p;
    return p >= m_texto.size();
}

QString LectorBases::LeerCampo()
{
    // A field that begins a line may be preceded by blank lines; one that
    // follows a comma ends at the line end, empty if nothing is in between.
    const bool inicioDeLinea = m_pos == 0 || esFinDeLinea(m_texto.at(m_pos - 1));
    if (inicioDeLinea)
        SaltarLineasEnBlanco();
    else
        SaltarBlancos();

    QString campo;
    const qsizetype total = m_texto.size();
    if (m_pos < total && m_texto.at(m_pos) == u'"') {
        ++m_pos;
        while (m_pos < total) {
            const QChar c = m_texto.at(m_pos++);
            if (c != u'"') {
                campo.append(c);
            } else if (m_pos < total && m_texto.at(m_pos) == u'"') {
                campo.append(c);
                ++m_pos;
            } else {
                break;
            }
        }
        // Whatever stands between the closing quote and the separator is dropped.
        while (m_pos < total && m_texto.at(m_pos) != u',' && !esFinDeLinea(m_texto.at(m_pos)))
            ++m_pos;
    } else {
        const qsizetype inicio = m_pos;
        while (m_pos < total && m_texto.at(m_pos) != u',' && !esFinDeLinea(m_texto.at(m_pos)))
            ++m_pos;
        qsizetype fin = m_pos;
        while (fin > inicio && esBlanco(m_texto.at(fin - 1)))
            --fin;
        campo = m_texto.mid(inicio, fin - inicio);
    }

    if (m_pos < total) {
        const QChar separador = m_texto.at(m_pos++);
        if (separador == u'\r' && m_pos < total && m_texto.at(m_pos) == u'\n')
            ++m_pos;
    }
    return campo;
}

RegistroBase LectorBases::Siguiente()
{
    RegistroBase r;
    r.Nombre = LeerCampo();
    r.DbName = LeerCampo();
    r.Login = LeerCampo();
    r.Password = LeerCampo();
    r.Servidor = LeerCampo();
    return r;
}

// ---- RegistroBases ----

QString RegistroBases::Ruta()
{
    return Archivos::Ubicar(ContextoAplicacion::Compartido().CarpetaAplicacion(), NombreArchivo());
}

QByteArray RegistroBases::LineaRegistro(const RegistroBase &r)
{
    return campoEscrito(r.Nombre) + ',' + campoEscrito(r.DbName) + ',' + campoEscrito(r.Login) + ','
        + campoEscrito(r.Password) + ',' + campoEscrito(r.Servidor);
}

void RegistroBases::AgregarBase(const QString &ruta, const QString &Nombre, const QString &DbName,
                                const QString &Login, const QString &Password, const QString &Servidor)
{
    const QString codificado = Cadenas::Compartida().Codificar(Password);

    QByteArray anterior;
    {
        QFile archivo(ruta);
        if (archivo.exists()) {
            if (!archivo.open(QIODevice::ReadOnly))
                fallaAcceso(archivo);
            anterior = archivo.readAll();
        }
    }
    // The text after the last CR LF: anything but blanks there is a last line
    // still waiting for its line break.
    const qsizetype ultimoSalto = anterior.lastIndexOf("\r\n");
    const QByteArray ultimaPieza = ultimoSalto < 0 ? anterior : anterior.mid(ultimoSalto + 2);

    QByteArray linea;
    if (!recortarEspacios(ultimaPieza).isEmpty())
        linea += '\r';
    linea += LineaRegistro({Nombre, DbName, Login, codificado, Servidor}) + "\r\n";

    QFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly | QIODevice::Append) || archivo.write(linea) != linea.size())
        fallaAcceso(archivo);
    archivo.close();
    if (archivo.error() != QFileDevice::NoError)
        fallaAcceso(archivo);
}

void RegistroBases::AgregarBase(const QString &Nombre, const QString &DbName, const QString &Login,
                                const QString &Password, const QString &Servidor)
{
    AgregarBase(Ruta(), Nombre, DbName, Login, Password, Servidor);
}

QList<RegistroBase> RegistroBases::LeerRegistros(const QString &texto)
{
    QList<RegistroBase> registros;
    LectorBases lector(texto);
    while (!lector.Fin())
        registros.append(lector.Siguiente());
    return registros;
}

QStringList RegistroBases::ListarNombres(const QString &ruta)
{
    QStringList nombres;
    if (!ExisteArchivo(ruta))
        return nombres;
    LectorBases lector(leerParaRutina(ruta, QStringLiteral("FormLoad"), true));
    while (!lector.Fin()) {
        const RegistroBase r = lector.Siguiente();
        if (!recortarEspacios(r.Nombre).isEmpty())
            nombres.append(r.Nombre);
    }
    return nombres;
}

bool RegistroBases::BuscarBase(const QString &ruta, const QString &nombre, QString &Servidor, QString &DbName)
{
    if (!ExisteArchivo(ruta))
        return false;
    const QString buscado = recortarEspacios(nombre);
    LectorBases lector(leerParaRutina(ruta, QStringLiteral("DatosBase"), false));
    while (!lector.Fin()) {
        const RegistroBase r = lector.Siguiente();
        if (recortarEspacios(r.Nombre) == buscado) {
            Servidor = r.Servidor;
            DbName = r.DbName;
            return true;
        }
    }
    return false;
}

bool ExisteArchivo(const QString &ruta)
{
    QString limpia = ruta;
    limpia.remove(u'"');
    if (limpia.isEmpty())
        return false;
    QFile archivo(limpia);
    return archivo.open(QIODevice::ReadOnly);
}
