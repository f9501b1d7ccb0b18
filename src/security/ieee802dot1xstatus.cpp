#include "security/ieee802dot1xstatus.h"

#include "binding/edits.h"
#include "forms/bindingpage.h"
#include "forms/entrychecks.h"
#include "forms/formbuilder.h"
#include "forms/resultbar.h"
#include "platform/radiogroup.h"
#include "security/dot1xobjects.h"

#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int EnabledItem = 0;
constexpr int StatusTimeout = 500; // hundredths of a second

using enum KxFieldKind;

const KxField statusFields[] = {
    {SystemAuthControlDesc, "rgpIEEE802dot1XStatus", "802.1X Status", Radio},
    {AuthProtocolDesc, "rgpPortInterfaceAdminSpeedDuplexValue", "Authentication Protocol", Radio},
    {AuthModeDesc, "rgpPortInterfaceAddressLearningState", "Authentication Method", Radio},
};

} // namespace

TIEEE802dot1XStatusForm::TIEEE802dot1XStatusForm(QWidget *parent)
    : QDialog(parent)
    , m_page(new TBindingPage(u"pnlIEEE802dot1XStatus"_s, QString(), {}, statusFields))
    , m_status(m_page->control<RadioGroup>("rgpIEEE802dot1XStatus"))
    , m_protocol(m_page->control<RadioGroup>("rgpPortInterfaceAdminSpeedDuplexValue"))
    , m_method(m_page->control<RadioGroup>("rgpPortInterfaceAddressLearningState"))
    , m_result(new TResultBar(u"stbIEEE802dot1xStatus"_s))
    , m_work(this, [this] { m_page->stop(); })
{
    setObjectName(u"IEEE802dot1XStatusForm"_s);
    setWindowTitle(u"Status :"_s);
    m_page->layOutFields();

    QPushButton *apply = makeButton(u"Apply"_s, u"btnApply"_s);
    QPushButton *refresh = makeButton(u"Refresh"_s, u"btnRefresh"_s);
    QPushButton *close = makeCloseButton(this);
    QPushButton *help = makeHelpButton();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_page, 1);
    layout->addLayout(makeButtonBar({apply, refresh, close, help}));
    layout->addWidget(m_result);

    connect(apply, &QPushButton::clicked, this, &TIEEE802dot1XStatusForm::btnApplyClick);
    connect(refresh, &QPushButton::clicked, this, &TIEEE802dot1XStatusForm::btnRefreshClick);
    connect(m_status,
            &RadioGroup::itemIndexChanged,
            this,
            &TIEEE802dot1XStatusForm::rgpIEEE802dot1XStatusClick);
    resize(360, 330);
}

TIEEE802dot1XStatusForm::~TIEEE802dot1XStatusForm() = default;

void TIEEE802dot1XStatusForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_created)
        return;
    m_created = true;
    QMetaObject::invokeMethod(this, &TIEEE802dot1XStatusForm::FormCreate, Qt::QueuedConnection);
}

void TIEEE802dot1XStatusForm::FormCreate()
{
    KxSNMPRequest &request = m_page->request();
    request.timeout = StatusTimeout;
    m_result->attach(request);
    m_method->setEnabled(false);
    run(PageAction::Read);
}

// With 802.1X off (or unknown) protocol and method cannot be chosen.
void TIEEE802dot1XStatusForm::showChoices()
{
    if (m_status->itemIndex() == EnabledItem)
        return;
    m_protocol->setEnabled(false);
    m_method->setEnabled(false);
}

void TIEEE802dot1XStatusForm::rgpIEEE802dot1XStatusClick(int index)
{
    m_protocol->setEnabled(index == EnabledItem);
    m_method->setEnabled(index == EnabledItem);
}

void TIEEE802dot1XStatusForm::btnRefreshClick()
{
    run(PageAction::Read);
}

// Writes the choices that differ from the switch: the method the user chose
// goes out as chosen, and switching 802.1X off keeps the method.
void TIEEE802dot1XStatusForm::btnApplyClick()
{
    if (!checkChoice(m_status, u"802.1X Status"_s)
        || !checkChoice(m_protocol, u"Authentication Protocol"_s)
        || !checkChoice(m_method, u"Authentication Method"_s))
        return;
    run(PageAction::Apply);
}

void TIEEE802dot1XStatusForm::run(PageAction operation)
{
    m_work.run([this, operation] {
        RunPageAction(*m_page, operation);
        showChoices();
    });
}

void TIEEE802dot1XStatusForm::done(int result)
{
    if (!m_work.holdClose())
        QDialog::done(result);
}
