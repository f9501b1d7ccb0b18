#include "forms/resultbar.h"

#include "snmp/request.h"

#include <QLabel>
#include <QTime>

using namespace Qt::StringLiterals;

TResultBar::TResultBar(const QString &name, QWidget *parent)
    : QStatusBar(parent)
    , m_time(new QLabel)
    , m_result(new QLabel)
{
    setObjectName(name);
    setSizeGripEnabled(false);
    m_time->setObjectName(name + u"Time"_s);
    m_result->setObjectName(name + u"Result"_s);
    m_time->setMinimumWidth(80);
    addWidget(m_time);
    addWidget(m_result, 1);
}

void TResultBar::attach(KxSNMPRequest &request, std::function<void(const KxSNMPError &)> also)
{
    request.errorHandler = [this, also = std::move(also)](const KxSNMPError &result) {
        report(result);
        if (also)
            also(result);
    };
}

void TResultBar::report(const KxSNMPError &result)
{
    m_time->setText(QTime::currentTime().toString(u"hh:mm:ss"_s));
    const bool failed = result.code != 0;
    if (!failed && m_keepFailure) {
        m_keepFailure = false;
        return;
    }
    m_keepFailure = failed;
    m_result->setText(result.message);
    if (failed)
        show();
}

QString TResultBar::timeText() const
{
    return m_time->text();
}

QString TResultBar::resultText() const
{
    return m_result->text();
}
