// Walks the forwarding table of a switch with KxSNMPRequest, one row per
// GET-NEXT exchange with all readable columns in one PDU, as the MAC
// forwarding dialog does (or N rows per GETBULK exchange with --bulk N), and
// prints what it took; --rows writes every row's values to a file.
//
//   rq5160_bench_walk ADDRESS PORT [--async] [--bulk N] [--rows FILE]

#include "snmp/request.h"
#include "snmp/session.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

const KxOptionList
    fdbStatus({{1, "other"}, {2, "invalid"}, {3, "learned"}, {4, "self"}, {5, "mgmt"}});

const KxSNMPVarDesc fdbTable[] = {
    {"1.3.6.1.2.1.17.7.1.2.1.1.1", "FDB ID", KxSyntax::Gauge, KxAccess::NotAccess},
    {"1.3.6.1.2.1.17.7.1.2.2.1.1", "FDB Address", KxSyntax::MacAddress, KxAccess::NotAccess},
    {"1.3.6.1.2.1.17.7.1.2.2.1.2", "FDB Port", KxSyntax::Integer, KxAccess::ReadOnly},
    {"1.3.6.1.2.1.17.7.1.2.2.1.3", "FDB Status", KxSyntax::Integer, KxAccess::ReadOnly, &fdbStatus},
    {},
};

long maxRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Every row is looked at, as a list view would, without keeping it.
struct Tally
{
    int rows = 0;
    qsizetype characters = 0;
    long rssAtQuarter = 0;
    QTextStream *out = nullptr;

    void add(const KxSNMPVarList &list)
    {
        ++rows;
        for (int i = 0; i < list.Count(); ++i) {
            characters += list.Item(i).value.size();
            if (out)
                *out << list.Item(i).value << (i + 1 < list.Count() ? ' ' : '\n');
        }
        if (rows == 2500)
            rssAtQuarter = maxRssKb();
    }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr,
                     "usage: rq5160_bench_walk ADDRESS PORT [--async] [--bulk N] [--rows FILE]\n");
        return 2;
    }
    QTemporaryDir bootCounterFolder;
    CreateGlobalSession(bootCounterFolder.path());
    GlobalDevice().address = args.at(1);
    GlobalDevice().port = args.at(2).toUShort();
    GlobalSecurity().version = SnmpCode::Version2c;
    const bool async = args.contains(u"--async"_s);
    const qsizetype bulkAt = args.indexOf(u"--bulk"_s);
    SetDefaultBulkRepetitions(bulkAt > 0 && bulkAt + 1 < args.size() ? args.at(bulkAt + 1).toInt()
                                                                     : 0);

    KxSNMPRequest request;
    request.varList.Assign(KxSNMPVarList(fdbTable, MVT_UMV, 2));
    int errors = 0;
    request.errorHandler = [&errors](const KxSNMPError &) {
        ++errors;
    };
    Tally tally;
    QFile rowsFile;
    QTextStream rowsOut(&rowsFile);
    if (const qsizetype at = args.indexOf(u"--rows"_s); at > 0 && at + 1 < args.size()) {
        rowsFile.setFileName(args.at(at + 1));
        if (!rowsFile.open(QIODevice::WriteOnly | QIODevice::Text)) {
            std::fprintf(
                stderr, "rq5160_bench_walk: cannot write %s\n", qPrintable(rowsFile.fileName()));
            return 2;
        }
        tally.out = &rowsOut;
    }
    const long rssBefore = maxRssKb();
    QElapsedTimer clock;
    clock.start();
    bool ok = true;
    if (async) {
        KxCompletion next = [&](void *, const KxSNMPError &error, KxSNMPVarList &list) {
            if (error.code != 0)
                ++errors;
            if (error.done) {
                app.quit();
                return;
            }
            tally.add(list);
            request.ReadAsync(false, next, nullptr, ok);
        };
        request.ReadAsync(true, next, nullptr, ok);
        app.exec();
    } else {
        for (bool more = request.Read(true, ok); more; more = request.Read(false, ok))
            tally.add(request.varList);
    }
    const double seconds = clock.nsecsElapsed() / 1e9;
    std::printf(
        "rows=%d seconds=%.3f errors=%d rss_before_kb=%ld rss_quarter_kb=%ld rss_end_kb=%ld\n",
        tally.rows,
        seconds,
        errors,
        rssBefore,
        tally.rssAtQuarter,
        maxRssKb());
    return errors == 0 ? 0 : 1;
}
