#include "security/aaaapplication.h"

#include "forms/entrychecks.h"
#include "forms/formbuilder.h"
#include "platform/radiogroup.h"
#include "security/aaamethods.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

using namespace KxSyntax;
using namespace KxAccess;
using enum KxFieldKind;

// The access applications, in the order of their objects.
const char *const applications[] = {"Console", "Telnet", "SSH", "Http"};
// An application chooses among at most this many method lists.
constexpr int MaxChoices = 8;

std::vector<KxField> applicationFields(const AAAMethodSide &side)
{
    static const char *const loginCaptions[] = {"AP Console Login Method",
                                                "AP Telnet Login Method",
                                                "AP SSH Login Method",
                                                "AP HTTP Login Method"};
    static const char *const enableCaptions[] = {"AP Console Enable Method",
                                                 "AP Telnet Enable Method",
                                                 "AP SSH Enable Method",
                                                 "AP HTTP Enable Method"};
    static const char *const loginLabels[]
        = {"lblLoginConsole", "lblLoginTelnet", "lblLoginSSH", "lblLoginHttp"};
    static const char *const enableLabels[]
        = {"lblEnableConsole", "lblEnableTelnet", "lblEnableSSH", "lblEnableHttp"};
    static std::vector<QByteArray> oids[2];
    std::vector<KxField> fields;
    for (int i = 0; i < 4; ++i) {
        if (oids[side.enable].size() < 4)
            oids[side.enable].push_back(QByteArray(side.assignmentOid) + '.'
                                        + QByteArray::number(i + 1));
        fields.push_back({{oids[side.enable][static_cast<size_t>(i)].constData(),
                           (side.enable ? enableCaptions : loginCaptions)[i],
                           DisplayStr,
                           ReadWrite},
                          (side.enable ? enableLabels : loginLabels)[i],
                          "",
                          Label});
    }
    return fields;
}

std::span<const KxField> sideFields(const AAAMethodSide &side)
{
    static const std::vector<KxField> login = applicationFields(LoginMethods);
    static const std::vector<KxField> enable = applicationFields(EnableMethods);
    return side.enable ? enable : login;
}

} // namespace

TAAAApplicationPage::TAAAApplicationPage(const AAAMethodSide &side,
                                         std::function<QStringList()> listNames)
    : TBindingPage(side.enable ? u"tbsEnableApplication"_s : u"tbsLoginApplication"_s,
                   u"Application"_s,
                   {760, 420},
                   sideFields(side))
    , m_side(side)
    , m_listNames(std::move(listNames))
{
    auto *layout = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    layout->addLayout(grid);
    layout->addStretch(1);
    QPushButton *apply = makeButton(u"Apply"_s, u"btnApply"_s);
    QPushButton *refresh = makeButton(u"Refresh"_s, u"btnRefresh"_s);
    layout->addLayout(makeButtonBar({apply, refresh}));
    connect(apply, &QPushButton::clicked, this, &TAAAApplicationPage::applyPage);
    connect(refresh, &QPushButton::clicked, this, &TAAAApplicationPage::showPage);
    int at = 0;
    for (const char *application : applications) {
        const QString name = QString::fromLatin1(application);
        auto *group = makeRadioGroup(u" %1 %2 Method "_s.arg(name, QString::fromLatin1(side.word)),
                                     u"rgp%1%2Member"_s.arg(name, QString::fromLatin1(side.word)),
                                     2);
        m_choices.push_back(group);
        grid->addWidget(group, at / 2, at % 2);
        ++at;
    }
    for (const KxField &field : fields())
        control(field.name)->hide();
}

QStringList TAAAApplicationPage::names() const
{
    QStringList names = m_listNames();
    for (const KxField &field : fields())
        names << control<QLabel>(field.name)->text();
    names << u"default"_s;
    names.removeAll(QString());
    names.removeDuplicates();
    names.sort();
    return names.mid(0, MaxChoices);
}

void TAAAApplicationPage::rebuildChoices()
{
    const QStringList offered = names();
    for (size_t i = 0; i < m_choices.size(); ++i) {
        RadioGroup *group = m_choices[i];
        const QString assigned = control<QLabel>(fields()[i].name)->text();
        group->setItems(offered);
        group->setItemIndex(static_cast<int>(offered.indexOf(assigned)));
    }
}

void TAAAApplicationPage::showEvent(QShowEvent *event)
{
    TBindingPage::showEvent(event);
    if (m_readQueued)
        return;
    m_readQueued = true;
    // The first read starts once the page is on the screen.
    QMetaObject::invokeMethod(this, &TAAAApplicationPage::showPage, Qt::QueuedConnection);
}

void TAAAApplicationPage::afterRead()
{
    rebuildChoices();
}

void TAAAApplicationPage::applyPage()
{
    for (size_t i = 0; i < m_choices.size(); ++i) {
        if (!checkEntry(m_choices[i]->itemIndex() >= 0,
                        m_choices[i],
                        u"%1 %2 Method should be choosed."_s.arg(QLatin1StringView(applications[i]),
                                                                 QString::fromLatin1(m_side.word))))
            return;
    }
    for (size_t i = 0; i < m_choices.size(); ++i)
        control<QLabel>(fields()[i].name)
            ->setText(m_choices[i]->items().at(m_choices[i]->itemIndex()));
    applyBinding();
}
