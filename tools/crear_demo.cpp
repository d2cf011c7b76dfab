// crear_demo FOLDER [ROWS]: writes the demo company database EMPRESA.db and the
// statistics database KV_ESTADISTICAS.db of the embedded backend into FOLDER.
// The same arguments always give the same databases. ROWS (default 5000, at most
// 1,000,000) customers and as many articles; the other tables scale from it.
//
// The application user ADMIN (password ADMIN, stored encoded) is an administrator;
// JUAN (password juan) is not. By the suite's convention the database login and
// its password are the database name: EMPRESA / EMPRESA.

#include "data/db/Connection.h"
#include "data/db/MotorSqlite.h"
#include "suite/ErrorEjecucion.h"
#include "suite/LibreriaSuite.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>
#include <sqlite3.h>

namespace {

// A fixed sequence of numbers, so that every run writes the same rows.
class Azar
{
public:
    quint32 siguiente()
    {
        m_estado = m_estado * 6364136223846793005ULL + 1442695040888963407ULL;
        return quint32(m_estado >> 33);
    }
    int entre(int desde, int hasta) { return desde + int(siguiente() % quint32(hasta - desde + 1)); }
    template <typename T, size_t N>
    const T &de(const T (&lista)[N])
    {
        return lista[siguiente() % N];
    }

private:
    quint64 m_estado = 20240325;
};

const char *const kNombres[] = {"Juan", "María", "José", "Ana", "Carlos", "Lucía", "Jorge", "Marta", "Luis",
                                "Silvia", "Pedro", "Graciela", "Miguel", "Laura", "Ricardo", "Susana", "Raúl",
                                "Patricia", "Héctor", "Mónica", "Sergio", "Claudia", "Daniel", "Norma"};
const char *const kApellidos[] = {"González", "Rodríguez", "Gómez", "Fernández", "López", "Díaz", "Martínez",
                                  "Pérez", "García", "Sánchez", "Romero", "Sosa", "Álvarez", "Torres", "Ruiz",
                                  "Ramírez", "Flores", "Acosta", "Benítez", "Medina", "Herrera", "Suárez",
                                  "Aguirre", "Giménez", "Peña", "Muñoz"};
const char *const kRubros[] = {"Ferretería", "Almacén", "Distribuidora", "Librería", "Panadería", "Carnicería",
                               "Farmacia", "Bazar", "Corralón", "Kiosco", "Autoservicio", "Mercería",
                               "Verdulería", "Pinturería", "Casa de Repuestos", "Vivero"};
const char *const kLugares[] = {"Norte", "Sur", "del Centro", "La Esquina", "San Martín", "El Progreso",
                                "Belgrano", "La Estación", "del Puerto", "Los Álamos", "San José", "El Molino"};
const char *const kCalles[] = {"Av. San Martín", "Belgrano", "Rivadavia", "Mitre", "Sarmiento", "Moreno",
                               "25 de Mayo", "9 de Julio", "Av. Libertador", "Urquiza", "Alem", "Córdoba"};
const char *const kLocalidades[] = {"Rosario", "Córdoba", "Mendoza", "Santa Fe", "Paraná", "Salta", "Neuquén",
                                    "Tandil", "Rafaela", "Río Cuarto", "Bahía Blanca", "San Luis"};
const char *const kProductos[] = {"Tornillo", "Clavo", "Martillo", "Destornillador", "Pintura", "Cable",
                                  "Lámpara", "Cinta", "Pegamento", "Llave", "Caño", "Codo", "Canilla", "Tuerca",
                                  "Arandela", "Bisagra", "Candado", "Pincel", "Rodillo", "Lija", "Taladro",
                                  "Mecha", "Enchufe", "Interruptor", "Manguera", "Pala", "Rastrillo", "Balde"};
const char *const kAtributos[] = {"galvanizado", "cromado", "de acero", "de bronce", "de PVC", "reforzado",
                                  "blanco", "negro", "mediano", "grande", "chico", "económico", "profesional",
                                  "de aluminio", "de madera", "térmico"};
const char *const kMedidas[] = {"1/4\"", "3/8\"", "1/2\"", "3/4\"", "1\"", "6 mm", "8 mm", "10 mm", "12 mm",
                                "1 m", "5 m", "10 m", "1 L", "4 L", "20 L", "x 100 u"};
const char *const kMarcas[] = {"Ford", "Chevrolet", "Fiat", "Renault", "Peugeot", "Toyota", "Volkswagen", "Iveco"};
const char *const kModelos[] = {"Ranger", "S10", "Fiorino", "Kangoo", "Partner", "Hilux", "Amarok", "Daily"};

QString texto(const char *c)
{
    return QString::fromUtf8(c);
}

// ---- Schema (written in the system's own dialect; the layer adapts it) ----

const char *const kEsquemaEmpresa = R"(
CREATE TABLE TA_USUARIOS (NOMBRE VARCHAR(30) NOT NULL PRIMARY KEY, SISTEMA VARCHAR(10) NOT NULL,
  PassWord VARCHAR(30) NULL, Administrador BIT NOT NULL DEFAULT 0, UNegocio VARCHAR(4) NULL,
  verproforma BIT NOT NULL DEFAULT 0, clasepusa VARCHAR(20) NULL)
CREATE TABLE TA_CONFIGURACION (GRUPO VARCHAR(30) NULL, CLAVE VARCHAR(60) NOT NULL, VALOR VARCHAR(255) NULL,
  valoraux VARCHAR(255) NULL, PoliticaNegocio BIT NULL DEFAULT 0)
CREATE INDEX IX_TA_CONFIGURACION_CLAVE ON TA_CONFIGURACION (CLAVE)
CREATE TABLE Control_Acceso (id INT IDENTITY(1,1) NOT NULL, Maquina VARCHAR(50) NULL, Usuario VARCHAR(50) NULL,
  Formulario VARCHAR(50) NULL, Tarea VARCHAR(100) NULL, Ingreso VARCHAR(20) NULL, NombreUsuario VARCHAR(50) NULL,
  EGRESO VARCHAR(20) NULL)
CREATE TABLE MV_CPTEACCIONES (id INT IDENTITY(1,1) NOT NULL, TC VARCHAR(4) NULL, IdComprobante VARCHAR(20) NULL,
  IdComplemento INT NULL, Tipo_accion VARCHAR(2) NULL, FECHAHORA VARCHAR(30) NULL, Usuario VARCHAR(50) NULL,
  PC VARCHAR(50) NULL, SYSTEMUSER VARCHAR(255) NULL, Proceso VARCHAR(255) NULL, ProcesoLote VARCHAR(255) NULL,
  Cuenta VARCHAR(15) NULL)
CREATE VIEW V_MV_CPTEACCIONES AS SELECT TC, IdComprobante, IdComplemento, Tipo_accion, FECHAHORA, Usuario, PC,
  SYSTEMUSER, Proceso, ProcesoLote, Cuenta FROM MV_CPTEACCIONES
CREATE TABLE TA_MENU (Clave VARCHAR(10) NOT NULL PRIMARY KEY, Proceso VARCHAR(60) NULL, Nombre VARCHAR(60) NULL)
CREATE TABLE TA_TAREAS (USUARIO VARCHAR(30) NOT NULL, TAREA VARCHAR(10) NOT NULL)
CREATE TABLE AUX_ERR (Proceso VARCHAR(50) NULL, fecha VARCHAR(20) NULL, Error VARCHAR(20) NULL,
  Descripcion VARCHAR(250) NULL, Sql TEXT NULL, PC VARCHAR(50) NULL, Usuario VARCHAR(50) NULL)
CREATE TABLE TA_UNIDADNEGOCIO (codigo VARCHAR(4) NOT NULL PRIMARY KEY, razon_social VARCHAR(60) NULL,
  Cuit VARCHAR(13) NULL, PDV VARCHAR(4) NULL)
CREATE VIEW v_ta_unidadNegocio AS SELECT codigo, razon_social, Cuit, PDV FROM TA_UNIDADNEGOCIO
CREATE TABLE MA_CLIENTES (CODIGO VARCHAR(10) NOT NULL PRIMARY KEY, RAZON_SOCIAL VARCHAR(60) NOT NULL,
  CONTACTO VARCHAR(40) NULL, CUIT VARCHAR(13) NULL, DIRECCION VARCHAR(60) NULL, LOCALIDAD VARCHAR(40) NULL,
  TELEFONO VARCHAR(20) NULL, EMAIL VARCHAR(60) NULL, SALDO MONEY NULL, LIMITE_CREDITO MONEY NULL,
  FECHA_ALTA DATETIME NULL, IDVENDEDOR VARCHAR(4) NULL, Dada_De_Baja BIT NOT NULL DEFAULT 0)
CREATE INDEX IX_MA_CLIENTES_RAZON_SOCIAL ON MA_CLIENTES (RAZON_SOCIAL)
CREATE VIEW V_MA_CLIENTES AS SELECT * FROM MA_CLIENTES
CREATE VIEW VT_CLIENTES AS SELECT RAZON_SOCIAL, CODIGO, CONTACTO, CUIT, DIRECCION, LOCALIDAD, TELEFONO, SALDO,
  Dada_De_Baja FROM MA_CLIENTES
CREATE VIEW VT_ClientesVs AS SELECT C.RAZON_SOCIAL, C.CODIGO, C.LOCALIDAD, V.NOMBRE AS VENDEDOR, C.Dada_De_Baja
  FROM MA_CLIENTES C LEFT JOIN TA_VENDEDORES V ON V.IdVendedor = C.IDVENDEDOR
CREATE TABLE P_MA_CLIENTES (LEGAJO VARCHAR(10) NOT NULL PRIMARY KEY, NOMBRE VARCHAR(60) NULL,
  CODIGO_CLIENTE VARCHAR(10) NULL)
CREATE TABLE MA_PROVEEDORES (CODIGO VARCHAR(10) NOT NULL PRIMARY KEY, RAZON_SOCIAL VARCHAR(60) NOT NULL,
  CONTACTO VARCHAR(40) NULL, CUIT VARCHAR(13) NULL, DIRECCION VARCHAR(60) NULL, LOCALIDAD VARCHAR(40) NULL,
  TELEFONO VARCHAR(20) NULL, SALDO MONEY NULL, Dada_De_Baja BIT NOT NULL DEFAULT 0)
CREATE INDEX IX_MA_PROVEEDORES_RAZON_SOCIAL ON MA_PROVEEDORES (RAZON_SOCIAL)
CREATE VIEW V_MA_PROVEEDORES AS SELECT * FROM MA_PROVEEDORES
CREATE VIEW VT_PROVEEDORES AS SELECT RAZON_SOCIAL, CODIGO, CONTACTO, CUIT, LOCALIDAD, TELEFONO, SALDO,
  Dada_De_Baja FROM MA_PROVEEDORES
CREATE TABLE TA_FAMILIAS (IdFamilia VARCHAR(10) NOT NULL PRIMARY KEY, Descripcion VARCHAR(60) NOT NULL)
CREATE VIEW V_TA_FAMILIAS AS SELECT IdFamilia, Descripcion FROM TA_FAMILIAS
CREATE VIEW SS_V_TA_FAMILIAS AS SELECT IdFamilia, Descripcion FROM TA_FAMILIAS
CREATE TABLE TA_UNIDAD (IdUnidad VARCHAR(4) NOT NULL PRIMARY KEY, Descripcion VARCHAR(40) NOT NULL)
CREATE VIEW V_TA_Unidad AS SELECT Descripcion, IdUnidad FROM TA_UNIDAD
CREATE TABLE TA_DEPOSITO (IdDeposito VARCHAR(4) NOT NULL PRIMARY KEY, Descripcion VARCHAR(40) NOT NULL,
  Unidad VARCHAR(4) NULL)
CREATE VIEW V_TA_DEPOSITO AS SELECT Descripcion, Unidad, IdDeposito FROM TA_DEPOSITO
CREATE VIEW SS_V_TA_DEPOSITO AS SELECT Descripcion, Unidad, IdDeposito FROM TA_DEPOSITO WHERE IdDeposito <> '99'
CREATE TABLE TA_STATUS (CodigoEstado VARCHAR(4) NOT NULL PRIMARY KEY, Descripcion VARCHAR(40) NOT NULL,
  Tipo VARCHAR(10) NULL)
CREATE VIEW V_TA_STATUS AS SELECT Descripcion, Tipo, CodigoEstado FROM TA_STATUS
CREATE TABLE TA_RUBROS (IdRubro VARCHAR(4) NOT NULL PRIMARY KEY, Descripcion VARCHAR(40) NOT NULL)
CREATE VIEW V_TA_RUBROS AS SELECT IdRubro, Descripcion FROM TA_RUBROS
CREATE TABLE MA_ARTICULOS (IDARTICULO VARCHAR(25) NOT NULL PRIMARY KEY, DESCRIPCION VARCHAR(100) NOT NULL,
  IdFamilia VARCHAR(10) NULL, IdUnidad VARCHAR(4) NULL, IdRubro VARCHAR(4) NULL, CODIGOBARRA VARCHAR(20) NULL,
  Stock DECIMAL(14,2) NULL, PUNTOPEDIDO DECIMAL(14,2) NULL, PRECIO1 MONEY NULL, PRECIO2 MONEY NULL,
  PRECIO3 MONEY NULL, PRECIO4 MONEY NULL, PRECIO5 MONEY NULL, PRECIO6 MONEY NULL, PRECIO7 MONEY NULL,
  PRECIO8 MONEY NULL, COSTO MONEY NULL, PROVEEDOR VARCHAR(10) NULL, FECHA_MODIFICACION DATETIME NULL,
  SUSPENDIDO BIT NOT NULL DEFAULT 0)
CREATE INDEX IX_MA_ARTICULOS_DESCRIPCION ON MA_ARTICULOS (DESCRIPCION)
CREATE VIEW V_MA_ARTICULOS AS SELECT IDARTICULO, DESCRIPCION, Stock, PUNTOPEDIDO, PRECIO1, PRECIO2, PRECIO3,
  PRECIO4, PRECIO5, PRECIO6, PRECIO7, PRECIO8, SUSPENDIDO FROM MA_ARTICULOS
CREATE VIEW VT_MA_ARTICULOS AS SELECT A.IDARTICULO, A.DESCRIPCION, A.Stock, A.PUNTOPEDIDO, A.PRECIO1, A.PRECIO2,
  A.PRECIO3, A.PRECIO4, A.PRECIO5, A.PRECIO6, A.PRECIO7, A.PRECIO8, A.CODIGOBARRA, A.IdFamilia,
  F.Descripcion AS FAMILIA, A.IdUnidad, A.IdRubro, A.PROVEEDOR, A.COSTO, A.SUSPENDIDO
  FROM MA_ARTICULOS A LEFT JOIN TA_FAMILIAS F ON F.IdFamilia = A.IdFamilia
CREATE TABLE AUX_ARTICULOS (IDARTICULO VARCHAR(25) NOT NULL, CANTIDAD DECIMAL(14,2) NULL)
CREATE TABLE MV_FALTANTES (id INT IDENTITY(1,1) NOT NULL, FechaHora VARCHAR(30) NULL, IdArticulo VARCHAR(25) NULL,
  Descripcion VARCHAR(100) NULL, Usuario VARCHAR(50) NULL)
CREATE VIEW V_MV_FALTANTES AS SELECT FechaHora, IdArticulo, Descripcion, Usuario FROM MV_FALTANTES
CREATE TABLE MA_CONTACTOS (CODIGO VARCHAR(10) NOT NULL PRIMARY KEY, NOMBRE VARCHAR(60) NOT NULL,
  EMPRESA VARCHAR(60) NULL, CARGO VARCHAR(40) NULL, TELEFONO VARCHAR(20) NULL, EMAIL VARCHAR(60) NULL,
  Dada_De_Baja BIT NOT NULL DEFAULT 0)
CREATE TABLE MA_VEHICULOS (PATENTE VARCHAR(10) NOT NULL PRIMARY KEY, MARCA VARCHAR(30) NULL, MODELO VARCHAR(30) NULL,
  ANIO INT NULL, CLIENTE VARCHAR(10) NULL, KILOMETROS INT NULL)
CREATE TABLE TA_VENDEDORES (IdVendedor VARCHAR(4) NOT NULL PRIMARY KEY, NOMBRE VARCHAR(60) NOT NULL,
  COMISION DECIMAL(5,2) NULL)
CREATE VIEW V_TA_VENDEDORES AS SELECT IdVendedor, NOMBRE, COMISION FROM TA_VENDEDORES
CREATE TABLE TA_TECNICOS (IdTecnico VARCHAR(4) NOT NULL PRIMARY KEY, NOMBRE VARCHAR(60) NOT NULL,
  ESPECIALIDAD VARCHAR(40) NULL)
CREATE VIEW V_TA_Tecnicos AS SELECT IdTecnico, NOMBRE, ESPECIALIDAD FROM TA_TECNICOS
CREATE TABLE MA_MANTENIMIENTOS (IdMantenimiento INT IDENTITY(1,1) NOT NULL, PATENTE VARCHAR(10) NULL,
  IdTecnico VARCHAR(4) NULL, FECHA DATETIME NULL, DETALLE VARCHAR(100) NULL, IMPORTE MONEY NULL)
CREATE VIEW v_ma_mantenimientos AS SELECT IdMantenimiento, PATENTE, FECHA, DETALLE, IMPORTE FROM MA_MANTENIMIENTOS
CREATE VIEW VT_MANTENIMIENTOS AS SELECT M.IdMantenimiento, M.PATENTE, V.MARCA, V.MODELO, M.FECHA, M.DETALLE,
  T.NOMBRE AS TECNICO, M.IMPORTE FROM MA_MANTENIMIENTOS M LEFT JOIN MA_VEHICULOS V ON V.PATENTE = M.PATENTE
  LEFT JOIN TA_TECNICOS T ON T.IdTecnico = M.IdTecnico
CREATE TABLE MA_CUENTAS (CODIGO VARCHAR(15) NOT NULL PRIMARY KEY, DESCRIPCION VARCHAR(60) NOT NULL,
  IMPUTABLE BIT NOT NULL DEFAULT 1)
CREATE VIEW V_MA_CUENTAS AS SELECT CODIGO, DESCRIPCION, IMPUTABLE FROM MA_CUENTAS
CREATE VIEW SS_MA_CUENTAS AS SELECT CODIGO, DESCRIPCION, IMPUTABLE FROM MA_CUENTAS WHERE CODIGO NOT LIKE '5%'
CREATE TABLE TA_CCOSTO (CODIGO VARCHAR(10) NOT NULL PRIMARY KEY, DESCRIPCION VARCHAR(60) NOT NULL)
CREATE TABLE MA_POSICIONES (IDPOSICION VARCHAR(10) NOT NULL PRIMARY KEY, DESCRIPCION VARCHAR(60) NOT NULL)
CREATE TABLE TA_CAJAS (IdCaja VARCHAR(4) NOT NULL PRIMARY KEY, Descripcion VARCHAR(40) NOT NULL)
CREATE VIEW V_TA_CAJAS AS SELECT IdCaja, Descripcion FROM TA_CAJAS
CREATE VIEW SS_V_TA_CAJAS AS SELECT IdCaja, Descripcion FROM TA_CAJAS
CREATE TABLE MV_ASIENTOS (NUMERO INT NOT NULL, FECHA DATETIME NULL, CUENTA VARCHAR(15) NULL, DEBE MONEY NULL,
  HABER MONEY NULL, DETALLE VARCHAR(100) NULL)
CREATE VIEW SS_MV_ASIENTOS AS SELECT NUMERO, FECHA, CUENTA, DEBE, HABER, DETALLE FROM MV_ASIENTOS
  WHERE CUENTA NOT LIKE '5%'
CREATE TABLE AC_CUENTASDIARIO (FECHA DATETIME NULL, CUENTA VARCHAR(15) NULL, SALDO MONEY NULL)
CREATE VIEW SS_AC_CUENTASDIARIO AS SELECT FECHA, CUENTA, SALDO FROM AC_CUENTASDIARIO
CREATE TABLE AC_CUENTASDIARIO_CCOSTO (FECHA DATETIME NULL, CUENTA VARCHAR(15) NULL, CCOSTO VARCHAR(10) NULL,
  SALDO MONEY NULL)
CREATE VIEW SS_AC_CUENTAS_DIARIO_CCOSTO AS SELECT FECHA, CUENTA, CCOSTO, SALDO FROM AC_CUENTASDIARIO_CCOSTO
CREATE TABLE AUX_LOTES (IdLote VARCHAR(10) NOT NULL PRIMARY KEY, IDARTICULO VARCHAR(25) NULL,
  VENCIMIENTO DATETIME NULL, CANTIDAD DECIMAL(14,2) NULL)
CREATE TABLE MV_PEDIDOS (IdPedido INT IDENTITY(1,1) NOT NULL, FECHA DATETIME NULL, CLIENTE VARCHAR(10) NULL,
  IDARTICULO VARCHAR(25) NULL, CANTIDAD DECIMAL(14,2) NULL)
CREATE VIEW VT_V_MV_FORMPEDIDOS AS SELECT P.IdPedido, P.FECHA, C.RAZON_SOCIAL, P.IDARTICULO, P.CANTIDAD
  FROM MV_PEDIDOS P LEFT JOIN MA_CLIENTES C ON C.CODIGO = P.CLIENTE
CREATE TABLE MV_TOMASTOCK (IdToma INT IDENTITY(1,1) NOT NULL, FECHA DATETIME NULL, IDARTICULO VARCHAR(25) NULL,
  IdDeposito VARCHAR(4) NULL, CANTIDAD DECIMAL(14,2) NULL)
CREATE VIEW VT_V_MV_FORMTOMASTOCK AS SELECT IdToma, FECHA, IDARTICULO, IdDeposito, CANTIDAD FROM MV_TOMASTOCK
)";

