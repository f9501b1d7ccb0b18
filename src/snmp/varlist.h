#pragma once

#include "snmp/optionlist.h"

#include <QString>

#include <memory>
#include <vector>

// Syntax codes of a variable. Codes from Bool8 on describe parts of an octet
// string for the control binding; a variable itself never has them.
namespace KxSyntax {
enum Code : qint32 {
    Boolean = 1,
    Integer = 2,
    BitStr = 3,
    OctetStr = 4,
    Null = 5,
    ObjectId = 6,
    IpAddress = 64,
    Counter = 65,
    Gauge = 66,
    TimeTicks = 67,
    Opaque = 68,
    NsapAddr = 69,
    Counter64 = 70,
    UInteger = 71,
    Double = 72,
    MacAddress = 73,
    DateTime = 74,
    BcDateTime = 75,
    DisplayStr = 76,
    Bool8 = 193,
    Int8 = 194,
    UInt8 = 195,
    Bool16 = 196,
    Int16 = 197,
    UInt16 = 198,
};
} // namespace KxSyntax

// Access bits of a variable.
namespace KxAccess {
enum Bits : qint32 {
    NotAccess = 1, // index column: decoded from the row index, never read
    ReadOnly = 2,
    WriteOnly = 4,
    ReadWrite = 6,
    Derived = 8,
    Hidden = 16,
    Invalid = 32, // excluded from every operation for the time being
    Implied = 64, // last index component without a length prefix
};
} // namespace KxAccess

// How a list is read.
enum KxListKind : quint8 {
    SVT_SV = 0,  // scalars: one GET of OID.0
    MVT_SV = 1,  // one instance of table columns: GET (or GET-NEXT) of OID.suffix
    MVT_FMV = 2, // table walk, one row per GET-NEXT
    MVT_UMV = 3, // table walk, one row per GET-NEXT
};

// The code/name tables of the list kinds, syntaxes and access bits.
const KxOptionList &KindNames();
const KxOptionList &SyntaxNames();
const KxOptionList &AccessNames();

// A row of a static descriptor table; a row whose OID is null ends the table.
struct KxSNMPVarDesc
{
    const char *oid = nullptr;
    const char *name = nullptr;
    qint32 syntax = 0;
    qint32 access = 0;
    const KxOptionList *options = nullptr;
    const char *getExpression = nullptr;
    const char *setExpression = nullptr;
    const char *spare = nullptr;
    const QString *initialValue = nullptr;
    const QString *initialLastOid = nullptr;
};

// A variable of a list: the descriptor's fields plus its value text and the
// full OID of the instance last read.
struct KxSNMPVar
{
    QString oid;
    QString name;
    qint32 syntax = 0;
    qint32 access = 0;
    const KxOptionList *options = nullptr;
    QString getExpression;
    QString setExpression;
    QString spare;
    QString value;
    QString lastOid;
};

// An ordered list of variables with its index suffix, key count and kind.
class KxSNMPVarList
{
public:
    KxSNMPVarList() = default;
    KxSNMPVarList(const KxSNMPVarDesc *table, quint8 kind, qint32 keyCount);
    // A copy of the other list with an empty index suffix.
    KxSNMPVarList(const KxSNMPVarList &other);
    KxSNMPVarList &operator=(const KxSNMPVarList &) = delete;

    // Appends one variable per row of the table, up to its terminating row.
    void Add(const KxSNMPVarDesc *table);
    // Copies the other's variables, kind, key count and name; keeps the suffix.
    KxSNMPVarList &Assign(const KxSNMPVarList &other);
    void Clear();

    int Count() const { return static_cast<int>(m_vars.size()); }
    KxSNMPVar &Item(int i) { return m_vars[static_cast<size_t>(i)]; }
    const KxSNMPVar &Item(int i) const { return m_vars[static_cast<size_t>(i)]; }

    bool IsImplied(int i) const;
    bool IsReadable(int i) const;
    bool IsWritable(int i) const;
    bool IsShown(int i) const;
    int ShownCount() const;
    bool IsHiddenColumn(int i) const;
    int HiddenColumnCount() const;
    bool IsTable() const { return kind == MVT_FMV || kind == MVT_UMV; }

    QString indexSuffix;
    qint32 keyCount = 0;
    quint8 kind = SVT_SV;
    QString name;
    // Option lists made for this list (by a binding); destroyed with it.
    std::vector<std::unique_ptr<KxOptionList>> ownedOptionLists;

private:
    std::vector<KxSNMPVar> m_vars;
};
