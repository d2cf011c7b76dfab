#include "Archivos.h"

#include <QDir>
#include <QFileInfo>

QString Archivos::Ubicar(const QString &carpeta, const QString &nombre)
{
    QDir dir(carpeta.isEmpty() ? QStringLiteral(".") : carpeta);
    const QString exacto = dir.filePath(nombre);
    if (QFileInfo::exists(exacto) || nombre.isEmpty())
        return exacto;
    const QStringList entradas = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entrada : entradas)
        if (entrada.compare(nombre, Qt::CaseInsensitive) == 0)
            return dir.filePath(entrada);
    return exacto;
}

QString Archivos::UbicarRuta(const QString &ruta)
{
    const QFileInfo info(ruta);
    return Ubicar(info.path(), info.fileName());
}