// Views that take inserts, as the server's views of one table do.
const char *const kDisparadores = R"(
CREATE TRIGGER V_MV_CPTEACCIONES_ALTA INSTEAD OF INSERT ON V_MV_CPTEACCIONES BEGIN
  INSERT INTO MV_CPTEACCIONES (TC, IdComprobante, IdComplemento, Tipo_accion, FECHAHORA, Usuario, PC, SYSTEMUSER,
    Proceso, ProcesoLote, Cuenta) VALUES (NEW.TC, NEW.IdComprobante, NEW.IdComplemento, NEW.Tipo_accion,
    NEW.FECHAHORA, NEW.Usuario, NEW.PC, NEW.SYSTEMUSER, NEW.Proceso, NEW.ProcesoLote, NEW.Cuenta);
END;
CREATE TRIGGER V_MV_FALTANTES_ALTA INSTEAD OF INSERT ON V_MV_FALTANTES BEGIN
  INSERT INTO MV_FALTANTES (FechaHora, IdArticulo, Descripcion, Usuario)
    VALUES (NEW.FechaHora, NEW.IdArticulo, NEW.Descripcion, NEW.Usuario);
END;
)";

const char *const kEsquemaEstadisticas = R"(
CREATE TABLE TA_CONFIGURACION (GRUPO VARCHAR(30) NULL, CLAVE VARCHAR(60) NOT NULL, VALOR VARCHAR(255) NULL,
  valoraux VARCHAR(255) NULL, PoliticaNegocio BIT NULL DEFAULT 0)
