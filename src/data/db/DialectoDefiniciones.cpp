#include "ReglasDialecto.h"

namespace db::reglas {


bool esTipoTexto(const QString &tipo)
{
    const QString u = tipo.toUpper();
    return u == QLatin1String("VARCHAR") || u == QLatin1String("NVARCHAR") || u == QLatin1String("CHAR")
        || u == QLatin1String("NCHAR") || u == QLatin1String("TEXT") || u == QLatin1String("NTEXT");
}

// One column definition: texts ignore letter case and keep their declared length,
// IDENTITY numbers the rows, a DEFAULT in parentheses is a plain constant.
Tokens definirColumna(const Tokens &d, bool alAgregar)
{
    if (d.isEmpty())
        return d;
    Tokens r;
    r.append(d[0]);
    const QString columna = d[0].nombre();
    qsizetype k = 1;
    if (k >= d.size())
        return d;
    // The type, with its length.
    Token tipo = d[k++];
    QString largo;
    Tokens tamano;
    if (k < d.size() && d[k].esSimbolo("(")) {
        const qsizetype c = Cierre(d, k);
        if (c < 0)
            rechazar(QStringLiteral("Tipo sin cerrar en la columna %1").arg(columna));
        tamano = d.mid(k, c - k + 1);
        if (c - k == 2)
            largo = d[k + 1].texto;
        k = c + 1;
    }
    bool identidad = false;
    if (k < d.size() && d[k].es("IDENTITY")) {
        identidad = true;
        ++k;
        if (k < d.size() && d[k].esSimbolo("(")) {
            const qsizetype c = Cierre(d, k);
            k = c < 0 ? d.size() : c + 1;
        }
    }
    const bool esTexto = esTipoTexto(tipo.texto);
    if (identidad) {
        r.append(Nuevo(TipoToken::Palabra, QStringLiteral("INTEGER")));
        bool tieneClave = false;
        for (qsizetype m = k; m < d.size(); ++m)
            if (d[m].es("PRIMARY"))
                tieneClave = true;
        if (!tieneClave)
            r += texto(QStringLiteral("PRIMARY KEY AUTOINCREMENT"));
    } else if (esTexto && largo.compare(QLatin1String("MAX"), Qt::CaseInsensitive) == 0) {
        r.append(Nuevo(TipoToken::Palabra, QStringLiteral("TEXT"), tipo.espacio));
    } else {
        r.append(tipo);
        r += tamano;
    }
    if (esTexto) {
        r += texto(QStringLiteral("COLLATE NOCASE"));
        bool numero = false;
        const int n = largo.toInt(&numero);
        if (numero && n > 0)
            r += texto(QStringLiteral("CONSTRAINT LARGO_%1 CHECK (length(\"%1\") <= %2)").arg(columna).arg(n));
    }
    for (; k < d.size(); ++k) {
        const Token &x = d[k];
        if (x.es("CLUSTERED") || x.es("NONCLUSTERED"))
            continue;
        if (identidad && x.es("KEY")) {
            r.append(x);
            r += texto(QStringLiteral("AUTOINCREMENT"));
            continue;
        }
        if (x.es("DEFAULT") && alAgregar && k + 1 < d.size() && d[k + 1].esSimbolo("(")) {
            // SQLite adds a column only with a constant default, without parentheses.
            const qsizetype c = Cierre(d, k + 1);
            Tokens dentro = d.mid(k + 2, c - k - 2);
            while (dentro.size() >= 2 && dentro.first().esSimbolo("(") && Cierre(dentro, 0) == dentro.size() - 1)
                dentro = dentro.mid(1, dentro.size() - 2);
            const bool constante = (dentro.size() == 1
                                    && (dentro[0].tipo == TipoToken::Numero || dentro[0].tipo == TipoToken::Cadena
                                        || dentro[0].es("NULL")))
                || (dentro.size() == 2 && dentro[0].esSimbolo("-") && dentro[1].tipo == TipoToken::Numero);
            if (!constante)
                rechazar(QStringLiteral("Solo se puede agregar una columna con un valor por defecto constante"));
            r.append(x);
            Tokens v = dentro;
            v.first().espacio = QStringLiteral(" ");
            if (v.size() == 2)
                v[1].espacio.clear();
            r += v;
            k = c;
            continue;
        }
        r.append(x);
    }
    return r;
}

// Splits "( def, def, … )" at its top-level commas.
QList<Tokens> partesEntreComas(const Tokens &t, qsizetype desde, qsizetype hasta)
{
    QList<Tokens> partes;
    Tokens actual;
    int nivel = 0;
    for (qsizetype k = desde; k < hasta; ++k) {
        if (t[k].esSimbolo("("))
            ++nivel;
        else if (t[k].esSimbolo(")"))
            --nivel;
        if (nivel == 0 && t[k].esSimbolo(",")) {
            partes.append(actual);
            actual.clear();
            continue;
        }
        actual.append(t[k]);
    }
    partes.append(actual);
    return partes;
}

bool esRestriccionDeTabla(const Token &x)
{
    return enLista(x, {"CONSTRAINT", "PRIMARY", "UNIQUE", "FOREIGN", "CHECK", "INDEX"});
}

void crearTabla(Tokens &t)
{
    qsizetype abre = -1;
    for (qsizetype k = 0; k < t.size(); ++k)
        if (t[k].esSimbolo("(")) {
            abre = k;
            break;
        }
    if (abre < 0)
        return;
    const qsizetype cierra = Cierre(t, abre);
    if (cierra < 0)
        rechazar(QStringLiteral("CREATE TABLE sin cerrar"));
    Tokens r = t.mid(0, abre + 1);
    const auto partes = partesEntreComas(t, abre + 1, cierra);
    for (qsizetype p = 0; p < partes.size(); ++p) {
        if (p > 0)
            r.append(Nuevo(TipoToken::Simbolo, QStringLiteral(","), QString()));
        const Tokens &d = partes[p];
        Tokens nuevo;
        if (!d.isEmpty() && esRestriccionDeTabla(d[0])) {
            for (const Token &x : d)
                if (!x.es("CLUSTERED") && !x.es("NONCLUSTERED"))
                    nuevo.append(x);
        } else {
            nuevo = definirColumna(d, false);
        }
        r += nuevo;
    }
    r += t.mid(cierra);
    t = r;
}

// "ALTER TABLE T ADD a …, b …" becomes one "ALTER TABLE T ADD COLUMN" per column.
QList<Tokens> agregarColumnas(const Tokens &t)
{
    qsizetype add = -1;
    for (qsizetype k = 0; k < t.size(); ++k)
        if (t[k].es("ADD")) {
            add = k;
            break;
        }
    if (add < 0)
        return {t};
    qsizetype desde = add + 1;
    if (desde < t.size() && t[desde].es("COLUMN"))
        ++desde;
    if (desde < t.size() && esRestriccionDeTabla(t[desde]))
        rechazar(QStringLiteral("ALTER TABLE … ADD CONSTRAINT no tiene equivalente en la base embebida"));
    QList<Tokens> sentencias;
    for (const Tokens &d : partesEntreComas(t, desde, t.size())) {
        Tokens s = t.mid(0, add);
        s += texto(QStringLiteral("ADD COLUMN"));
        Tokens col = definirColumna(d, true);
        if (!col.isEmpty())
            col.first().espacio = QStringLiteral(" ");
        s += col;
        sentencias.append(s);
    }
    return sentencias;
}

}
