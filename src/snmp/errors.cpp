#include "snmp/errors.h"

#include <QFile>
#include <QStringList>

#include <array>

using namespace Qt::StringLiterals;

namespace {

const QStringList snmpBuiltIn = {
    u"(SNMP) Response PDU Too Big!"_s,
    u"(SNMP) Variable does not exist!"_s,
    u"(SNMP) Cannot modify variable: Bad Value!"_s,
    u"(SNMP) Cannot modify object, Read Only!"_s,
    u"(SNMP) Cannot perform operation, General Error!"_s,
    u"(SNMP) Cannot access variable, No Access!"_s,
    u"(SNMP) Cannot create/modify variable, Wrong Type!"_s,
    u"(SNMP) Cannot create/set variable, Wrong Length!"_s,
    u"(SNMP) Cannot create/set variable, Wrong Encoding!"_s,
    u"(SNMP) Cannot create/set variable, Wrong Value!"_s,
    u"(SNMP) Cannot create variable, Creation Not Allowed!"_s,
    u"(SNMP) Cannot create/set variable, Inconsistent Value!"_s,
    u"(SNMP) Cannot create/set variable, Resource Unavailable!"_s,
    u"(SNMP) Cannot create/set variable, Commit Failed!"_s,
    u"(SNMP) Cannot create/set variable, Undo Failed!"_s,
    u"(SNMP) Cannot perform operation, Authorization Error!"_s,
    u"(SNMP) Cannot create/set variable, Not Writable!"_s,
    u"(SNMP) Cannot create variable, Inconsistent Name!"_s,
};

const QStringList snmpv3BuiltIn = {
    u"(SNMPv3) Unsupported Security Model!"_s,
    u"(SNMPv3) Message not in Time Window!"_s,
    u"(SNMPv3) Received same Message twice!"_s,
    u"(SNMPv3) Invalid Message!"_s,
    u"(SNMPv3) Invalid EngineID!"_s,
    u"(SNMPv3) v3MP not initialized!"_s,
    u"(SNMPv3) Parse Error!"_s,
    u"(SNMPv3) Received Message with unknown MsgID!"_s,
    u"(SNMPv3) Message does not match known message!"_s,
    u"(SNMPv3) Community format error!"_s,
    u"(SNMPv3) Unknown UserName!"_s,
    u"(SNMPv3) Build error!"_s,
    u"(SNMPv3) USM: error!"_s,
    u"(SNMPv3) Unknown pdu handlers!"_s,
    u"(SNMPv3) Unavailable Context!"_s,
    u"(SNMPv3) Unknown Context!"_s,
    u"(SNMPv3) Report sent!"_s,
};

const QStringList usmBuiltIn = {
    u"(SNMPv3USM) error!"_s,
    u"(SNMPv3USM) Configfile write error!"_s,
    u"(SNMPv3USM) Unsupported SecurityLevel!"_s,
    u"(SNMPv3USM) Unknown SecurityName!"_s,
    u"(SNMPv3USM) Encryption error!"_s,
    u"(SNMPv3USM) Decryption error!"_s,
    u"(SNMPv3USM) Authentication error!"_s,
    u"(SNMPv3USM) Authentication failure!"_s,
    u"(SNMPv3USM) Parse error!"_s,
    u"(SNMPv3USM) Unknown EngineID!"_s,
    u"(SNMPv3USM) Message not in TimeWindow!"_s,
    u"(SNMPv3USM) Unsupported AuthProtocol!"_s,
    u"(SNMPv3USM) Unsupported PrivProtocol!"_s,
    u"(SNMPv3USM) Address error!"_s,
};

const QStringList snmpClassBuiltIn = {
    u"(SNMPClass) Operation failed!"_s,
    u"(SNMPClass) Resource unavailable!"_s,
    u"(SNMPClass) Internal error!"_s,
    u"(SNMPClass) Unsupported function!"_s,
    u"(SNMPClass) SNMP request timed out!"_s,
    u"(SNMPClass) Received SNMP Response!"_s,
    u"(SNMPClass) Received SNMP Notification (trap or inform)!"_s,
    u"(SNMPClass) Closing session with outstanding requests!"_s,
    u"(SNMPClass)Unknown error code!"_s,
    u"(SNMPClass) Class not valid!"_s,
    u"(SNMPClass) Invalid Pdu!"_s,
    u"(SNMPClass) Invalid Target!"_s,
    u"(SNMPClass) Invalid (null) Callback Function!"_s,
    u"(SNMPClass) Invalid Request Id!"_s,
    u"(SNMPClass) Invalid Notification Id!"_s,
    u"(SNMPClass) SNMP Operation not supported on specified Target!"_s,
    u"(SNMPClass) Invalid Object Identifier!"_s,
    u"(SNMPClass) Invalid Address!"_s,
    u"(SNMPClass) Agent indicates error in SNMP request!"_s,
    u"(SNMP Class) Transport is not supported!"_s,
    u"(SNMPClass) Transport is in use!"_s,
    u"(SNMPClass) Transport operation failed!"_s,
    u"(SNMPClass) Blocked Mode Shutdown!"_s,
};

const QStringList kxsnmpBuiltIn = {
    u"(KxSNMP++) Ok!"_s,
    u"(KxSNMP++) Fail to read SNMP variables from file([FILENAME])!"_s,
    u"(KxSNMP++) Bad format at line([LINENO])in SNMP variables file([FILENAME])!"_s,
    u"(KxSNMP++) Bad item type at line([LINENO])in SNMP variables file([FILENAME])!"_s,
    u"(KxSNMP++) Bad syntax at line([LINENO])in SNMP variables file([FILENAME])!"_s,
    u"(KxSNMP++) Bad access type at line([LINENO])in SNMP variables file([FILENAME])!"_s,
    u"(KxSNMP++) Cannot create the global KxSNMP++ session!"_s,
    u"(KxSNMP++) Error when loading SNMP engine boots counter!"_s,
    u"(KxSNMP++) Error when saving SNMP engine boots counter!"_s,
    u"(KxSNMP++) Invalid IP Address or DNS name!"_s,
    u"(KxSNMP++) Can't send get-next command for a SNMP variable list with single value!"_s,
    u"(KxSNMP++) Bad SNMP syntax!"_s,
    u"(KxSNMP++) Null value in the expression!"_s,
    u"(KxSNMP++) Bad SNMP syntax in the expression!"_s,
    u"(KxSNMP++) Bad key count of SNMP variable list!"_s,
    u"(KxSNMP++) Bad item type of SNMP variable list!"_s,
    u"(KxSNMP++) Bad item type of associated SNMP variable list!"_s,
    u"(KxSNMP++) Bad syntax of the associated SNMP variable's (partial) data!"_s,
    u"(KxSNMP++) Bad value of the associated SNMP variable's (partial) data!"_s,
    u"(KxSNMP++) Out of range for the bit(byte) index of the associated SNMP variable's (partial) data!"_s,
    u"(KxSNMP++) No reference option list for a SNMP variable's (partial) data associating with a optional visual control!"_s,
    u"(KxSNMP++) Bad type of the associated visual control!"_s,
    u"(KxSNMP++) Count of the associated visual controls is not enough!"_s,
    u"(KxSNMP++) No system start time for the time whose data source is the SNMP variable's (partial) data with syntax timeticks!"_s,
    u"(KxSNMP++) Count of the value items for the chart's history data is not enough!"_s,
    u"(KxSNMP++) Log database is not connected!"_s,
    u"(KxSNMP++) Log database field not found!"_s,
    u"(KxSNMP++) Bad syntax for the history chart of log!"_s,
    u"(KxSNMP++) Unknown error code!"_s,
};

const QStringList statusTemplatesBuiltIn = {
    u"Get: [ERROR] Request:[VARLIST]. Receive at [TIME]."_s,
    u"Set: [ERROR] Request:[VARLIST]. Receive at [TIME]."_s,
};

const QStringList commonBuiltIn = {
    u"(KxCommon) Ok!"_s,
    u"(KxCommon) Bad logic operand!"_s,
    u"(KxCommon) Bad format specifier of edit's constraint!"_s,
    u"(KxCommon) Empty value is not allowed!"_s,
    u"(KxCommon) Please enter a string whose length is less than [MAXLEN]!"_s,
    u"(KxCommon) Please enter a string whose length is [LEN]!"_s,
    u"(KxCommon) Please enter a hex string whose length is less than [MAXLEN]!"_s,
    u"(KxCommon) Please enter a hex string whose length is [LEN]!"_s,
    u"(KxCommon) Please enter a number between [MIN] and [MAX]!"_s,
    u"(KxCommon) Please enter a delimited number string with delimiter '[DELIMITER]'.\nHere,the count of the number is less than [MAXCOUNT]!"_s,
    u"(KxCommon) Please enter a delimited number string with delimiter '[DELIMITER]'.\nHere,the count of the number is equal to [COUNT]!"_s,
    u"(KxCommon) Please enter a delimited number string with delimiter '[DELIMITER]'.\nHere,each number is between [MIN] and [MAX]!"_s,
    u"(KxCommon) Out of range at index of array or list!"_s,
    u"(KxCommon) Destination buffer is undersize!"_s,
    u"(KxCommon) The source to dncrypt is not encrypted!"_s,
    u"(KxCommon) Fail to read data from file([FILENAME])!"_s,
    u"(KxCommon) Fail to write data to file([FILENAME])!"_s,
    u"(KxCommon) Fail to write value in ini file([FILENAME])!"_s,
    u"(KxCommon) Fail to read option data from file([FILENAME])!"_s,
};

const std::array<const QStringList *, 7> builtIn = {&snmpBuiltIn,
                                                    &snmpv3BuiltIn,
                                                    &usmBuiltIn,
                                                    &snmpClassBuiltIn,
                                                    &kxsnmpBuiltIn,
                                                    &statusTemplatesBuiltIn,
                                                    &commonBuiltIn};

std::array<QStringList, 7> &tables()
{
    static std::array<QStringList, 7> loaded = [] {
        std::array<QStringList, 7> copy;
        for (size_t i = 0; i < copy.size(); ++i)
            copy[i] = *builtIn[i];
        return copy;
    }();
    return loaded;
}

QStringList &table(MessageTable which)
{
    return tables()[static_cast<size_t>(which)];
}

// A table, the first code it holds and the direction codes run in.
struct TableSpan
{
    MessageTable table;
    int first;
    int last;
};

// Layer code ranges and the table entry each code selects: entry = first - code.
constexpr std::array<TableSpan, 5> codeSpans = {{
    {MessageTable::Snmp, -101, -118},
    {MessageTable::Snmpv3, -201, -217},
    {MessageTable::Usm, -301, -314},
    {MessageTable::SnmpClass, -401, -423},
    {MessageTable::KxSnmp, -500, -528},
}};

struct CodeRange
{
    int first;
    QStringList texts;
};

const CodeRange agentStatusTexts{-101,
                                 {
                                     u"Packet is too big."_s,
                                     u"No such name."_s,
                                     u"Bad value."_s,
                                     u"Can not set a Read-Only object."_s,
                                     u"General Error"_s,
                                     u"No access."_s,
                                     u"Wrong type."_s,
                                     u"Wrong length."_s,
                                     u"Wrong encoding."_s,
                                     u"Wrong Value."_s,
                                     u"No creation."_s,
                                     u"inconsistent value."_s,
                                     u"Resource unavailable."_s,
                                     u"Commit error."_s,
                                     u"Snmp operation UNDO error."_s,
                                     u"Authentication failed."_s,
                                     u"Object is not allowed to write."_s,
                                     u"Inconsistent name."_s,
                                 }};

const CodeRange messageProcessingTexts{-201,
                                       {
                                           u"Using unsupported security model."_s,
                                           u"Message not in Time Window."_s,
                                           u"Repeated message."_s,
                                           u"Invalid message."_s,
                                           u"Invalid EngineID."_s,
                                           u"Not initialized."_s,
                                           u"Parse error"_s,
                                           u"Unknown MessageID."_s,
                                           u"Message does not match known message"_s,
                                           u"Community error."_s,
                                           u"User name error."_s,
                                           u"Build error."_s,
                                           u"USM error."_s,
                                           u"Unknown pdu handlers."_s,
                                           u"Unavaliable context."_s,
                                           u"Unknown context."_s,
                                           u"Report sent."_s,
                                       }};

const CodeRange usmTexts{-301,
                         {
                             u"USM error."_s,
                             u"Configfile write error."_s,
                             u"Unsupported security level."_s,
                             u"Unknown security name."_s,
                             u"Encryption error."_s,
                             u"Decryption error."_s,
                             u"Authentication error."_s,
                             u"Authentication failure."_s,
                             u"Parse error."_s,
                             u"Unknown EngineID."_s,
                             u"Message not in Time Window"_s,
                             u"Using unsupported authentication protocol."_s,
                             u"Using unsupported private protocol."_s,
                             u"Address error."_s,
                         }};

const CodeRange libraryTexts{-401,
                             {
                                 u"Operation failed."_s,
                                 u"Resource unavailable."_s,
                                 u"Internal error."_s,
                                 u"Unsupported function."_s,
                                 u"Time out."_s,
                                 u"Received SNMP Response."_s,
                                 u"Received SNMP Notification (trap or inform)."_s,
                                 u"Closing session with outstanding requests."_s,
                             }};

const CodeRange libraryTextsFrom410{-410,
                                    {
                                        u"Class is not valid."_s,
                                        u"Invalid pdu."_s,
                                        u"Invalid target."_s,
                                        u"Invalid (null) Callback Function."_s,
                                        u"Invalid Request Id."_s,
                                        u"Invalid Notification Id."_s,
                                        u"SNMP Operation not supported on specified Target."_s,
                                        u"Invalid Object Identifier."_s,
                                        u"Invalid address."_s,
                                        u"Agent indicates error in SNMP request."_s,
                                        u"Transport is not supported."_s,
                                        u"Transport is in use."_s,
                                        u"Transport operation failed."_s,
                                        u"Blocked Mode Shutdown."_s,
                                    }};

const CodeRange layerTexts{
    -500,
    {
        u"Success."_s,
        u"Fail to read SNMP variables from file."_s,
        u"Bad format at some line in SNMP variables file."_s,
        u"Bad item type at some line in SNMP variables file."_s,
        u"Bad syntax at some line in SNMP variables file."_s,
        u"Bad access type at some line in SNMP variables file."_s,
        u"Cannot create the global KxSNMP++ session."_s,
        u"Error when loading SNMP engine boots counter."_s,
        u"Error when saving SNMP engine boots counter."_s,
        u"Invalid IP Address or DNS name."_s,
        u"Can't send get-next command for a SNMP variable list with single value."_s,
        u"Bad SNMP syntax."_s,
        u"Null value in the expression."_s,
        u"Bad SNMP syntax in the expression."_s,
        u"Bad key count of SNMP variable list."_s,
        u"Bad item type of SNMP variable list."_s,
        u"Bad item type of associated SNMP variable list."_s,
        u"Bad syntax of the associated SNMP variable's (partial) data."_s,
        u"Bad value of the associated SNMP variable's (partial) data."_s,
        u"Out of range for the bit(byte) index of the associated SNMP variable's (partial) data."_s,
        u"No reference option list for a SNMP variable's (partial) data associating with a optional visual control."_s,
        u"Bad type of the associated visual control."_s,
        u"Count of the associated visual controls is not enough."_s,
        u"No system start time for the time whose data source is the SNMP variable's (partial) data with syntax timeticks."_s,
        u"Count of the value items for the chart's history data is not enough."_s,
        u"Log database is not connected."_s,
        u"Log database field not found."_s,
        u"Bad syntax for the history chart of log."_s,
        u"Unknown error code."_s,
    }};

const std::array<const CodeRange *, 6> shortTexts = {&agentStatusTexts,
                                                     &messageProcessingTexts,
                                                     &usmTexts,
                                                     &libraryTexts,
                                                     &libraryTextsFrom410,
                                                     &layerTexts};

// Message files cannot hold a line break: the two characters "\n" stand for one.
QString unescapeLineBreaks(QString line)
{
    return line.replace("\\n"_L1, "\n"_L1);
}

} // namespace

