#include "OperadorGuionado.h"

#include <QTest>

namespace {
const char *nombreTipo(OperadorGuionado::Tipo t)
{
    switch (t) {
    case OperadorGuionado::Tipo::Mensaje: return "mensaje";
    case OperadorGuionado::Tipo::Entrada: return "entrada";
    case OperadorGuionado::Tipo::Archivo: return "archivo";
    }
    return "?";
}
}

OperadorGuionado::OperadorGuionado()
{
    EstablecerOperador(this);
}

OperadorGuionado::~OperadorGuionado()
{
    EstablecerOperador(nullptr);
}

OperadorGuionado &OperadorGuionado::responder(int respuesta)
{
    m_respuestas.push_back({Tipo::Mensaje, respuesta, {}, true, {}});
    return *this;
}

OperadorGuionado &OperadorGuionado::responder(int respuesta, std::function<void()> alResponder)
{
    m_respuestas.push_back({Tipo::Mensaje, respuesta, {}, true, std::move(alResponder)});
    return *this;
}

OperadorGuionado &OperadorGuionado::escribir(const QString &texto)
{
    m_respuestas.push_back({Tipo::Entrada, 0, texto, true, {}});
    return *this;
}

OperadorGuionado &OperadorGuionado::cancelarEntrada()
{
    m_respuestas.push_back({Tipo::Entrada, 0, {}, false, {}});
    return *this;
}

OperadorGuionado &OperadorGuionado::elegirArchivo(const QString &ruta)
{
    m_respuestas.push_back({Tipo::Archivo, 0, ruta, !ruta.isEmpty(), {}});
    return *this;
}

QString OperadorGuionado::describir() const
{
    QString s;
    for (const Mostrado &m : m_mostrados)
        s += QStringLiteral("  [%1] título «%2» estilo %3: «%4»\n")
                 .arg(QLatin1String(nombreTipo(m.tipo)), m.titulo)
                 .arg(m.estilo)
                 .arg(m.texto);
    return s.isEmpty() ? QStringLiteral("  (nada)\n") : s;
}

void OperadorGuionado::limpiar()
{
    m_mostrados.clear();
    m_respuestas.clear();
}

bool OperadorGuionado::tomar(Tipo tipo, Respuesta &respuesta)
{
    if (m_respuestas.empty() || m_respuestas.front().tipo != tipo) {
        const QString motivo = QStringLiteral("Diálogo inesperado (%1); el operador vio:\n%2")
                                   .arg(QLatin1String(nombreTipo(tipo)), describir());
        QTest::qFail(qPrintable(motivo), __FILE__, __LINE__);
        return false;
    }
    respuesta = m_respuestas.front();
    m_respuestas.pop_front();
    return true;
}

int OperadorGuionado::MsgBox(const QString &texto, int estilo, const QString &titulo)
{
    m_mostrados.append({Tipo::Mensaje, texto, titulo, estilo});
    Respuesta r;
    if (!tomar(Tipo::Mensaje, r))
        return Botones(estilo) == vbOKOnly ? vbOK : vbCancel;
    if (r.alResponder)
        r.alResponder();
    return r.codigo;
}

QString OperadorGuionado::InputBox(const QString &pregunta, const QString &titulo, const QString &,
                                   bool *aceptado)
{
    m_mostrados.append({Tipo::Entrada, pregunta, titulo, 0});
    Respuesta r;
    const bool hay = tomar(Tipo::Entrada, r);
    if (aceptado)
        *aceptado = hay && r.aceptado;
    return hay ? r.texto : QString();
}

QString OperadorGuionado::AbrirArchivo(const QString &titulo, const QString &filtro, const QString &)
{
    m_mostrados.append({Tipo::Archivo, filtro, titulo, 0});
    Respuesta r;
    return tomar(Tipo::Archivo, r) ? r.texto : QString();
}
