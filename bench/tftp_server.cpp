// Runs the module's TFTP server alone for bench/tftp:
//   rq5160-tftp-bench-server ROOT_FOLDER PORT
// prints "listening PORT" once it serves, and ends on SIGTERM or SIGINT.
#include "files/kxtftpserver.h"
#include "snmp/kxexception.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

int signalPipe[2];

void OnSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = write(signalPipe[1], &byte, 1);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: %s ROOT_FOLDER PORT\n", argv[0]);
        return 2;
    }
    if (pipe(signalPipe) != 0)
        return 1;
    QSocketNotifier quit(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&quit, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGINT, OnSignal);

    KxTFTPServer server;
    try {
        server.Start(args.at(1), args.at(2).toInt());
    } catch (const KxException &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::printf("listening %u\n", unsigned(server.port()));
    std::fflush(stdout);
    return app.exec();
}
