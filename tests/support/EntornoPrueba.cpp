#include "EntornoPrueba.h"

#include "suite/LibreriaSuite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

EntornoPrueba::EntornoPrueba(const QDateTime &ahora)
    : m_ahora(ahora)
    , m_temp(qgetenv("TEMP"))
    , m_tmp(qgetenv("TMP"))
{
    QDir(m_dir.path()).mkpath(QStringLiteral("app"));
    QDir(m_dir.path()).mkpath(QStringLiteral("sistema"));
    ContextoAplicacion::Compartido().AsignarCarpeta(m_dir.filePath(QStringLiteral("app")));
    ContextoAplicacion::Compartido().AsignarNombreEjecutable(QStringLiteral("DefConsultas"));
    Equipo::Compartido().AsignarCarpetaSistema(m_dir.filePath(QStringLiteral("sistema")));
    Plataforma::EstablecerReloj([this] { return m_ahora; });
    Plataforma::EstablecerRegional(Regional{});
    Plataforma::EstablecerTerminacion([this] {
        ++m_terminaciones;
        throw ProgramaTerminado{};
    });
    qunsetenv("TEMP");
    qunsetenv("TMP");
}

EntornoPrueba::~EntornoPrueba()
{
    Plataforma::Restablecer();
    ContextoAplicacion::Compartido().AsignarCarpeta({});
    ContextoAplicacion::Compartido().AsignarNombreEjecutable({});
    Equipo::Compartido().AsignarCarpetaSistema({});
    qputenv("TEMP", m_temp);
    qputenv("TMP", m_tmp);
}

QString EntornoPrueba::carpeta() const
{
    return m_dir.filePath(QStringLiteral("app")) + u'/';
}

QString EntornoPrueba::carpetaSistema() const
{
    return m_dir.filePath(QStringLiteral("sistema")) + u'/';
}

bool EscribirArchivo(const QString &ruta, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(ruta).path());
    QFile f(ruta);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray LeerArchivo(const QString &ruta)
{
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool FijarInmutable(const QString &ruta, bool inmutable)
{
    const int fd = ::open(QFile::encodeName(ruta).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    int atributos = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &atributos) == 0;
    if (ok) {
        atributos = inmutable ? (atributos | FS_IMMUTABLE_FL) : (atributos & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &atributos) == 0;
    }
    ::close(fd);
    return ok;
}
