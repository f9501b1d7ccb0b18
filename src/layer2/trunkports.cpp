#include "layer2/trunkports.h"

#include "snmp/request.h"

#include <QList>
#include <QPair>

using namespace Qt::StringLiterals;

namespace {

using namespace KxSyntax;
using namespace KxAccess;

const KxSNMPVarDesc mirrorTable[] = {
    {"1.3.6.1.4.1.88508.11.68.1.2.10.1", "Mirror Logic Target Port", Integer, ReadOnly},
    {"1.3.6.1.4.1.88508.11.68.1.2.10.4", "Mirror Port State", Integer, ReadOnly},
    {},
};

const KxSNMPVarDesc nwayTable[] = {
    {"1.3.6.1.4.1.88508.11.68.1.2.3.2.1.1", "Port Control Port Index", Integer, NotAccess},
    {"1.3.6.1.4.1.88508.11.68.1.2.3.2.1.4", "Port Control Nway State", Integer, ReadOnly},
    {},
};

const KxSNMPVarDesc memberTable[] = {
    {"1.3.6.1.4.1.88508.11.68.1.2.9.3.1.1", "Trunk Index", Integer, NotAccess},
    {"1.3.6.1.4.1.88508.11.68.1.2.9.3.1.4", "Trunk Member", BitStr, ReadOnly},
    {},
};

constexpr int MirrorEnabled = 3;
constexpr int Forced10Half = 3;
constexpr int Forced100Half = 5;

// The rows of a table of one index and one column: (index, value).
QList<QPair<QString, QString>> walkColumn(const KxSNMPVarDesc *table)
{
    KxSNMPRequest request;
    request.varList.Assign(KxSNMPVarList(table, MVT_FMV, 1));
    QList<QPair<QString, QString>> rows;
    bool read = true;
    for (bool more = request.Read(true, read); more; more = request.Read(false, read)) {
        if (read)
            rows.append({request.varList.Item(0).value, request.varList.Item(1).value});
    }
    return rows;
}

} // namespace

PortSet ReadPortsUnfitForTrunks(const QString &exceptTrunk)
{
    PortSet unfit;
    KxSNMPRequest mirror;
    mirror.varList.Assign(KxSNMPVarList(mirrorTable, SVT_SV, 0));
    bool read = true;
    mirror.Read(true, read);
    if (read && mirror.varList.Item(1).value.toInt() == MirrorEnabled)
        unfit.set(mirror.varList.Item(0).value.toInt(), true);
    for (const auto &[port, nway] : walkColumn(nwayTable)) {
        if (nway.toInt() == Forced10Half || nway.toInt() == Forced100Half)
            unfit.set(port.toInt(), true);
    }
    for (const auto &[trunk, members] : walkColumn(memberTable)) {
        if (trunk != exceptTrunk)
            unfit = unfit | PortSet::fromHex(members);
    }
    return unfit;
}
