#pragma once

#include "suite/Plataforma.h"

#include <QDateTime>
#include <QString>
#include <QTemporaryDir>

// A pinned world for one test: an application folder of its own in a temporary
// directory, the clock at a fixed moment, day/month/year with "/" and decimal
// comma, a system folder of its own, and "ending the program at once" observed
// instead of ending the test process (it throws ProgramaTerminado). Everything is
// restored on destruction.
class EntornoPrueba
{
public:
    explicit EntornoPrueba(const QDateTime &ahora = QDateTime(QDate(2024, 3, 25), QTime(14, 7, 55)));
    ~EntornoPrueba();

    QString carpeta() const;        // application folder, with trailing "/"
    QString carpetaSistema() const; // with trailing "/"
    QString ruta(const QString &nombre) const { return carpeta() + nombre; }
    int terminaciones() const { return m_terminaciones; }

    void fijarAhora(const QDateTime &ahora) { m_ahora = ahora; }

private:
    QTemporaryDir m_dir;
    QDateTime m_ahora;
    int m_terminaciones = 0;
    QByteArray m_temp, m_tmp;
};

// Writes bytes to a file, creating its folder.
bool EscribirArchivo(const QString &ruta, const QByteArray &bytes);
QByteArray LeerArchivo(const QString &ruta);
// Tests run as root, who writes whatever the permission bits say; the
// immutable attribute is what makes a file really unwritable.
bool FijarInmutable(const QString &ruta, bool inmutable);