StatusError StatusToError(int status)
{
    if (status == 0 || status == 1400 || status == -1401)
        return {0, ErrorMessage(0)};
    int code = KxError::UnknownErrorCode;
    if (status >= 1 && status <= 18)
        code = -100 - status;
    else if (status <= -1402 && status >= -1418)
        code = status + 1201;
    else if (status >= 1401 && status <= 1414)
        code = 1100 - status;
    else if (status <= -1 && status >= -23)
        code = status - 400;
    return {code, ErrorMessage(code)};
}

QString ErrorMessage(int code)
{
    if (code == 0)
        return MessageText(MessageTable::KxSnmp, 0);
    for (const TableSpan &span : codeSpans) {
        if (code <= span.first && code >= span.last)
            return MessageText(span.table, span.first - code);
    }
    return MessageText(MessageTable::KxSnmp, 28);
}

QString CommonMessage(int code)
{
    return MessageText(MessageTable::KxCommon, -code);
}

QString MessageText(MessageTable which, int index)
{
    return table(which).value(index);
}

void LoadMessageFile(MessageTable which, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QStringList entries;
    while (!file.atEnd()) {
        QString line = QString::fromLocal8Bit(file.readLine());
        if (line.endsWith(u'\n'))
            line.chop(1);
        if (!line.trimmed().isEmpty())
            entries.append(unescapeLineBreaks(line));
    }
    if (!entries.isEmpty())
        table(which) = entries;
}

void ResetMessageTables()
{
    for (size_t i = 0; i < tables().size(); ++i)
        tables()[i] = *builtIn[i];
}

QString ErrorCodeText(int code)
{
    if (code == 0)
        return u"Success."_s;
    for (const CodeRange *range : shortTexts) {
        const int index = range->first - code;
        if (index >= 0 && index < range->texts.size())
            return range->texts.at(index);
    }
    return u"No information."_s;
}
