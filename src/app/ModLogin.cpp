#include "ModLogin.h"

#include "Sesion.h"
#include "data/DB_Dll.h"
#include "suite/LibreriaSuite.h"

namespace {

// A user name inside a statement: its apostrophes doubled, so that a name
// typed at the login can never change what the statement asks.
QString literal(const QString &texto)
{
    return u'\'' + QString(texto).replace(u'\'', QStringLiteral("''")) + u'\'';
}

QString passwordGuardada(db::Recordset &rs)
{
    const Cadenas &c = Cadenas::Compartida();
    return c.Decodificar(c.ValorCampo(rs.Fields(QStringLiteral("PassWord")).Value()).toString());
}

} // namespace

QString ExtraerServidor(const QString &servidor)
{
    QString r = servidor;
    if (const qsizetype barra = r.indexOf(u'/'); barra >= 0)
        r = r.mid(barra + 1);
    if (const qsizetype dosPuntos = r.indexOf(u':'); dosPuntos >= 0)
        r = r.left(dosPuntos);
    return r;
}

bool ValidarUsuario(QString &Usuario, QString &Password)
{
    DB_Dll &db = DB_Dll::Compartido();
    if (Usuario.compare(db.gDBName, Qt::CaseInsensitive) == 0) {
        gUsuarioLogeado = Usuario;
        return true;
    }
    const bool talvex = ContextoAplicacion::Compartido().NombreEjecutable().compare(QStringLiteral("TALVEX"),
                                                                                    Qt::CaseInsensitive)
        == 0;
    QString sentencia = QStringLiteral("SELECT * FROM TA_USUARIOS WHERE NOMBRE = ") + literal(Usuario.trimmed())
        + (talvex ? QStringLiteral(" AND SISTEMA = 'TALVEX'")
                  : QStringLiteral(" AND (SISTEMA = 'mx200ps' OR SISTEMA = 'VEXA')"));
    db::Recordset rs;
    db.AbrirRecordset(sentencia, rs, nullptr, db::adOpenForwardOnly, db::adLockReadOnly, -1, true);
    bool valido = false;
    if (rs.State() == db::adStateOpen && !rs.Eof()) {
        rs.MoveFirst();
        gUsuarioLogeado = Usuario;
        valido = passwordGuardada(rs).compare(Password, Qt::CaseInsensitive) == 0;
        const QVariant admin = rs.Fields(QStringLiteral("Administrador")).Value();
        db.gEsAdmin = admin.typeId() == QMetaType::QString ? Cadenas::Compartida().ValorNumerico(admin.toString()) != 0
                                                           : admin.toBool();
    }
    db.CierraRecordset(rs);
    return valido;
}

void ResolverPasswordGuardada()
{
    DB_Dll &db = DB_Dll::Compartido();
    QString sentencia = QStringLiteral("Select * from ta_usuarios  with(nolock)  where Nombre = ") + literal(gUsuarioLogeado);
    db::Recordset rs;
    db.AbrirRecordset(sentencia, rs);
    if (rs.State() == db::adStateOpen && !rs.Eof())
        gPassword = passwordGuardada(rs);
    db.CierraRecordset(rs);
}
