#include "rmon/rmonentry.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString IfIndexPrefix = u"1.3.6.1.2.1.2.2.1.1."_s;

} // namespace

const QString RmonOwner = u"rq5160"_s;
const QString TableNotReadMessage
    = u"The switch's entries are still being read. Please try again in a moment."_s;

QString DataSourceOfPort(int port)
{
    return IfIndexPrefix + QString::number(port);
}

int PortOfDataSource(QString source)
{
    if (source.startsWith(u'.'))
        source.remove(0, 1);
    if (!source.startsWith(IfIndexPrefix))
        return 0;
    return source.mid(IfIndexPrefix.size()).toInt();
}

quint32 FreeIndex(std::vector<quint32> used)
{
    std::sort(used.begin(), used.end());
    quint32 index = 1;
    for (quint32 taken : used) {
        if (taken == index)
            ++index;
        else if (taken > index)
            break;
    }
    return index;
}
