#include "app/mainform.h"

#include "device/progressform.h"

#include "app/about.h"
#include "app/devicecommands.h"
#include "app/menutree.h"
#include "binding/edits.h"
#include "device/panelform.h"
#include "forms/configform.h"
#include "platform/paths.h"
#include "platform/prompts.h"
#include "snmp/errors.h"
#include "snmp/kxexception.h"
#include "snmp/records.h"
#include "snmp/session.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QLoggingCategory>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QUrl>
#include <QVBoxLayout>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

Q_LOGGING_CATEGORY(lcMain, "rq5160.main")

constexpr int WindowWidth = 760;
constexpr int WindowHeight = 160;
constexpr int StatusPanelWidth = 50;

const KxOptionList rmonStates{{2, "disabled"}, {3, "enabled"}};
const KxSNMPVarDesc rmonStateTable[] = {
    {"1.3.6.1.4.1.88508.11.68.1.2.1.2.3",
     "RMON State",
     KxSyntax::Integer,
     KxAccess::ReadOnly,
     &rmonStates},
    {},
};

// The three RMON programs, by menu item.
constexpr std::pair<const char *, const char *> rmonPrograms[] = {
    {"AlarmManager1", "/TRmon_Statistics"},
    {"Alarms1", "/TRmon_History"},
    {"Control1", "/TRmon_AlarmEvent"},
};

} // namespace

void LoadMessageFiles(const QString &folder)
{
    const std::pair<MessageTable, const char *> files[] = {
        {MessageTable::KxCommon, "errmsg/common.err"},
        {MessageTable::Snmp, "errmsg/snmp.err"},
        {MessageTable::Snmpv3, "errmsg/snmpv3.err"},
        {MessageTable::Usm, "errmsg/snmpusm.err"},
        {MessageTable::SnmpClass, "errmsg/snmpclass.err"},
        {MessageTable::StatusTemplates, "errmsg/snmp.msg"},
        {MessageTable::KxSnmp, "errmsg/kxsnmp.err"},
    };
    for (const auto &[table, file] : files)
        LoadMessageFile(table, JoinPath(folder, QString::fromLatin1(file)));
}

TMainForm::TMainForm(const QStringList &arguments, QWidget *parent)
    : QMainWindow(parent)
    , showModal([](QDialog &dialog) { dialog.exec(); })
    , m_dialogs(this)
{
    buildWindow();
    BuildMainMenu(menuBar());
    connectCommands();

    CreateGlobalSession({});
    setProgressWindowShower(ShowBasicProgressForm);
    GlobalSecurity().version = SnmpCode::Version1;
    const QString configFolder = ConfigurationFolder();
    m_hasParameters = !arguments.isEmpty();
    if (!m_hasParameters) {
        prompts().message(this, Prompts::Kind::Information, windowTitle(), u"No parameter input"_s);
    } else {
        m_startup = ApplyArguments(arguments, configFolder);
        setWindowTitle(QString::fromLatin1(ModelName) + u" :"_s + m_startup.texts.address);
        createPanel();
        setFixedSize(WindowWidth, WindowHeight);
        LoadMessageFiles(ExecutableFolder());
    }
    findAction("SNMPv31")->setEnabled(GlobalSecurity().version == SnmpCode::Version3);
    if (m_hasParameters) {
        createRmonBinding();
        UpdateRmonMenu();
    }
}

// The front panel goes first: its binding may wait for a poll under way while
// events are processed, and the window must still be whole then.
TMainForm::~TMainForm()
{
    delete m_panel;
}

void TMainForm::setStatusPanelText(int panel, const QString &text)
{
    m_statusPanels[panel]->setText(text);
}

QString TMainForm::statusPanelText(int panel) const
{
    return m_statusPanels[panel]->text();
}

void TMainForm::buildWindow()
{
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    m_scrollBox = new QScrollArea(this);
    m_scrollBox->setObjectName(u"MainScrollBox"_s);
    m_scrollBox->setWidgetResizable(true);
    m_scrollBox->setFrameShape(QFrame::NoFrame);
    QPalette dark = m_scrollBox->palette();
    dark.setColor(QPalette::Window, QColor(84, 84, 84));
    m_scrollBox->setPalette(dark);
    m_scrollBox->setAutoFillBackground(true);

    auto *content = new QWidget;
    content->setPalette(dark);
    content->setAutoFillBackground(true);
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_panelArea = new QWidget;
    m_panelArea->setObjectName(u"PanelArea"_s);
    auto *panelLayout = new QVBoxLayout(m_panelArea);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_panelArea, 1);

    m_rmonState = new QLabel(u"ST_RmonState"_s);
    m_rmonState->setObjectName(u"StaticText1"_s);
    m_rmonState->hide();
    layout->addWidget(m_rmonState);

    auto *statusBar = new QStatusBar;
    statusBar->setObjectName(u"StatusBar"_s);
    statusBar->setSizeGripEnabled(false);
    statusBar->setPalette(QApplication::palette());
    statusBar->setAutoFillBackground(true);
    for (QLabel *&panel : m_statusPanels) {
        panel = new QLabel;
        panel->setMinimumWidth(StatusPanelWidth);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setMinimumHeight(panel->fontMetrics().height() + 4);
        statusBar->addWidget(panel);
    }
    layout->addWidget(statusBar);
    m_scrollBox->setWidget(content);
    setCentralWidget(m_scrollBox);
    resize(WindowWidth, WindowHeight);
    centreOnScreen();
}

