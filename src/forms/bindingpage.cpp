#include "forms/bindingpage.h"

#include "binding/edits.h"
#include "forms/dialogsupport.h"
#include "forms/formbuilder.h"
#include "forms/rowwrite.h"
#include "platform/radiogroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TBindingPage::TBindingPage(const QString &name,
                           const QString &caption,
                           QSize formSize,
                           std::span<const KxField> fields,
                           quint8 kind,
                           int keyCount)
    : m_caption(caption)
    , m_formSize(formSize)
    , m_fields(fields)
    , m_descriptors(FieldDescriptors(fields))
    , m_kind(kind)
    , m_keyCount(keyCount)
{
    setObjectName(name);
    for (const KxField &each : fields) {
        QWidget *made = MakeFieldControl(each);
        if (made)
            made->setParent(this); // owned until a layout takes it
        m_controls.push_back(made);
    }
}

TBindingPage::~TBindingPage() = default;

const KxField &TBindingPage::field(const char *name) const
{
    for (const KxField &each : m_fields) {
        if (qstrcmp(each.name, name) == 0)
            return each;
    }
    qFatal("no field %s", name);
}

QWidget *TBindingPage::fieldControl(const char *name) const
{
    const auto index = static_cast<size_t>(&field(name) - m_fields.data());
    return m_controls.at(index);
}

void TBindingPage::addFormRows(QGridLayout *grid, std::initializer_list<const char *> names) const
{
    for (const char *name : names) {
        const KxField &each = field(name);
        QWidget *shown = fieldControl(name);
        const QString hint = FieldHint(each);
        if (hint.isEmpty()) {
            addGridRow(grid, QString::fromLatin1(each.caption), shown);
            continue;
        }
        shown->setToolTip(hint);
        shown->setMaximumWidth(140);
        addGridRow(grid, QString::fromLatin1(each.caption), shown, new QLabel(hint));
    }
}

QGridLayout *TBindingPage::controlGrid(std::initializer_list<const char *> names, int perRow) const
{
    auto *grid = new QGridLayout;
    int at = 0;
    for (const char *name : names) {
        grid->addWidget(fieldControl(name), at / perRow, at % perRow);
        ++at;
    }
    return grid;
}

void TBindingPage::layOutFields()
{
    auto *rows = new QGridLayout;
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(rows);
    for (size_t i = 0; i < m_fields.size(); ++i) {
        const KxField &each = m_fields[i];
        if (!m_controls[i])
            continue;
        if (each.kind == KxFieldKind::Radio || each.kind == KxFieldKind::Check)
            layout->addWidget(m_controls[i]);
        else
            addFormRows(rows, {each.name});
    }
    rows->setColumnStretch(1, 1);
    layout->addStretch(1);
}

void TBindingPage::setListView(QTreeWidget *list, bool enableOnSelect)
{
    m_list = list;
    m_enableOnSelect = enableOnSelect;
}

KxSNMPRequest2Edits &TBindingPage::binding()
{
    if (m_binding)
        return *m_binding;
    m_binding = std::make_unique<KxSNMPRequest2Edits>(window());
    m_binding->varList().Assign(KxSNMPVarList(m_descriptors.data(), m_kind, m_keyCount));
    m_binding->asynchronous = false;
    m_binding->request().errorHandler = m_resultHandler;
    if (m_list)
        m_binding->AttachListView(m_list, m_enableOnSelect);
    for (size_t i = 0; i < m_fields.size(); ++i) {
        QWidget *bound = m_controls[i];
        const int var = static_cast<int>(i);
        if (auto *edit = qobject_cast<QLineEdit *>(bound))
            m_binding->BindEdit(var, QString::fromLatin1(m_fields[i].format), edit);
        else if (auto *combo = qobject_cast<QComboBox *>(bound))
            m_binding->BindComboBox(var, combo);
        else if (auto *group = qobject_cast<RadioGroup *>(bound))
            m_binding->BindRadioGroup(var, group);
        else if (bound)
            m_binding->BindControl(var, bound);
    }
    bindExtraControls(*m_binding);
    return *m_binding;
}

void TBindingPage::rememberRead()
{
    const KxSNMPVarList &vars = binding().varList();
    m_readValues.clear();
    for (int i = 0; i < vars.Count(); ++i)
        m_readValues.append(vars.Item(i).value);
}

void TBindingPage::rememberWritten(const std::function<bool(int var)> &leftOut)
{
    const QStringList before = m_readValues;
    rememberRead();
    for (int var = 0; leftOut && var < m_readValues.size(); ++var) {
        if (leftOut(var))
            m_readValues[var] = before.value(var);
    }
}

bool TBindingPage::refreshBinding()
{
    KxSNMPRequest2Edits &edits = binding();
    edits.request().active = true;
    const bool ok = runGuarded(this, [&edits] { return edits.Refresh(); });
    rememberRead();
    afterRead();
    return ok;
}

QString TBindingPage::shownValue(int var) const
{
    if (!m_list)
        return m_readValues.value(var);
    const QTreeWidgetItem *row = m_list->currentItem();
    return row ? row->text(m_binding->columnOf(var)) : QString();
}

bool TBindingPage::applyBinding(bool wholeWhenChanged, const std::function<bool(int var)> &leftOut)
{
    KxSNMPRequest2Edits &edits = binding();
    const KxSNMPVarList &vars = edits.varList();
    const auto changed = [this, &vars](int var) {
        return vars.Item(var).value != shownValue(var);
    };
    const auto anyChanged = [&vars, &changed] {
        for (int var = 0; var < vars.Count(); ++var) {
            if (vars.IsWritable(var) && changed(var))
                return true;
        }
        return false;
    };
    KxWriteOutcome outcome = KxWriteOutcome::Failed;
    runGuarded(this, [&] {
        outcome = WriteVariables(edits, [&](int var) {
            if (leftOut && leftOut(var))
                return false;
            return wholeWhenChanged ? anyChanged() : changed(var);
        });
        return outcome != KxWriteOutcome::Failed;
    });
    if (outcome == KxWriteOutcome::Written && !m_list)
        rememberWritten(leftOut);
    else if (outcome != KxWriteOutcome::NothingToWrite)
        refreshBinding(); // what the switch has now; after a failure Apply sends the change again
    return outcome != KxWriteOutcome::Failed;
}

void TBindingPage::showPage()
{
    refreshBinding();
}

void TBindingPage::applyPage()
{
    if (m_applyCheck && !m_applyCheck())
        return;
    applyBinding();
}

void TBindingPage::stop()
{
    if (m_binding)
        m_binding->request().active = false;
}

bool TBindingPage::busy() const
{
    return m_binding && m_binding->busy();
}

void TBindingPage::setResultHandler(KxErrorHandler handler)
{
    m_resultHandler = std::move(handler);
    if (m_binding)
        m_binding->request().errorHandler = m_resultHandler;
}

KxSNMPRequest &TBindingPage::request()
{
    return binding().request();
}

void RunPageAction(TBindingPage &page, PageAction action)
{
    if (action == PageAction::Apply)
        page.applyPage();
    else
        page.showPage();
}
