#pragma once

#include "ErrorEjecucion.h"

#include <QString>
#include <QVariant>

// The suite's shared runtime library: settings file, workstation identity,
// string utilities, password encoding, the file dialog, the key test and the
// error-report dialog. Each class has one shared instance per process, created
// on first use (`Cadenas::Compartida()` and so on).

// The application folder and the executable name, as the program reports them.
class ContextoAplicacion
{
public:
    static ContextoAplicacion &Compartido();

    // The program's folder with a trailing separator.
    QString CarpetaAplicacion() const;
    // The program file's name without its extension ("DefConsultas").
    QString NombreEjecutable() const;

    // The start-up hands the library the application folder.
    void AsignarCarpeta(const QString &carpeta);
    // Tests and the start-up may name another executable.
    void AsignarNombreEjecutable(const QString &nombre);

private:
    QString m_carpeta;
    QString m_ejecutable;
};

// The suite's settings file ("MX200ps.INI" in the application folder).
class ArchivoIni
{
public:
    static ArchivoIni &Compartido();
    static QString NombreArchivoSuite() { return QStringLiteral("MX200ps.INI"); }

    // The text stored under `clave` of `seccion` (both ignoring letter case),
    // or `porDefecto`. A bare file name is looked for in the application folder
    // whatever the letter case of its name; broken lines are passed over.
    QString LeerIni(const QString &archivo, const QString &seccion, const QString &clave,
                    const QString &porDefecto = {}) const;

    // Every key and value of a section, in file order (keys as written).
    QList<QPair<QString, QString>> LeerSeccion(const QString &archivo, const QString &seccion) const;
};

class Equipo
{
public:
    static Equipo &Compartido();

    QString NombreEquipo() const;
    QString UsuarioEquipo() const;
    // A writable per-machine folder (used for the error log when TMP is not set).
    QString CarpetaSistema() const;
    void AsignarCarpetaSistema(const QString &carpeta);

    // Opens `destino` (quoted when it has spaces) with the desktop's program for it.
    bool AbrirDocumento(int ventana, const QString &operacion, const QString &destino,
                        const QString &parametros, const QString &directorio, int modoVentana) const;

private:
    QString m_carpetaSistema;
};

class Cadenas
{
public:
    static Cadenas &Compartida();

    QString CarpetaConBarra(const QString &carpeta) const;

    // The stored form of a password and back. Same length as the text, never
    // readable as it stands, and every text comes back unchanged.
    QString Codificar(const QString &texto) const;
    QString Decodificar(const QString &codificado) const;

    // A field's value, with Null read as an empty text.
    QVariant ValorCampo(const QVariant &valor) const;

    QString QuitarCaracteres(const QString &texto, QChar c1, QChar c2 = QChar(0xFFFF),
                             QChar c3 = QChar(0xFFFF)) const;
    QString Reemplazar(const QString &texto, const QString &buscado, const QString &reemplazo) const;
    // Without the blanks at both ends. Only blanks: the suite pads its fields
    // with them, and a tab or a non-breaking space is part of the text.
    QString Recortar(QStringView texto) const;
    // Left-aligned, blank-padded or cut to exactly `ancho` characters.
    QString Rellenar(const QString &texto, int ancho) const;
    // Right-aligned in `ancho` characters ("1" in 4 gives "   1"); a longer
    // text is returned whole, never cut.
    QString Formatear(const QString &texto, int ancho) const;
    // The number in a text, with the regional or the point decimal separator,
    // rounded to currency precision (four decimals); 0 for a non-number.
    double ValorNumerico(const QString &texto) const;
    // Words separated by blanks (spaces or tabs).
    int ContarPalabras(const QString &texto) const;

    // Tells the operator of a run-time error and returns the answer
    // (4 repeat, 5 ignore). `estilo` defaults to abort/retry/ignore, critical.
    int ResponderError(const ErrorEjecucion &error, int estilo = -1, const QString &contexto = {}) const;
};

// The open-file dialog with its title, filter and chosen file.
class DialogoArchivo
{
public:
    QString DialogTitle;
    QString Filter;
    QString FileName;
    QString InitDir;

    // Shows the dialog; false (and an empty FileName) when nothing was chosen.
    bool ShowOpen();
};

class Teclado
{
public:
    static Teclado &Compartido();
    // True for the keys that accept what was typed: Enter, on either keypad.
    bool TeclaAceptar(int codigoTecla) const;
};
