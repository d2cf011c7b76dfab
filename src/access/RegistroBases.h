#pragma once

#include <QString>
#include <QStringList>

// One registered connection of BASES.TXT: name ("VENTAS / SRV01"), database,
// login, encoded password and server, in the order of the file's fields.
struct RegistroBase
{
    QString Nombre;
    QString DbName;
    QString Login;
    QString Password;
    QString Servidor;
};

// Reads the records of a registered-connections text. Fields are separated by
// commas; a line end (CR LF, a lone CR or a lone LF) also ends a field but never
// a record: a record is always the next five fields, however they are spread
// over lines. Blank lines hold no field. Each field loses its leading and
// trailing blanks; a field that starts with a double quote runs to the closing
// quote (commas and line ends inside it included, a doubled quote standing for
// one quote) and is taken without its quotes. Fields missing at the end of the
// text read as empty.
class LectorBases
{
public:
    explicit LectorBases(const QString &texto);

    // True when only blanks and line ends remain.
    bool Fin();
    RegistroBase Siguiente();

private:
    QString LeerCampo();
    void SaltarBlancos();
    void SaltarLineasEnBlanco();

    QString m_texto;
    qsizetype m_pos = 0;
};

// The registered-connections file BASES.TXT in the application folder: one line
// per connection, written in the ANSI code page and ended by CR LF.
namespace RegistroBases {

inline QString NombreArchivo() { return QStringLiteral("BASES.TXT"); }

// The file's path in the application folder, whatever the letter case of the
// name it has there.
QString Ruta();

// One line of the file without its line end: the five fields trimmed and
// joined by commas. A field holding a comma, or starting with a double quote,
// is written between double quotes so that it reads back as one field.
QByteArray LineaRegistro(const RegistroBase &registro);

// Appends one record to the file at `ruta` (created when missing). The password
// is encoded here. When the file's last line has no line break, the new line
// starts with a lone CR, which ends that line for the readers.
// Throws ErrorEjecucion when the file cannot be read or written.
void AgregarBase(const QString &ruta, const QString &Nombre, const QString &DbName, const QString &Login,
                 const QString &Password, const QString &Servidor);
// The same on the application folder's file.
void AgregarBase(const QString &Nombre, const QString &DbName, const QString &Login, const QString &Password,
                 const QString &Servidor);

// Every record of the text, in order.
QList<RegistroBase> LeerRegistros(const QString &texto);

// The names of the file's records, in file order, leaving out records whose
// trimmed name is empty. A missing file gives no names. A failure to read is
// reported to the operator (routine "FormLoad"): retry reads again, ignore and
// abort give the names read so far.
QStringList ListarNombres(const QString &ruta);

// The server and database of the first record whose trimmed name equals the
// trimmed `nombre` (letter case counts). False, with both left as they were,
// when there is none or the file is missing; a failure to read is reported to
// the operator (routine "DatosBase").
bool BuscarBase(const QString &ruta, const QString &nombre, QString &Servidor, QString &DbName);

}

// True when the file can be opened for reading; double quotes in the path are
// removed first. An unreadable file counts as absent.
bool ExisteArchivo(const QString &ruta);