CREATE TABLE TA_USUARIOS (NOMBRE VARCHAR(30) NOT NULL PRIMARY KEY, SISTEMA VARCHAR(10) NOT NULL,
  PassWord VARCHAR(30) NULL, Administrador BIT NOT NULL DEFAULT 0)
CREATE TABLE ES_CONSULTAS (FECHA DATETIME NULL, USUARIO VARCHAR(30) NULL, TABLA VARCHAR(100) NULL, FILAS INT NULL)
INSERT INTO TA_CONFIGURACION (GRUPO, CLAVE, VALOR, PoliticaNegocio) VALUES ('BaseDeDatos', 'TIMEOUT', '45', 0)
INSERT INTO TA_USUARIOS (NOMBRE, SISTEMA, Administrador) VALUES ('KV_ESTADISTICAS', 'mx200ps', 1)
)";

// ---- Writing rows ----

class Escritor
{
public:
    explicit Escritor(const QString &archivo)
    {
        sqlite3_open_v2(QFile::encodeName(archivo).constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
        db::MotorSqlite::PrepararConexion(m_db);
        ejecutar("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; BEGIN");
    }
    ~Escritor()
    {
        ejecutar("COMMIT");
        sqlite3_close(m_db);
    }
    void ejecutar(const char *sql)
    {
        char *msg = nullptr;
        if (sqlite3_exec(m_db, sql, nullptr, nullptr, &msg) != SQLITE_OK)
            fallar(msg);
        sqlite3_free(msg);
    }
    // Inserts one row: "T" text, "I" integer, "R" real, "N" Null, by the pattern.
    void fila(const char *tabla, const QVariantList &valores)
    {
        sqlite3_stmt *&st = m_sentencias[tabla];
        if (!st) {
            QStringList marcas;
            for (int i = 0; i < valores.size(); ++i)
                marcas << QStringLiteral("?");
            const QByteArray sql = QStringLiteral("INSERT INTO %1 VALUES (%2)")
                                       .arg(QLatin1String(tabla), marcas.join(u','))
                                       .toUtf8();
            if (sqlite3_prepare_v2(m_db, sql.constData(), -1, &st, nullptr) != SQLITE_OK)
                fallar(sqlite3_errmsg(m_db));
        }
        for (int i = 0; i < valores.size(); ++i) {
            const QVariant &v = valores.at(i);
            if (v.isNull()) {
                sqlite3_bind_null(st, i + 1);
            } else if (v.metaType().id() == QMetaType::Int || v.metaType().id() == QMetaType::LongLong
                       || v.metaType().id() == QMetaType::Bool) {
                sqlite3_bind_int64(st, i + 1, v.toLongLong());
            } else if (v.metaType().id() == QMetaType::Double) {
                sqlite3_bind_double(st, i + 1, v.toDouble());
            } else {
                const QByteArray b = v.toString().toUtf8();
                sqlite3_bind_text(st, i + 1, b.constData(), int(b.size()), SQLITE_TRANSIENT);
            }
        }
        if (sqlite3_step(st) != SQLITE_DONE)
            fallar(sqlite3_errmsg(m_db));
        sqlite3_reset(st);
    }
    void terminar()
    {
        for (auto *st : std::as_const(m_sentencias))
            sqlite3_finalize(st);
        m_sentencias.clear();
    }

private:
    [[noreturn]] void fallar(const char *msg)
    {
        QTextStream(stderr) << "crear_demo: " << msg << Qt::endl;
        std::exit(1);
    }
    sqlite3 *m_db = nullptr;
    QHash<QByteArray, sqlite3_stmt *> m_sentencias;
};

QString codigo(const char *prefijo, int n, int ancho)
{
    return QLatin1String(prefijo) + QString::number(n).rightJustified(ancho, u'0');
}

QString cuit(Azar &azar)
{
    return QStringLiteral("%1-%2-%3").arg(azar.de({20, 23, 27, 30, 33})).arg(azar.entre(10000000, 39999999)).arg(
        azar.entre(0, 9));
}

QString fecha(Azar &azar)
{
    return QStringLiteral("%1-%2-%3 %4:%5:00")
        .arg(azar.entre(2019, 2024))
        .arg(azar.entre(1, 12), 2, 10, QLatin1Char('0'))
        .arg(azar.entre(1, 28), 2, 10, QLatin1Char('0'))
        .arg(azar.entre(8, 19), 2, 10, QLatin1Char('0'))
        .arg(azar.entre(0, 59), 2, 10, QLatin1Char('0'));
}

double importe(Azar &azar, int desde, int hasta)
{
    return azar.entre(desde * 100, hasta * 100) / 100.0;
}

void configuracion(Escritor &e)
{
    const char *const claves[][3] = {
        {"DATOS", "TOPCONSART", "1000"},
        {"DATOS", "DESHABILITABUSQUEDACODIGO", "NO"},
        {"DATOS", "DESHABILITABUSQUEDACODIGOART", "NO"},
        {"DATOS", "CONSULTAARTICULOCONIMAGEN", "NO"},
        {"DATOS", "CONSULTAARTPCOMPLETA", "NO"},
        {"DATOS", "MOSTRARSTOCKENCONSULTAS", "SI"},
        {"DATOS", "USACONSULTALIKE", "SI"},
        {"DATOS", "STK_NIVEL1", "0"},
        {"DATOS", "STK_NIVEL2", "255"},
        {"DATOS", "STK_NIVEL3", "33023"},
        {"DATOS", "STK_NIVEL4", "32768"},
        {"DATOS", "TITULOCLIENTES", "Clientes"},
        {"DATOS", "TITULOPROVEEDORES", "Proveedores"},
        {"DATOS", "NOM_PCLASE1", "Lista"},
        {"DATOS", "NOM_PCLASE2", "Mayorista"},
        {"DATOS", "NOM_PCLASE3", "Distribuidor"},
        {"DATOS", "NOM_PCLASE4", "Contado"},
        {"DATOS", "NOM_PCLASE5", "Tarjeta"},
        {"DATOS", "NOM_PCLASE6", "Cuenta corriente"},
        {"DATOS", "NOM_PCLASE7", "Especial"},
        {"DATOS", "NOM_PCLASE8", "Oferta"},
        {"DATOS", "CFONDO", "16774118"},
        {"DATOS", "CLETRA", "0"},
        {"DATOS", "SS_CONFIDENCIALIDAD", "NO"},
        {"DATOS", "UTILIZARFECHADIA", "NO"},
        {"DATOS", "CANTIDADDECIMALES", "2"},
        {"DATOS", "PERIODO", "2024"},
        {"DATOS", "CONDIVAEMPRESA", "1"},
        {"DATOS", "NOMBRE", "Distribuidora Veldrano S.A."},
        {"DATOS", "CUIT", "30-71234567-8"},
        {"DATOS", "CALLE", "Av. San Martín"},
        {"DATOS", "NUMERO", "1250"},
        {"DATOS", "PISO", ""},
        {"DATOS", "DEPARTAMENTO", ""},
        {"DATOS", "INICIOACTIVIDADES", "01/03/2005"},
        {"DATOS", "NROINGRESOSBRUTOS", "921-123456-7"},
        {"DATOS", "TOP_DEFAULT", "1000"},
        {"DATOS", "THEME", "1"},
        {"DATOS", "MODULOORDENDETRABAJO", "SI"},
    };
    for (const auto &c : claves)
        e.fila("TA_CONFIGURACION",
               {texto(c[0]), texto(c[1]), texto(c[2]),
                QString::fromLatin1(c[1]) == QLatin1String("CONSULTAARTICULOCONIMAGEN") ? QVariant(QStringLiteral("1"))
                                                                                        : QVariant(),
                0});
}

void datosEmpresa(Escritor &e, int filas)
{
    Azar azar;
    const Cadenas &cadenas = Cadenas::Compartida();
    configuracion(e);

    e.fila("TA_USUARIOS", {QStringLiteral("ADMIN"), QStringLiteral("mx200ps"), cadenas.Codificar(QStringLiteral("ADMIN")),
                           1, QStringLiteral("   1"), 1, QStringLiteral("1,2,3")});
    e.fila("TA_USUARIOS", {QStringLiteral("JUAN"), QStringLiteral("VEXA"), cadenas.Codificar(QStringLiteral("juan")), 0,
                           QStringLiteral("   1"), 0, QStringLiteral("1")});
    e.fila("TA_USUARIOS", {QStringLiteral("MARTA"), QStringLiteral("mx200ps"), cadenas.Codificar(QStringLiteral("marta")),
                           0, QStringLiteral("   2"), 0, QVariant()});
    e.fila("TA_USUARIOS", {QStringLiteral("TALLER"), QStringLiteral("TALVEX"), cadenas.Codificar(QStringLiteral("taller")),
                           0, QStringLiteral("   1"), 0, QVariant()});
    e.fila("TA_UNIDADNEGOCIO", {QStringLiteral("   1"), QStringLiteral("Distribuidora Veldrano S.A."),
                                QStringLiteral("30-71234567-8"), QStringLiteral("0001")});
    e.fila("TA_UNIDADNEGOCIO", {QStringLiteral("   2"), QStringLiteral("Veldrano Sucursal Sur"), QString(),
                                QStringLiteral("0002")});

    e.fila("TA_MENU", {QStringLiteral("M010"), QStringLiteral("DEFCONSULTAS"), QStringLiteral("Definición de consultas")});
    e.fila("TA_MENU", {QStringLiteral("M020"), QStringLiteral("MX200PS"), QStringLiteral("Menú principal")});
    e.fila("TA_MENU", {QStringLiteral("M030"), QStringLiteral("VENTAS"), QStringLiteral("Facturación")});
    e.fila("TA_TAREAS", {QStringLiteral("ADMIN"), QStringLiteral("M010")});
    e.fila("TA_TAREAS", {QStringLiteral("ADMIN"), QStringLiteral("M020")});
    e.fila("TA_TAREAS", {QStringLiteral("JUAN"), QStringLiteral("M030")});

    // Families with hierarchical codes: 2 digits per level, three levels.
    const char *const rubros[] = {"Ferretería", "Pinturería", "Electricidad", "Sanitarios", "Jardín", "Herramientas"};
    const char *const sub[] = {"Básicos", "Profesional", "Importados", "Ofertas"};
    QStringList familias;
    for (int i = 0; i < 6; ++i) {
        const QString f1 = QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0'));
        e.fila("TA_FAMILIAS", {f1, texto(rubros[i])});
        for (int j = 0; j < 4; ++j) {
            const QString f2 = f1 + QStringLiteral("%1").arg(j + 1, 2, 10, QLatin1Char('0'));
            e.fila("TA_FAMILIAS", {f2, texto(rubros[i]) + QStringLiteral(" - ") + texto(sub[j])});
            for (int k = 0; k < 3; ++k) {
                const QString f3 = f2 + QStringLiteral("%1").arg(k + 1, 2, 10, QLatin1Char('0'));
                e.fila("TA_FAMILIAS", {f3, texto(rubros[i]) + QStringLiteral(" - ") + texto(sub[j])
                                               + QStringLiteral(" - línea %1").arg(k + 1)});
                familias << f3;
            }
        }
    }
    const char *const unidades[][2] = {{"UN", "Unidad"}, {"KG", "Kilogramo"}, {"LT", "Litro"}, {"MT", "Metro"},
                                       {"CJ", "Caja"}, {"M2", "Metro cuadrado"}};
    for (const auto &u : unidades)
        e.fila("TA_UNIDAD", {texto(u[0]), texto(u[1])});
    const char *const depositos[][3] = {{"01", "Depósito central", "   1"}, {"02", "Depósito sur", "   2"},
                                        {"99", "Depósito de rezagos", "   1"}};
    for (const auto &d : depositos)
        e.fila("TA_DEPOSITO", {texto(d[0]), texto(d[1]), texto(d[2])});
    const char *const estados[][3] = {{"PEND", "Pendiente", "PEDIDO"}, {"CUMP", "Cumplido", "PEDIDO"},
                                      {"ANUL", "Anulado", "PEDIDO"}, {"REPA", "En reparación", "TALLER"}};
    for (const auto &s : estados)
        e.fila("TA_STATUS", {texto(s[0]), texto(s[1]), texto(s[2])});
    for (int i = 0; i < 16; ++i)
        e.fila("TA_RUBROS", {codigo("", i + 1, 4), texto(kRubros[i])});
    for (int i = 0; i < 8; ++i)
        e.fila("TA_VENDEDORES", {codigo("", i + 1, 4),
                                 texto(azar.de(kNombres)) + u' ' + texto(azar.de(kApellidos)), importe(azar, 1, 8)});
    const char *const especialidades[] = {"Mecánica", "Electricidad", "Chapa y pintura", "Neumáticos"};
    for (int i = 0; i < 6; ++i)
        e.fila("TA_TECNICOS", {codigo("", i + 1, 4), texto(azar.de(kNombres)) + u' ' + texto(azar.de(kApellidos)),
                               texto(especialidades[i % 4])});
    const char *const cajas[][2] = {{"1", "Caja principal"}, {"2", "Caja mostrador"}, {"3", "Caja sucursal"}};
    for (const auto &c : cajas)
        e.fila("TA_CAJAS", {texto(c[0]), texto(c[1])});

    // Chart of accounts (hierarchical) and cost centres.
    const char *const cuentas[][2] = {
        {"1", "ACTIVO"}, {"1.1", "Activo corriente"}, {"1.1.01", "Caja"}, {"1.1.02", "Bancos"},
        {"1.1.03", "Deudores por ventas"}, {"1.2", "Activo no corriente"}, {"1.2.01", "Rodados"},
        {"2", "PASIVO"}, {"2.1.01", "Proveedores"}, {"2.1.02", "Impuestos a pagar"}, {"3", "PATRIMONIO NETO"},
        {"4", "INGRESOS"}, {"4.1.01", "Ventas"}, {"5", "EGRESOS"}, {"5.1.01", "Sueldos"},
        {"5.1.02", "Honorarios de directorio"}, {"5.2.01", "Alquileres"}};
    for (const auto &c : cuentas)
        e.fila("MA_CUENTAS", {texto(c[0]), texto(c[1]), QString::fromLatin1(c[0]).size() > 3 ? 1 : 0});
    const char *const centros[][2] = {{"ADM", "Administración"}, {"VTA", "Ventas"}, {"LOG", "Logística"},
                                      {"TAL", "Taller"}};
    for (const auto &c : centros)
        e.fila("TA_CCOSTO", {texto(c[0]), texto(c[1])});
    for (int i = 0; i < 10; ++i)
        e.fila("MA_POSICIONES", {codigo("P", i + 1, 3), QStringLiteral("Estantería %1").arg(i + 1)});
    for (int n = 1; n <= 40; ++n) {
        const auto &c = cuentas[azar.entre(0, 16)];
        const double monto = importe(azar, 100, 50000);
        const QString f = fecha(azar);
        e.fila("MV_ASIENTOS", {n, f, texto(c[0]), monto, 0.0, QStringLiteral("Asiento %1").arg(n)});
        e.fila("AC_CUENTASDIARIO", {f, texto(c[0]), monto});
        e.fila("AC_CUENTASDIARIO_CCOSTO", {f, texto(c[0]), texto(centros[n % 4][0]), monto});
    }

    // Customers, suppliers, contacts.
    auto razonSocial = [&]() {
        return texto(azar.de(kRubros)) + u' ' + texto(azar.de(kLugares)) + (azar.entre(0, 3) == 0
                                                                                ? QStringLiteral(" S.R.L.")
                                                                                : QString());
    };
    for (int i = 1; i <= filas; ++i) {
        const QString persona = texto(azar.de(kNombres)) + u' ' + texto(azar.de(kApellidos));
        e.fila("MA_CLIENTES",
               {codigo("C", i, 6), razonSocial(), persona, cuit(azar),
                texto(azar.de(kCalles)) + u' ' + QString::number(azar.entre(10, 4999)), texto(azar.de(kLocalidades)),
                QStringLiteral("0341-4%1").arg(azar.entre(100000, 999999)),
                azar.entre(0, 2) ? QVariant(QStringLiteral("cliente%1@correo.com.ar").arg(i)) : QVariant(),
                importe(azar, -5000, 250000), azar.entre(0, 4) ? QVariant(importe(azar, 10000, 500000)) : QVariant(),
                fecha(azar), codigo("", azar.entre(1, 8), 4), azar.entre(0, 19) == 0 ? 1 : 0});
    }
    for (int i = 1; i <= qMax(50, filas / 10); ++i)
        e.fila("MA_PROVEEDORES",
               {codigo("P", i, 6), razonSocial(), texto(azar.de(kNombres)) + u' ' + texto(azar.de(kApellidos)),
                cuit(azar), texto(azar.de(kCalles)) + u' ' + QString::number(azar.entre(10, 4999)),
                texto(azar.de(kLocalidades)), QStringLiteral("011-4%1").arg(azar.entre(100000, 999999)),
                importe(azar, 0, 900000), azar.entre(0, 14) == 0 ? 1 : 0});
    for (int i = 1; i <= qMax(20, filas / 5); ++i)
        e.fila("MA_CONTACTOS",
               {codigo("K", i, 6), texto(azar.de(kNombres)) + u' ' + texto(azar.de(kApellidos)), razonSocial(),
                texto(azar.de({"Compras", "Gerencia", "Administración", "Ventas", "Depósito"})),
                QStringLiteral("351-15%1").arg(azar.entre(1000000, 9999999)),
                QStringLiteral("contacto%1@empresa.com.ar").arg(i), 0});
    for (int i = 1; i <= 5; ++i)
        e.fila("P_MA_CLIENTES", {codigo("L", i, 4), texto(azar.de(kNombres)) + u' ' + texto(azar.de(kApellidos)),
                                 codigo("C", i, 6)});

    // Articles: codes beginning "0" exist too (the maximum-code rule skips them).
    for (int i = 1; i <= filas; ++i) {
        const QString id = i % 25 == 0 ? codigo("0", i, 6) : codigo("", 100000 + i, 6);
        const double costo = importe(azar, 1, 9000);
        QVariantList v{id,
                       texto(azar.de(kProductos)) + u' ' + texto(azar.de(kAtributos)) + u' ' + texto(azar.de(kMedidas)),
                       familias.at(int(azar.siguiente() % quint32(familias.size()))),
                       texto(unidades[azar.entre(0, 5)][0]), codigo("", azar.entre(1, 16), 4),
                       QStringLiteral("779%1").arg(azar.entre(100000000, 999999999)),
                       double(azar.entre(-5, 500)), double(azar.entre(0, 50))};
        for (int p = 0; p < 8; ++p)
            v << qRound(costo * (1.8 - p * 0.08) * 100) / 100.0;
        v << costo << codigo("P", azar.entre(1, qMax(50, filas / 10)), 6) << fecha(azar)
          << (azar.entre(0, 29) == 0 ? 1 : 0);
        e.fila("MA_ARTICULOS", v);
    }
    for (int i = 1; i <= 10; ++i)
        e.fila("AUX_ARTICULOS", {codigo("", 100000 + i, 6), double(i)});
    for (int i = 1; i <= 12; ++i)
        e.fila("AUX_LOTES", {codigo("L", i, 5), codigo("", 100000 + i, 6), fecha(azar), double(azar.entre(1, 200))});

    // Vehicles and their maintenances.
    const int vehiculos = qMax(20, filas / 10);
    for (int i = 1; i <= vehiculos; ++i) {
        const int m = azar.entre(0, 7);
        e.fila("MA_VEHICULOS", {QStringLiteral("AB%1CD").arg(i, 3, 10, QLatin1Char('0')), texto(kMarcas[m]),
                                texto(kModelos[m]), azar.entre(2008, 2024), codigo("C", azar.entre(1, filas), 6),
                                azar.entre(1000, 300000)});
    }
    const char *const trabajos[] = {"Cambio de aceite y filtros", "Service de 10.000 km", "Alineación y balanceo",
                                    "Cambio de pastillas de freno", "Revisión eléctrica", "Cambio de correa"};
    for (int i = 1; i <= vehiculos * 2; ++i)
        e.fila("MA_MANTENIMIENTOS",
               {i, QStringLiteral("AB%1CD").arg(azar.entre(1, vehiculos), 3, 10, QLatin1Char('0')),
                codigo("", azar.entre(1, 6), 4), fecha(azar), texto(azar.de(trabajos)), importe(azar, 5000, 150000)});
    for (int i = 1; i <= 30; ++i) {
        e.fila("MV_PEDIDOS", {i, fecha(azar), codigo("C", azar.entre(1, filas), 6),
                              codigo("", 100000 + azar.entre(1, filas), 6), double(azar.entre(1, 40))});
        e.fila("MV_TOMASTOCK", {i, fecha(azar), codigo("", 100000 + azar.entre(1, filas), 6),
                                texto(depositos[azar.entre(0, 1)][0]), double(azar.entre(0, 300))});
    }
    e.terminar();
}

void crearVacia(const QString &archivo)
{
    QFile::remove(archivo);
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(archivo).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    sqlite3_exec(db, "PRAGMA page_size = 8192; VACUUM;", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

void ejecutarEsquema(const QString &archivo, const char *esquema)
{
    db::Connection cn;
    cn.Open(QStringLiteral("PROVIDER=SQLite;Data Source=%1;").arg(archivo));
    cn.Execute(QString::fromUtf8(esquema));
    cn.Close();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool ok = args.size() >= 2;
    const int filas = args.size() >= 3 ? args.at(2).toInt(&ok) : 5000;
    if (!ok || filas < 1 || filas > 1000000) {
        QTextStream(stderr) << "Uso: crear_demo CARPETA [FILAS]   (FILAS de 1 a 1000000; 5000 si se omite)"
                            << Qt::endl;
        return 2;
    }
    const QString carpeta = QDir(args.at(1)).absolutePath();
    if (!QDir().mkpath(carpeta)) {
        QTextStream(stderr) << "crear_demo: no se puede crear la carpeta " << carpeta << Qt::endl;
        return 1;
    }
    const QString empresa = QDir(carpeta).filePath(QStringLiteral("EMPRESA.db"));
    const QString estadisticas = QDir(carpeta).filePath(QStringLiteral("KV_ESTADISTICAS.db"));
    try {
        crearVacia(empresa);
        ejecutarEsquema(empresa, kEsquemaEmpresa);
        {
            Escritor e(empresa);
            e.ejecutar(kDisparadores);
            datosEmpresa(e, filas);
        }
        crearVacia(estadisticas);
        ejecutarEsquema(estadisticas, kEsquemaEstadisticas);
    } catch (const ErrorEjecucion &e) {
        QTextStream(stderr) << "crear_demo: " << e.Description << Qt::endl;
        return 1;
    }
    QTextStream(stdout) << "Creadas " << empresa << " y " << estadisticas << " (" << filas
                        << " clientes y artículos)" << Qt::endl;
    return 0;
}
