#pragma once

#include "suite/ErrorEjecucion.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// One lookup definition as CONSULTAS.KVD holds it: a fixed record of 1202 bytes,
// one byte per character (Windows-1252), every text left-aligned and padded with
// blanks to its width, no terminating NUL, and CR LF at the end of each record.
// The fields hold their text at full width, the way the file has it.
struct RegistroConsulta
{
    static constexpr qsizetype kLargo = 1202;

    static constexpr qsizetype kPosNombre = 0, kAnchoNombre = 100;
    static constexpr qsizetype kPosTabla = 100, kAnchoTabla = 100;
    static constexpr qsizetype kPosCampos = 200, kAnchoCampos = 500;
    static constexpr qsizetype kPosCondicion = 700, kAnchoCondicion = 500;
    static constexpr qsizetype kPosFinRegistro = 1200, kAnchoFinRegistro = 2;

    QString Nombre;      // definition name: the editor's key ("CLIENTES", "RUBROS")
    QString Tabla;       // table or view shown (VT_CLIENTES): the lookup engine's key
    QString Campos;      // chosen columns in display order, as a field list (|A|B|)
    QString Condicion;   // what follows WHERE, blank when there is none
    QString FinRegistro; // CR LF

    // Every field blank, the record end CR LF.
    RegistroConsulta();

    // The record's 1202 bytes; a field longer than its width is cut, a shorter
    // one padded with blanks. Characters the code page cannot hold become "?".
    QByteArray Bytes() const;
    // Reads the fields from one record's bytes, byte for character, NULs and
    // code-page gaps included; a short piece leaves the missing tail blank.
    void Leer(QByteArrayView bytes);
};

// The record buffer that the editor's operations and the writer of the default
// definitions share. Finding and loading leave in it the last record read;
// storing leaves in it the record written (the preview takes its table from here).
inline RegistroConsulta gRegConsulta;

// The definition record file. Each operation opens the file, does its work and
// closes it; opening creates an empty file when there is none. `ruta` is the
// file's full path; its file name is matched whatever its letter case on disk.
// A file that cannot be opened, read or written raises ErrorEjecucion 75, and a
// record number beyond 32,767 raises 6 (overflow). Whatever the bytes of the
// records, reading never fails on them.
namespace ArchivoConsultas {

inline const QString kNombreArchivo = QStringLiteral("CONSULTAS.KVD");
inline constexpr qint32 kRegistrosMaximos = 32767;

// Whether a record named `Definicion` (blanks around it and letter case do not
// count; NULs in the stored name are ignored) exists; when it does, `Indice`
// receives its record number, counted from 1. The first such record wins.
bool ExisteEnAuxiliar(const QString &ruta, const QString &Definicion, qint16 &Indice);

// Stores a definition: replaces the record of that name in place or appends a
// new one (over a trailing piece shorter than a record). Name, table, each
// column name and the condition are stored trimmed and cut to their widths.
// Returns the record number written; 0, with nothing opened, for a blank name.
qint16 GuardarDefinicion(const QString &ruta, const QString &Definicion, const QString &Tabla,
                         const QStringList &Columnas, const QString &Condicion);

struct DefinicionCargada
{
    bool existe = false;
    QStringList columnas; // in display order, each as stored between its bars
    // The stored condition at its full 500 characters, blanks included; empty
    // when there is no record or the record lists no columns.
    QString condicion;
};

// Loads a definition's columns and condition from its record.
DefinicionCargada CargarDefinicion(const QString &ruta, const QString &Definicion);

// The field-list text of the columns: "|" and each trimmed name followed by "|".
QString ArmarListaCampos(const QStringList &Columnas);

// The column names of a field-list text: the leading character is dropped, then
// each name runs to the next "|"; names that are blank are skipped, others kept
// as they stand. A list cut short at its width leaves its last name without the
// closing "|": that incomplete name is left out and the names before it kept.
QStringList SepararListaCampos(const QString &ListaCampos);

// Appends the eleven default definitions (articles, customers, suppliers,
// contacts and the rest) to the file, each after the records already there.
// It does not look for them first: on a file that holds them they are added again.
void CrearDefinicionesDefault(const QString &ruta);

}
