// rq5160-listview-bench <port> <repeat>: walks the forwarding table of the
// switch at 127.0.0.1:<port> (SNMPv2c) with the bare request and, in the same
// run, into a list view through the edits binding; prints the best times.
#include "binding/edits.h"
#include "snmp/records.h"
#include "snmp/session.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <cstdio>
#include <limits>

namespace {

const KxSNMPVarDesc fdbTable[] = {
    {"1.3.6.1.2.1.17.7.1.2.2.1.2", "Port", KxSyntax::Integer, KxAccess::ReadOnly},
    {"1.3.6.1.2.1.17.7.1.2.2.1.3", "Status", KxSyntax::Integer, KxAccess::ReadOnly},
    {},
};

struct Run
{
    qint64 ms;
    int rows;
};

Run bareWalk()
{
    KxSNMPRequest request;
    request.varList.Assign(KxSNMPVarList(fdbTable, MVT_UMV, 0));
    QElapsedTimer clock;
    clock.start();
    bool ok = true;
    int rows = 0;
    for (bool more = request.Read(true, ok); more; more = request.Read(false, ok))
        ++rows;
    return {clock.elapsed(), rows};
}

Run listViewWalk()
{
    QWidget form;
    QTreeWidget list(&form);
    KxSNMPRequest2Edits binding(&form);
    binding.asynchronous = false;
    binding.varList().Assign(KxSNMPVarList(fdbTable, MVT_UMV, 0));
    binding.AttachListView(&list, false);
    QElapsedTimer clock;
    clock.start();
    binding.Refresh();
    return {clock.elapsed(), list.topLevelItemCount()};
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: rq5160-listview-bench <port> <repeat>\n");
        return 2;
    }
    QTemporaryDir folder;
    CreateGlobalSession(folder.path());
    GlobalDevice().port = static_cast<quint16>(QString::fromLocal8Bit(argv[1]).toUInt());
    GlobalSecurity().version = SnmpCode::Version2c;
    const int repeat = std::max(1, QString::fromLocal8Bit(argv[2]).toInt());

    Run bare{std::numeric_limits<qint64>::max(), 0};
    Run bound{std::numeric_limits<qint64>::max(), 0};
    for (int i = 0; i < repeat; ++i) {
        const Run b = bareWalk();
        const Run l = listViewWalk();
        if (b.ms < bare.ms)
            bare = b;
        if (l.ms < bound.ms)
            bound = l;
    }
    std::printf("bare walk      %6d rows %7lld ms\n", bare.rows, static_cast<long long>(bare.ms));
    std::printf("list view walk %6d rows %7lld ms\n", bound.rows, static_cast<long long>(bound.ms));
    std::printf("RESULT listview rows=%d bare_ms=%lld listview_ms=%lld ratio=%.2f\n",
                bound.rows,
                static_cast<long long>(bare.ms),
                static_cast<long long>(bound.ms),
                bare.ms > 0 ? double(bound.ms) / double(bare.ms) : 0.0);
    return bare.rows == bound.rows ? 0 : 1;
}
