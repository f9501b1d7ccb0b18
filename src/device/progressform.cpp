#include "device/progressform.h"

#include "binding/controls.h"
#include "snmp/kxexception.h"

#include <QLabel>
#include <QLoggingCategory>
#include <QProgressBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

Q_LOGGING_CATEGORY(lcProgress, "rq5160.progress")

} // namespace

TBasicProgressForm::TBasicProgressForm(QWidget *parent, KxSNMPRequest2Controls &binding)
    : TBasicProgressForm(parent, [&binding] { binding.Apply(true, true); })
{}

TBasicProgressForm::TBasicProgressForm(QWidget *parent, const std::function<void()> &work)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_prompt(new QLabel)
    , m_bar(new QProgressBar)
{
    setObjectName(u"BasicProgressForm"_s);
    setWindowTitle(u"Progress"_s);
    m_prompt->setObjectName(u"LB_Prompt"_s);
    QFont bold = m_prompt->font();
    bold.setBold(true);
    m_prompt->setFont(bold);
    m_bar->setObjectName(u"ProgressBar"_s);
    m_bar->setRange(0, 76);
    m_bar->setValue(0);
    m_timer.setObjectName(u"ProgressTimer"_s);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_prompt);
    layout->addWidget(m_bar);
    setMinimumWidth(360);

    try {
        work();
    } catch (const KxException &error) {
        qCInfo(lcProgress) << error.message();
    }
    connect(&m_timer, &QTimer::timeout, this, &TBasicProgressForm::ProgressTimerTimer);
    m_timer.start(TickMs);
}

void TBasicProgressForm::ProgressTimerTimer()
{
    if (m_bar->value() >= CloseAt) {
        done(Accepted);
        return;
    }
    m_bar->setValue(m_bar->value() + 1);
}

void TBasicProgressForm::done(int result)
{
    m_timer.stop();
    QDialog::done(result);
}

void ShowBasicProgressForm(const ProgressWindowRequest &request)
{
    TBasicProgressForm window(request.parent, request.work);
    window.setWindowTitle(request.caption);
    window.prompt()->setText(request.prompt);
    window.exec();
}
