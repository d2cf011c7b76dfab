#include "LibreriaSuite.h"

#include "Archivos.h"
#include "DialogoOperador.h"
#include "Plataforma.h"
#include "Windows1252.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QSysInfo>
#include <QUrl>
#include <QtMath>

#include <pwd.h>
#include <unistd.h>

// ---- ContextoAplicacion ----

ContextoAplicacion &ContextoAplicacion::Compartido()
{
    static ContextoAplicacion contexto;
    return contexto;
}

QString ContextoAplicacion::CarpetaAplicacion() const
{
    if (!m_carpeta.isEmpty())
        return Cadenas::Compartida().CarpetaConBarra(m_carpeta);
    const QString carpeta = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                                         : QDir::currentPath();
    return Cadenas::Compartida().CarpetaConBarra(carpeta);
}

QString ContextoAplicacion::NombreEjecutable() const
{
    if (!m_ejecutable.isEmpty())
        return m_ejecutable;
    if (QCoreApplication::instance())
        return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return QStringLiteral("DefConsultas");
}

void ContextoAplicacion::AsignarCarpeta(const QString &carpeta)
{
    m_carpeta = carpeta;
}

void ContextoAplicacion::AsignarNombreEjecutable(const QString &nombre)
{
    m_ejecutable = nombre;
}

// ---- ArchivoIni ----

ArchivoIni &ArchivoIni::Compartido()
{
    static ArchivoIni ini;
    return ini;
}

