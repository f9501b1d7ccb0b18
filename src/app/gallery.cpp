// Renders the module's windows to PNG files for the user guide and the README:
// rq5160-gallery <output folder> <module arguments...>
#include "app/mainform.h"
#include "snmp/kxexception.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>

#include <cstdio>

namespace {

// Lets the front panel's first poll arrive and its LEDs settle after flashing.
void waitForFrontPanel(const TMainForm &window)
{
    QDeadlineTimer polled(5000);
    while (window.statusPanelText(1).isEmpty() && !polled.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QDeadlineTimer settled(600);
    while (!settled.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

bool save(QWidget &widget, const QString &folder, const QString &name)
{
    widget.show();
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    const bool saved = widget.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: rq5160-gallery <output folder> <module arguments...>\n");
        return 2;
    }
    const QString folder = arguments.at(1);
    QDir().mkpath(folder);
    arguments = arguments.mid(2);
    try {
        TMainForm window(arguments);
        window.show();
        waitForFrontPanel(window);
        return save(window, folder, QStringLiteral("main-window")) ? 0 : 1;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
