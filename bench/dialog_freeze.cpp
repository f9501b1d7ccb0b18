// rq5160-dialog-freeze <seconds> v2c|v3: opens Basic Information against a
// loopback port where nothing answers and prints the longest time the GUI
// thread's event loop went without running while the dialog read:
//   open_ms=O max_gap_ms=G
// open_ms is the time from the start of the dialog's creation until it shows.
#include "device/basicinfor.h"
#include "snmp/records.h"
#include "snmp/session.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <QUdpSocket>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int TickMs = 5;

void useVersion(const char *version)
{
    KxSNMPSecurity &security = GlobalSecurity();
    if (std::strcmp(version, "v3") == 0) {
        security.version = SnmpCode::Version3;
        security.securityModel = SnmpCode::ModelUsm;
        security.securityLevel = SnmpCode::AuthPriv;
        security.securityName = QStringLiteral("foo");
        security.authProtocol = SnmpCode::AuthMd5;
        security.authPassword = QStringLiteral("foo12345");
        security.privProtocol = SnmpCode::PrivDes;
        security.privPassword = QStringLiteral("bar12345");
    } else {
        security.version = SnmpCode::Version2c;
        security.readCommunity = QStringLiteral("tundra");
        security.writeCommunity = QStringLiteral("granite");
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: rq5160-dialog-freeze SECONDS v2c|v3\n");
        return 2;
    }
    QApplication app(argc, argv);
    QTemporaryDir folder;
    CreateGlobalSession(folder.path());
    // Bound and never read: requests to it get no answer.
    QUdpSocket silent;
    silent.bind(QHostAddress::LocalHost, 0);
    GlobalDevice().address = QStringLiteral("127.0.0.1");
    GlobalDevice().port = silent.localPort();
    useVersion(argv[2]);

    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        longest = std::max(longest, now - last);
        last = now;
    });

    clock.start();
    TBasicInforForm dialog;
    dialog.show();
    const qint64 openMs = clock.elapsed();
    last = openMs;
    ticks.start(TickMs);
    QTimer::singleShot(std::atoi(argv[1]) * 1000, &app, &QApplication::quit);
    app.exec();
    ticks.stop();
    std::printf("open_ms=%lld max_gap_ms=%lld\n",
                static_cast<long long>(openMs),
                static_cast<long long>(longest));
    return 0;
}