namespace {

QString rutaIni(const QString &archivo)
{
    if (QFileInfo(archivo).isAbsolute())
        return Archivos::UbicarRuta(archivo);
    return Archivos::Ubicar(ContextoAplicacion::Compartido().CarpetaAplicacion(), archivo);
}

// Settings files written on the suite's other workstations are in the ANSI code
// page; ones edited here are UTF-8. A text that is valid UTF-8 is read as such.
QString textoIni(const QByteArray &bytes)
{
    auto decodificador = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString texto = decodificador(bytes);
    if (decodificador.hasError())
        texto = Windows1252::Decodificar(bytes);
    if (texto.startsWith(QChar(0xFEFF)))
        texto.remove(0, 1);
    return texto;
}

template <typename F>
void recorrerSeccion(const QString &archivo, const QString &seccion, F &&alEncontrar)
{
    QFile f(rutaIni(archivo));
    if (!f.open(QIODevice::ReadOnly))
        return;
    const QString texto = textoIni(f.readAll());
    bool dentro = false;
    for (QStringView linea : QStringView(texto).split(u'\n')) {
        linea = linea.trimmed();
        if (linea.isEmpty() || linea.startsWith(u';') || linea.startsWith(u'#'))
            continue;
        if (linea.startsWith(u'[')) {
            const qsizetype cierre = linea.indexOf(u']');
            dentro = cierre > 0 && linea.mid(1, cierre - 1).trimmed().compare(seccion, Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype igual = linea.indexOf(u'=');
        if (!dentro || igual <= 0)
            continue; // a line without "=" or without a key is passed over
        if (!alEncontrar(linea.left(igual).trimmed().toString(), linea.mid(igual + 1).trimmed().toString()))
            return;
    }
}

} // namespace

QString ArchivoIni::LeerIni(const QString &archivo, const QString &seccion, const QString &clave,
                            const QString &porDefecto) const
{
    QString valor = porDefecto;
    recorrerSeccion(archivo, seccion, [&](const QString &k, const QString &v) {
        if (k.compare(clave, Qt::CaseInsensitive) != 0)
            return true;
        valor = v;
        return false;
    });
    return valor;
}

QList<QPair<QString, QString>> ArchivoIni::LeerSeccion(const QString &archivo, const QString &seccion) const
{
    QList<QPair<QString, QString>> pares;
    recorrerSeccion(archivo, seccion, [&](const QString &k, const QString &v) {
        pares.append({k, v});
        return true;
    });
    return pares;
}

// ---- Equipo ----

Equipo &Equipo::Compartido()
{
    static Equipo equipo;
    return equipo;
}

QString Equipo::NombreEquipo() const
{
    return QSysInfo::machineHostName();
}

QString Equipo::UsuarioEquipo() const
{
    // USER and LOGNAME may be unset (services, CI): ask the password database.
    if (const passwd *pw = ::getpwuid(::geteuid()); pw && pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name);
    return qEnvironmentVariable("USER");
}

QString Equipo::CarpetaSistema() const
{
    if (!m_carpetaSistema.isEmpty())
        return m_carpetaSistema;
    // The machine-wide folder that survives restarts and every user may write.
    const QFileInfo varTmp(QStringLiteral("/var/tmp"));
    if (varTmp.isDir() && varTmp.isWritable())
        return varTmp.absoluteFilePath();
    return QDir::tempPath();
}

void Equipo::AsignarCarpetaSistema(const QString &carpeta)
{
    m_carpetaSistema = carpeta;
}

bool Equipo::AbrirDocumento(int, const QString &, const QString &destino, const QString &,
                            const QString &, int) const
{
    QString ruta = destino.trimmed();
    if (ruta.size() >= 2 && ruta.startsWith(u'"') && ruta.endsWith(u'"'))
        ruta = ruta.mid(1, ruta.size() - 2);
    const QUrl url = QFileInfo::exists(ruta) ? QUrl::fromLocalFile(QFileInfo(ruta).absoluteFilePath())
                                             : QUrl::fromUserInput(ruta);
    return QDesktopServices::openUrl(url);
}

// ---- Cadenas ----

Cadenas &Cadenas::Compartida()
{
    static Cadenas cadenas;
    return cadenas;
}

QString Cadenas::CarpetaConBarra(const QString &carpeta) const
{
    QString c = carpeta;
    while (c.size() > 1 && (c.endsWith(u'/') || c.endsWith(u'\\')))
        c.chop(1);
    if (c == u"/")
        return c;
    return c + u'/';
}

namespace {

// Passwords are encoded within two alphabets so the stored form stays the same
// length and of the same kind of characters: printable ASCII without the
// apostrophe (so an ordinary stored password never needs quoting), and the rest
// of the Basic Multilingual Plane below the surrogates. Other code units
// (controls, the apostrophe, surrogates, private use) are kept as they are.
constexpr char16_t kAsciiDesde = 0x20, kAsciiHasta = 0x7E, kApostrofe = u'\'';
constexpr int kAsciiTamano = kAsciiHasta - kAsciiDesde; // 95 characters less the apostrophe
constexpr char16_t kAmplioDesde = 0xA0, kAmplioHasta = 0xD7FF;
constexpr int kAmplioTamano = kAmplioHasta - kAmplioDesde + 1;

int indiceAscii(char16_t c) { return c - kAsciiDesde - (c > kApostrofe ? 1 : 0); }
char16_t caracterAscii(int i) { char16_t c = char16_t(kAsciiDesde + i); return c >= kApostrofe ? c + 1 : c; }

int desplazamiento(qsizetype posicion)
{
    const qint64 p = posicion;
    return int((29 + 17 * p + 3 * p * p) % 9973);
}

QString rotar(const QString &texto, int signo)
{
    QString r = texto;
    for (qsizetype i = 0; i < r.size(); ++i) {
        const char16_t c = r.at(i).unicode();
        const int d = desplazamiento(i) * signo;
        if (c >= kAsciiDesde && c <= kAsciiHasta && c != kApostrofe) {
            const int n = ((indiceAscii(c) + d) % kAsciiTamano + kAsciiTamano) % kAsciiTamano;
            r[i] = QChar(caracterAscii(n));
        } else if (c >= kAmplioDesde && c <= kAmplioHasta) {
            const int n = ((c - kAmplioDesde + d) % kAmplioTamano + kAmplioTamano) % kAmplioTamano;
            r[i] = QChar(char16_t(kAmplioDesde + n));
        }
    }
    return r;
}

} // namespace

QString Cadenas::Codificar(const QString &texto) const
{
    return rotar(texto, +1);
}

QString Cadenas::Decodificar(const QString &codificado) const
{
    return rotar(codificado, -1);
}

QVariant Cadenas::ValorCampo(const QVariant &valor) const
{
    return valor.isNull() ? QVariant(QString()) : valor;
}

QString Cadenas::QuitarCaracteres(const QString &texto, QChar c1, QChar c2, QChar c3) const
{
    QString r;
    r.reserve(texto.size());
    for (QChar c : texto)
        if (c != c1 && c != c2 && c != c3)
            r.append(c);
    return r;
}

QString Cadenas::Reemplazar(const QString &texto, const QString &buscado, const QString &reemplazo) const
{
    if (buscado.isEmpty())
        return texto;
    return QString(texto).replace(buscado, reemplazo);
}

QString Cadenas::Recortar(QStringView texto) const
{
    qsizetype inicio = 0, fin = texto.size();
    while (inicio < fin && texto.at(inicio) == u' ')
        ++inicio;
    while (fin > inicio && texto.at(fin - 1) == u' ')
        --fin;
    return texto.mid(inicio, fin - inicio).toString();
}

QString Cadenas::Rellenar(const QString &texto, int ancho) const
{
    if (ancho <= 0)
        return {};
    return texto.left(ancho).leftJustified(ancho, u' ');
}

QString Cadenas::Formatear(const QString &texto, int ancho) const
{
    return texto.rightJustified(qMax(ancho, 0), u' ', false);
}

double Cadenas::ValorNumerico(const QString &texto) const
{
    const QChar regional = Plataforma::Configuracion().separadorDecimal;
    QString t = texto.trimmed();
    t.remove(u' ');
    t.remove(u'$');
    if (t.isEmpty())
        return 0;
    // With the regional separator present, any other "." or "," groups thousands.
    // Without it, a single point is the decimal point and repeated ones group.
    QChar decimal = regional;
    if (!t.contains(regional)) {
        const QChar otro = regional == u'.' ? u',' : u'.';
        decimal = t.count(otro) == 1 ? otro : QChar();
    }
    QString normal;
    normal.reserve(t.size());
    for (QChar c : t) {
        if (c == decimal)
            normal.append(u'.');
        else if (c == u'.' || c == u',')
            continue;
        else
            normal.append(c);
    }
    bool ok = false;
    const double v = normal.toDouble(&ok);
    if (!ok || !qIsFinite(v))
        return 0;
    return std::round(v * 10000.0) / 10000.0;
}

int Cadenas::ContarPalabras(const QString &texto) const
{
    int palabras = 0;
    bool enPalabra = false;
    for (QChar c : texto) {
        const bool blanco = c == u' ' || c == u'\t';
        if (!blanco && !enPalabra)
            ++palabras;
        enPalabra = !blanco;
    }
    return palabras;
}

int Cadenas::ResponderError(const ErrorEjecucion &error, int estilo, const QString &contexto) const
{
    if (estilo < 0)
        estilo = DialogoOperador::vbAbortRetryIgnore | DialogoOperador::vbCritical;
    QString texto = QStringLiteral("Error %1: %2").arg(error.Number).arg(error.Description.trimmed());
    if (!contexto.isEmpty())
        texto = contexto + u'\r' + texto;
    return Operador().MsgBox(texto, estilo, error.Source);
}

// ---- DialogoArchivo ----

bool DialogoArchivo::ShowOpen()
{
    FileName = Operador().AbrirArchivo(DialogTitle, Filter, InitDir);
    return !FileName.isEmpty();
}

// ---- Teclado ----

Teclado &Teclado::Compartido()
{
    static Teclado teclado;
    return teclado;
}

bool Teclado::TeclaAceptar(int codigoTecla) const
{
    constexpr int vbKeyReturn = 13;
    return codigoTecla == vbKeyReturn || codigoTecla == Qt::Key_Return || codigoTecla == Qt::Key_Enter;
}
