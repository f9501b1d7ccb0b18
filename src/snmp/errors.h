#pragma once

#include <QString>

// The seven message tables: built-in texts that message files may replace.
enum class MessageTable { Snmp, Snmpv3, Usm, SnmpClass, KxSnmp, StatusTemplates, KxCommon };

// Layer codes that the rest of the module names.
namespace KxError {
constexpr int Ok = 0;
constexpr int Timeout = -405;
constexpr int CannotCreateSession = -506;
constexpr int CannotLoadBootCounter = -507;
constexpr int CannotSaveBootCounter = -508;
constexpr int InvalidAddress = -509;
constexpr int GetNextOnSingleValue = -510;
constexpr int BadSyntax = -511;
constexpr int NullInExpression = -512;
constexpr int BadSyntaxInExpression = -513;
constexpr int BadKeyCount = -514;
constexpr int BadListKind = -515;
constexpr int UnknownErrorCode = -528;
} // namespace KxError

struct StatusError
{
    int code;
    QString message;
};

// Maps a status of the SNMP engine (agent error status 1..18, message
// processing -1402..-1418, USM 1401..1414, library -1..-23) to the layer's
// code and its message text. Success statuses give 0; unknown ones -528.
StatusError StatusToError(int status);

// The message-table text of a layer code (0, -101..-118, -201..-217,
// -301..-314, -401..-423, -500..-528); other codes give entry 28 of KxSNMP++.
QString ErrorMessage(int code);

// The text of entry -code of the KxCommon table (codes 0 to -18).
QString CommonMessage(int code);

// Entry `index` of a table; a missing entry gives an empty text.
QString MessageText(MessageTable table, int index);

// Replaces the table by the non-blank lines of the file. A file that cannot
// be read or holds no non-blank line leaves the table as it was.
void LoadMessageFile(MessageTable table, const QString &path);

// Restores every table to its built-in texts.
void ResetMessageTables();

// A short text for status bars and dialog messages, independent of the tables.
QString ErrorCodeText(int code);
