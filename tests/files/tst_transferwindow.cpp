#include "files/filetransfer.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A switch whose status read takes long enough for the window's timer to
// tick again while it waits: the read ticks the window itself.
class SlowSwitch final : public TransferStatusSource
{
public:
    TransferWindow *window = nullptr;
    int reads = 0;
    int status = 1; // in process

    int readTransferStatus() override
    {
        ++reads;
        if (window)
            window->tick();
        return status;
    }
    void showTransferText(const QString &text) override { shown = text; }
    void stopTftpServer() override {}

    QString shown;
};

} // namespace

class TestTransferWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aTickDuringAStatusReadReadsNothingMore()
    {
        SlowSwitch slow;
        TfrmRemoteFileTransfer window(slow, nullptr);
        slow.window = &window;
        window.tick();
        QCOMPARE(slow.reads, 1);

        slow.status = 6; // complete
        window.tick();
        QCOMPARE(slow.reads, 2);
        QCOMPARE(slow.shown, u"Transfer complete!"_s);
    }
};

QTEST_MAIN(TestTransferWindow)
#include "tst_transferwindow.moc"
