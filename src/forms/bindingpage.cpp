#include "forms/bindingpage.h"

#include "binding/edits.h"
#include "forms/dialogsupport.h"
#include "platform/radiogroup.h"

#include <QComboBox>
#include <QLineEdit>

TBindingPage::TBindingPage(const QString &name,
                           const QString &caption,
                           QSize formSize,
                           const KxSNMPVarDesc *table,
                           quint8 kind,
                           int keyCount)
    : m_caption(caption)
    , m_formSize(formSize)
    , m_table(table)
    , m_kind(kind)
    , m_keyCount(keyCount)
{
    setObjectName(name);
}

TBindingPage::~TBindingPage() = default;

void TBindingPage::addBinding(int var, QWidget *control, const QString &format)
{
    m_planned.push_back({var, control, format});
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
    m_binding->varList().Assign(KxSNMPVarList(m_table, m_kind, m_keyCount));
    m_binding->asynchronous = false;
    if (m_list)
        m_binding->AttachListView(m_list, m_enableOnSelect);
    for (const Planned &planned : m_planned) {
        if (auto *edit = qobject_cast<QLineEdit *>(planned.control))
            m_binding->BindEdit(planned.var, planned.format, edit);
        else if (auto *combo = qobject_cast<QComboBox *>(planned.control))
            m_binding->BindComboBox(planned.var, combo);
        else if (auto *group = qobject_cast<RadioGroup *>(planned.control))
            m_binding->BindRadioGroup(planned.var, group);
        else
            m_binding->BindControl(planned.var, planned.control);
    }
    return *m_binding;
}

bool TBindingPage::refreshBinding()
{
    KxSNMPRequest2Edits &edits = binding();
    edits.request().active = true;
    const bool ok = runDropping([&edits] { return edits.Refresh(); });
    afterRead();
    return ok;
}

bool TBindingPage::applyBinding()
{
    KxSNMPRequest2Edits &edits = binding();
    edits.request().active = true;
    return runDropping([&edits] { return edits.Apply(true, true); });
}

void TBindingPage::showPage()
{
    refreshBinding();
}

void TBindingPage::applyPage()
{
    applyBinding();
}

void TBindingPage::stop()
{
    if (m_binding)
        m_binding->request().active = false;
}
