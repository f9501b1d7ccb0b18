#include "snmp/varlist.h"

namespace {

QString textOf(const char *text)
{
    return text ? QString::fromUtf8(text) : QString();
}

KxSNMPVar variableOf(const KxSNMPVarDesc &row)
{
    KxSNMPVar var;
    var.oid = QString::fromLatin1(row.oid);
    var.name = textOf(row.name);
    var.syntax = row.syntax;
    var.access = row.access;
    var.options = row.options;
    var.getExpression = textOf(row.getExpression);
    var.setExpression = textOf(row.setExpression);
    var.spare = textOf(row.spare);
    if (row.initialValue)
        var.value = *row.initialValue;
    if (row.initialLastOid)
        var.lastOid = *row.initialLastOid;
    return var;
}

} // namespace

const KxOptionList &KindNames()
{
    static const KxOptionList names(
        {{SVT_SV, "SVT_SV"}, {MVT_SV, "MVT_SV"}, {MVT_FMV, "MVT_FMV"}, {MVT_UMV, "MVT_UMV"}});
    return names;
}

const KxOptionList &SyntaxNames()
{
    using namespace KxSyntax;
    static const KxOptionList names(
        {{Boolean, "boolean"},       {Integer, "integer"},   {BitStr, "bitstr"},
         {OctetStr, "octetstr"},     {Null, "null"},         {ObjectId, "objectid"},
         {IpAddress, "ipaddress"},   {Counter, "counter"},   {Gauge, "guage"},
         {TimeTicks, "timeticks"},   {Opaque, "opaque"},     {NsapAddr, "nsapaddr"},
         {Counter64, "counter64"},   {UInteger, "uinteger"}, {Double, "double"},
         {MacAddress, "macaddress"}, {DateTime, "datetime"}, {BcDateTime, "bcdatetime"},
         {DisplayStr, "displaystr"}, {Bool8, "bool8"},       {Int8, "int8"},
         {UInt8, "uint8"},           {Bool16, "bool16"},     {Int16, "int16"},
         {UInt16, "uint16"}});
    return names;
}

const KxOptionList &AccessNames()
{
    using namespace KxAccess;
    static const KxOptionList names({{NotAccess, "notaccess"},
                                     {ReadOnly, "readonly"},
                                     {WriteOnly, "writeonly"},
                                     {ReadWrite, "readwrite"},
                                     {Derived, "derived"},
                                     {Hidden, "hidden"},
                                     {Invalid, "invalid"}});
    return names;
}

KxSNMPVarList::KxSNMPVarList(const KxSNMPVarDesc *table, quint8 kind, qint32 keyCount)
    : keyCount(keyCount)
    , kind(kind)
{
    Add(table);
}

KxSNMPVarList::KxSNMPVarList(const KxSNMPVarList &other)
{
    Assign(other);
}

void KxSNMPVarList::Add(const KxSNMPVarDesc *table)
{
    if (!table)
        return;
    size_t rows = 0;
    while (table[rows].oid)
        ++rows;
    m_vars.reserve(m_vars.size() + rows);
    for (size_t i = 0; i < rows; ++i)
        m_vars.push_back(variableOf(table[i]));
}

KxSNMPVarList &KxSNMPVarList::Assign(const KxSNMPVarList &other)
{
    if (&other == this)
        return *this;
    kind = other.kind;
    keyCount = other.keyCount;
    name = other.name;
    m_vars = other.m_vars;
    return *this;
}

void KxSNMPVarList::Clear()
{
    m_vars.clear();
}

bool KxSNMPVarList::IsImplied(int i) const
{
    return Item(i).access & KxAccess::Implied;
}

bool KxSNMPVarList::IsReadable(int i) const
{
    const qint32 access = Item(i).access;
    return !(access & KxAccess::Invalid) && (access & KxAccess::ReadOnly);
}

bool KxSNMPVarList::IsWritable(int i) const
{
    const qint32 access = Item(i).access;
    if (access & KxAccess::Invalid)
        return false;
    return (access & KxAccess::WriteOnly) || (IsTable() && i < keyCount);
}

bool KxSNMPVarList::IsShown(int i) const
{
    const qint32 access = Item(i).access;
    if (access & (KxAccess::Invalid | KxAccess::Hidden))
        return false;
    return access & (KxAccess::NotAccess | KxAccess::ReadOnly | KxAccess::Derived);
}

int KxSNMPVarList::ShownCount() const
{
    int count = 0;
    for (int i = 0; i < Count(); ++i)
        count += IsShown(i) ? 1 : 0;
    return count;
}

bool KxSNMPVarList::IsHiddenColumn(int i) const
{
    const qint32 access = Item(i).access;
    return access == KxAccess::WriteOnly || (access & (KxAccess::Invalid | KxAccess::Hidden));
}

int KxSNMPVarList::HiddenColumnCount() const
{
    int count = 0;
    for (int i = 0; i < Count(); ++i)
        count += IsHiddenColumn(i) ? 1 : 0;
    return count;
}
