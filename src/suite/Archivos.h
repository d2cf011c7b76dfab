#pragma once

#include <QString>

// The suite names its files without regard to letter case ("CONSULTAS.KVD" and
// "consultas.kvd" are one file). On a case-sensitive file system the name is
// matched against what the folder really holds.
namespace Archivos {

// The path of `nombre` inside `carpeta`: the existing entry whose name equals
// it ignoring letter case (an exact match first), or the name as given when
// there is none, so that a new file is created under the name the caller used.
QString Ubicar(const QString &carpeta, const QString &nombre);

// Same for a full path: only the file name part is matched.
QString UbicarRuta(const QString &ruta);

}