void TMainForm::centreOnScreen()
{
    if (const QScreen *shown = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(shown->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TMainForm::connectCommands()
{
    for (const MenuDialog &dialog : MenuDialogs()) {
        QAction *item = findAction(dialog.action);
        item->setEnabled(dialog.create != nullptr);
        connect(item, &QAction::triggered, this, [this, action = dialog.action] {
            openMenuDialog(action);
        });
    }
    connect(findAction("PortTrunk1"), &QAction::triggered, this, &TMainForm::PortTrunk);

    for (const auto &[action, selector] : rmonPrograms) {
        connect(
            findAction(action),
            &QAction::triggered,
            this,
            [this, program = QString::fromLatin1(selector)] { LaunchProgram(m_startup, program); });
    }
    connect(findAction("Save1"), &QAction::triggered, this, &TMainForm::SaveConfiguration);
    connect(findAction("Reset1"), &QAction::triggered, this, &TMainForm::ResetSwitch);
    connect(findAction("HelpHowToUseItem"), &QAction::triggered, this, &TMainForm::ShowHelp);
    connect(findAction("HelpAboutItem"), &QAction::triggered, this, &TMainForm::ShowAbout);
    connect(findAction("FileExitItem"), &QAction::triggered, this, &QWidget::close);
}

void TMainForm::openMenuDialog(const char *action)
{
    if (const MenuDialog *dialog = FindMenuDialog(QString::fromLatin1(action)))
        m_dialogs.open(*dialog, m_startup.texts.address);
    if (qstrcmp(action, "Option1") == 0)
        UpdateRmonMenu();
}

void TMainForm::createPanel()
{
    m_panel = new TPanelForm;
    m_panelArea->layout()->addWidget(m_panel);
    m_panel->StartPolling([this](const QString &time, const QString &result) {
        setStatusPanelText(0, time);
        setStatusPanelText(1, result);
    });
}

// Read asynchronously: a switch that does not answer must not hold up the
// window; the items then keep their state.
void TMainForm::createRmonBinding()
{
    m_rmon = std::make_unique<KxSNMPRequest2Edits>(this);
    m_rmon->varList().Assign(KxSNMPVarList(rmonStateTable, SVT_SV, 0));
    m_rmon->BindControl(0, m_rmonState);
    m_rmon->OnRefreshDone = [this](KxSNMPRequest2Controls &, const KxSNMPError &reply) {
        rmonStateRead(reply);
        // A change asked for while this read was out is read now.
        if (std::exchange(m_rmonReadAgain, false))
            QMetaObject::invokeMethod(this, &TMainForm::UpdateRmonMenu, Qt::QueuedConnection);
    };
}

void TMainForm::UpdateRmonMenu()
{
    if (!m_rmon)
        return;
    if (m_rmon->busy()) {
        m_rmonReadAgain = true;
        return;
    }
    try {
        m_rmon->Refresh();
    } catch (const KxException &error) {
        qCInfo(lcMain) << "RMON state:" << error.message();
    }
}

void TMainForm::rmonStateRead(const KxSNMPError &reply)
{
    if (reply.code != 0) {
        qCInfo(lcMain) << "RMON state:" << reply.message;
        return;
    }
    const QString state = m_rmonState->text();
    if (state != u"disabled"_s && state != u"enabled"_s)
        return;
    for (const auto &[action, selector] : rmonPrograms)
        findAction(action)->setEnabled(state == u"enabled"_s);
}

bool TMainForm::confirmCommand()
{
    return prompts().question(
        this, windowTitle(), u"Are you sure?\nIt will spend a lot time !\nPlease wait !"_s);
}

void TMainForm::SaveConfiguration()
{
    if (confirmCommand())
        SaveConfigurationOnSwitch();
}

void TMainForm::ResetSwitch()
{
    if (confirmCommand())
        ColdStartSwitch();
}

void TMainForm::PortTrunk()
{
    const bool keepDefault
        = prompts().question(this,
                             u"Trunk Algorithm Selection"_s,
                             u"Are you sure to reserve the default Trunk_Algorithm?"_s);
    if (!keepDefault) {
        m_trunkAlgorithmTitle = u"Trunk Algorithm :"_s;
        TConfigForm form(this);
        form.SetEditor(CreateTrunkAlgorithmBinding(&form));
        form.setWindowTitle(m_trunkAlgorithmTitle + m_startup.texts.address);
        showModal(form);
    }
    m_dialogs.open(TrunkDialog(), m_startup.texts.address);
}

void TMainForm::ShowHelp()
{
    const QString path = JoinPath(ExecutableFolder(), QString::fromUtf8(HelpFileName));
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        qCInfo(lcMain) << "could not open" << path;
}

void TMainForm::ShowAbout()
{
    TAboutForm about(m_startup.texts.address, this);
    showModal(about);
}

QAction *TMainForm::findAction(const char *name) const
{
    return findChild<QAction *>(QString::fromLatin1(name));
}
