#include "files/filetransfer.h"

#include "platform/prompts.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int TickMs = 500;
constexpr int RemoteGiveUpAfter = 49;

} // namespace

QString TransferEndText(int statusIndex, const QString &completeText)
{
    switch (statusIndex) {
    case 2:
        return u"Invalid File!"_s;
    case 3:
        return u"Violation!"_s;
    case 4:
        return u"File not found!"_s;
    case 5:
        return u"disk full!"_s;
    case 6:
        return completeText;
    case 7:
        return u"Time Out!"_s;
    default:
        return {};
    }
}

TransferWindow::TransferWindow(TransferStatusSource &source, int maximum, QWidget *parent)
    : QDialog(parent)
    , m_source(source)
    , m_progress(new QProgressBar)
    , m_stop(new QPushButton(u"Stop"_s))
    , m_close(new QPushButton(u"Close"_s))
{
    setWindowTitle(u"File Transferring..."_s);
    m_progress->setObjectName(u"ProgressBar"_s);
    m_progress->setRange(0, maximum);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_stop->setObjectName(u"btnStop"_s);
    m_close->setObjectName(u"btnClose"_s);
    m_close->setEnabled(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_stop);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_progress);
    layout->addLayout(buttons);
    setMinimumWidth(320);
    m_timer.setInterval(TickMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
    connect(m_stop, &QPushButton::clicked, this, &TransferWindow::stop);
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);
}

void TransferWindow::closeEvent(QCloseEvent *event)
{
    m_timer.stop();
    QDialog::closeEvent(event);
}

// The status read waits for the switch while the window paints and its
// timer runs on: a tick during that wait reads nothing more.
bool TransferWindow::finishOnEndState(const QString &completeText)
{
    if (m_reading)
        return false;
    m_reading = true;
    const int status = m_source.readTransferStatus();
    m_reading = false;
    const QString text = TransferEndText(status, completeText);
    if (text.isEmpty())
        return false;
    m_source.showTransferText(text);
    close();
    return true;
}

void TransferWindow::stop()
{
    if (!prompts().question(this, u"Warning"_s, u"Really terminate file transmission?"_s))
        return;
    m_timer.stop();
    m_source.stopTftpServer();
    m_close->setEnabled(true);
    m_stop->setEnabled(false);
}

TfrmRemoteFileTransfer::TfrmRemoteFileTransfer(TransferStatusSource &source, QWidget *parent)
    : TransferWindow(source, 76, parent)
{
    setObjectName(u"frmRemoteFileTransfer"_s);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    m_timer.start();
}

void TfrmRemoteFileTransfer::tick()
{
    if (progressBar()->value() > RemoteGiveUpAfter) {
        close();
        return;
    }
    progressBar()->setValue(progressBar()->value() + 1);
    finishOnEndState(u"Transfer complete!"_s);
}

TfrmFileTransfer::TfrmFileTransfer(TransferStatusSource &source, QWidget *parent)
    : TransferWindow(source, 100, parent)
{
    setObjectName(u"frmFileTransfer"_s);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    progressBar()->setObjectName(u"pbFileTransfer"_s);
}

void TfrmFileTransfer::tick()
{
    finishOnEndState(QString());
}
