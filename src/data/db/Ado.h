#pragma once

#include <QString>

// The numbers of the object model that the data-access code passes and tests:
// cursor and lock types, states, schema rowsets and field types.
namespace db {

enum CursorTypeEnum : int {
    adOpenUnspecified = -1,
    adOpenForwardOnly = 0,
    adOpenKeyset = 1,
    adOpenDynamic = 2,
    adOpenStatic = 3,
};

enum LockTypeEnum : int {
    adLockUnspecified = -1,
    adLockReadOnly = 1,
    adLockPessimistic = 2,
    adLockOptimistic = 3,
    adLockBatchOptimistic = 4,
};

enum ObjectStateEnum : int { adStateClosed = 0, adStateOpen = 1 };

enum CursorLocationEnum : int { adUseServer = 2, adUseClient = 3 };

enum CommandTypeEnum : int {
    adCmdUnspecified = -1,
    adCmdText = 1,
    adCmdTable = 2,
    adCmdUnknown = 8,
    adCmdTableDirect = 512,
};

enum EditModeEnum : int { adEditNone = 0, adEditInProgress = 1, adEditAdd = 2 };

enum SchemaEnum : int { adSchemaColumns = 4, adSchemaTables = 20 };

enum IsolationLevelEnum : int {
    adXactReadUncommitted = 256,
    adXactReadCommitted = 4096,
    adXactRepeatableRead = 65536,
    adXactSerializable = 1048576,
};

enum DataTypeEnum : int {
    adEmpty = 0,
    adSmallInt = 2,
    adInteger = 3,
    adSingle = 4,
    adDouble = 5,
    adCurrency = 6,
    adDate = 7,
    adBSTR = 8,
    adBoolean = 11,
    adTinyInt = 16,
    adUnsignedTinyInt = 17,
    adBigInt = 20,
    adBinary = 128,
    adChar = 129,
    adWChar = 130,
    adNumeric = 131,
    adDBDate = 133,
    adDBTime = 134,
    adDBTimeStamp = 135,
    adVarChar = 200,
    adLongVarChar = 201,
    adVarWChar = 202,
    adLongVarWChar = 203,
    adVarBinary = 204,
    adLongVarBinary = 205,
};

// How a value of a column is held in a field: the field type decides it.
enum class Naturaleza { Texto, Entero, Real, Logico, Fecha, Binario };

struct TipoCampo
{
    int tipo = adVarChar;  // DataTypeEnum
    int tamano = 0;        // DefinedSize
    Naturaleza naturaleza = Naturaleza::Texto;
};

// The field type of a declared column type such as "VARCHAR(40)", "MONEY" or
// "DECIMAL(12,2)", as SQL Server's provider would report it. An empty
// declaration (an expression) gives an invalid tipo of adEmpty.
TipoCampo TipoDeclarado(const QString &declarado);

// The nature of the values a field of this ADO type holds.
Naturaleza NaturalezaDeTipo(int tipoAdo);

}
