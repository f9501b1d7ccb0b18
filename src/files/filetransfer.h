#pragma once

#include <QDialog>
#include <QTimer>

class QProgressBar;
class QPushButton;

// What a transfer window needs from the file dialog that opened it.
class TransferStatusSource
{
public:
    virtual ~TransferStatusSource() = default;
    // Reads the switch's transfer status: the position in the status option
    // list (0 other ... 7 time-out), or -1 when it could not be read.
    virtual int readTransferStatus() = 0;
    // Text in the dialog's status panel 2.
    virtual void showTransferText(const QString &text) = 0;
    virtual void stopTftpServer() = 0;
};

// The status-bar text of an end state of a transfer, or an empty text while
// it is still going on (other, in-process, complete as `completeText`).
QString TransferEndText(int statusIndex, const QString &completeText);

// Common part of the two transfer windows: progress bar, "Stop" and "Close",
// a 500 ms timer whose tick is public so tests drive it.
class TransferWindow : public QDialog
{
public:
    TransferWindow(TransferStatusSource &source, int maximum, QWidget *parent);

    virtual void tick() = 0;
    bool isTimerActive() const { return m_timer.isActive(); }
    QProgressBar *progressBar() const { return m_progress; }
    QPushButton *stopButton() const { return m_stop; }
    QPushButton *closeButton() const { return m_close; }

protected:
    void closeEvent(QCloseEvent *event) override;
    // Reads the status and ends the window on an end state; true when ended.
    bool finishOnEndState(const QString &completeText);

    TransferStatusSource &m_source;
    QTimer m_timer;

private:
    void stop();

    QProgressBar *m_progress;
    QPushButton *m_stop;
    QPushButton *m_close;
    bool m_reading = false;
};

// Watches a transfer the switch makes with another TFTP server: polls the
// status until an end state, or gives up after about 25 seconds.
class TfrmRemoteFileTransfer final : public TransferWindow
{
public:
    TfrmRemoteFileTransfer(TransferStatusSource &source, QWidget *parent);
    void tick() override;
};

// Shown for transfers served by the module's own server: it waits for Stop
// and Close; its tick reports failures only.
class TfrmFileTransfer final : public TransferWindow
{
public:
    TfrmFileTransfer(TransferStatusSource &source, QWidget *parent);
    void tick() override;
};
