#include "layer2/stp.h"

#include "forms/formbuilder.h"
#include "forms/tablepage.h"
#include "layer2/stpeditors.h"
#include "layer2/stppages.h"

#include <QAction>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

const QSize listFormSize{725, 509};

} // namespace

TSTPForm::TSTPForm(QWidget *parent)
    : QDialog(parent)
    , m_pages(new QTabWidget)
    , m_global(new TSTPGlobalPage)
    , m_configId(new TSTPConfigIdPage)
    , m_refresh(makeButton(u"Refresh"_s, u"BitBtn1"_s))
    , m_apply(makeButton(u"Apply"_s, u"BitBtn2"_s))
    , m_edit(makeButton(u"Edit"_s, u"BitBtn3"_s))
    , m_work(this, [this] {
        m_global->stop();
        m_configId->stop();
    })
{
    setObjectName(u"STPForm"_s);
    setWindowTitle(u"STP :"_s);
    m_pages->setObjectName(u"PageControl"_s);
    m_pages->setUsesScrollButtons(false);
    m_pages->tabBar()->setElideMode(Qt::ElideNone);
    m_work.lock({m_refresh, m_apply, m_pages->tabBar()});
    m_pages->addTab(m_global, m_global->caption());
    m_pages->addTab(m_configId, m_configId->caption());
    auto *instances = makeList(new TTablePage(stpInstanceDesc()), [this](QTreeWidgetItem &row) {
        return std::make_unique<TConfigInstanceForm>(row, this);
    });
    auto *ports = makeList(new TTablePage(stpPortStateDesc()), [this](QTreeWidgetItem &row) {
        return std::make_unique<TMSTPPortStateForm>(row, m_global->mstpChosen(), this);
    });
    auto *portInstances = makeList(new TTablePage(stpPortMSTPDesc()), [this](QTreeWidgetItem &row) {
        return std::make_unique<TMSTPInforForm>(row, this);
    });
    instances->setObjectName(u"MSTInstanceControl"_s);
    ports->setObjectName(u"STPPortStateSetting"_s);
    portInstances->setObjectName(u"STPPortMSTPSetting"_s);
    m_pages->addTab(instances, u"MSTP Instance Control"_s);
    m_pages->addTab(ports, u"MSTP Port State Information"_s);
    m_pages->addTab(portInstances, u"Port MSTP Information"_s);

    QPushButton *close = makeButton(u"Close"_s, u"bbtnClose"_s);
    QPushButton *help = makeButton(u"Help"_s, u"bbtnHelp"_s);
    help->setEnabled(false);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(makeButtonBar({m_refresh, m_apply, m_edit, close, help}));

    connect(m_refresh, &QPushButton::clicked, this, &TSTPForm::BitBtn1Click);
    connect(m_apply, &QPushButton::clicked, this, &TSTPForm::BitBtn2Click);
    connect(m_edit, &QPushButton::clicked, this, &TSTPForm::BitBtn3Click);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pages, &QTabWidget::currentChanged, this, &TSTPForm::pageShown);
    m_edit->setEnabled(false);
    resize(725, 588);
}

TSTPForm::~TSTPForm() = default;

TTablePage *TSTPForm::makeList(TTablePage *table,
                               std::function<std::unique_ptr<QDialog>(QTreeWidgetItem &)> editor)
{
    table->rowEditor = [editor = std::move(editor)](QTreeWidgetItem *row) {
        return row ? editor(*row) : nullptr;
    };
    return table;
}

TBindingPage *TSTPForm::settingsPage() const
{
    return qobject_cast<TBindingPage *>(m_pages->currentWidget());
}

TTablePage *TSTPForm::listPage() const
{
    return qobject_cast<TTablePage *>(m_pages->currentWidget());
}

void TSTPForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_created)
        return;
    m_created = true;
    // The first reads run once the window is on the screen.
    QMetaObject::invokeMethod(this, &TSTPForm::FormCreate, Qt::QueuedConnection);
}

// Reads both settings pages and shows the page the dialog opens on.
void TSTPForm::FormCreate()
{
    m_work.run([this] { m_configId->showPage(); });
    pageShown(m_pages->currentIndex());
}

// Each page is read again whenever it is shown and sets the dialog's size.
void TSTPForm::pageShown(int index)
{
    QWidget *shown = m_pages->widget(index);
    for (int i = 0; i < m_pages->count(); ++i) {
        const auto policy = i == index ? QSizePolicy::Preferred : QSizePolicy::Ignored;
        m_pages->widget(i)->setSizePolicy(policy, policy);
    }
    QSize size = listFormSize;
    if (TBindingPage *settings = settingsPage()) {
        m_work.run([settings] { settings->showPage(); });
        size = settings->formSize();
    } else if (!m_listsShown.insert(shown).second) {
        // A list's first showing starts its own walk.
        listPage()->action(KxTableAction::Refresh)->trigger();
    }
    m_apply->setEnabled(settingsPage() != nullptr);
    m_edit->setEnabled(listPage() != nullptr);
    m_pages->updateGeometry();
    layout()->activate();
    resize(size.expandedTo(minimumSizeHint()));
}

void TSTPForm::BitBtn1Click()
{
    pageShown(m_pages->currentIndex());
}

void TSTPForm::BitBtn2Click()
{
    if (TBindingPage *settings = settingsPage())
        m_work.run([settings] { settings->applyPage(); });
}

// Without a selected row there is nothing to edit.
void TSTPForm::BitBtn3Click()
{
    if (TTablePage *list = listPage())
        list->action(KxTableAction::Edit)->trigger();
}

void TSTPForm::done(int result)
{
    if (!m_work.holdClose() && !HoldCloseForWalkingList(this))
        QDialog::done(result);
}
