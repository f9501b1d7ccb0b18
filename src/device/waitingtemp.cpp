#include "device/waitingtemp.h"

#include "platform/paths.h"
#include "platform/prompts.h"
#include "snmp/kxexception.h"

#include <QProgressBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TWaitingTemp::TWaitingTemp(QWidget *parent, std::function<void()> load)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_load(std::move(load))
    , m_bar(new QProgressBar)
{
    setObjectName(u"WaitingTemp"_s);
    setWindowTitle(u"Please Waiting..."_s);
    m_bar->setObjectName(u"ProgressBar1"_s);
    m_bar->setRange(0, 100);
    m_bar->setTextVisible(false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_bar);
    resize(300, 24);
}

void TWaitingTemp::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    QMetaObject::invokeMethod(this, &TWaitingTemp::FormActivate, Qt::QueuedConnection);
}

void TWaitingTemp::FormActivate()
{
    if (m_activated)
        return;
    m_activated = true;
    try {
        m_load();
    } catch (const KxException &error) {
        prompts().message(this, Prompts::Kind::Error, ProgramFileName(), error.message());
    }
    QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
}
