#include "binding/edits.h"

#include "binding/optionwidgets.h"
#include "binding/partconvert.h"
#include "platform/radiogroup.h"
#include "snmp/errors.h"
#include "snmp/kxexception.h"
#include "snmp/optionlist.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

constexpr int BadPartSyntax = -517;
constexpr int NoOptionList = -520;
constexpr int BadControlType = -521;
constexpr int EmptyValue = -3;
// A long walk lets the window handle its events this often (ms), so that its
// Stop button works without slowing the walk down.
constexpr qint64 EventInterval = 15;

bool isPlaceholder(const QString &text)
{
    return text == u"(NULL)"_s || text == u"(NOTDONE)"_s;
}

bool isBooleanSyntax(qint32 syntax)
{
    return syntax == KxSyntax::Boolean || syntax == KxSyntax::Bool8 || syntax == KxSyntax::Bool16;
}

} // namespace

KxSNMPRequest2Edits::KxSNMPRequest2Edits(QWidget *form)
    : KxSNMPRequest2Controls(form)
    , m_constraint(form, true)
{}

KxSNMPRequest2Edits::~KxSNMPRequest2Edits() = default;

void KxSNMPRequest2Edits::bind(
    int var, int offset, qint32 syntax, const KxOptionList *options, QWidget *control)
{
    Binding binding{var, offset, syntax, options, control};
    auto *combo = qobject_cast<QComboBox *>(control);
    auto *radio = qobject_cast<RadioGroup *>(control);
    if (combo || radio) {
        const KxOptionList *list = optionsOf(binding);
        if (!list)
            KxException::raise(NoOptionList);
        if (combo)
            FillComboBox(*list, combo);
        else
            FillRadioGroup(*list, radio);
    }
    m_bindings.push_back(binding);
}

void KxSNMPRequest2Edits::BindControl(int var, QWidget *control)
{
    bind(var, 0, varList().Item(var).syntax, nullptr, control);
}

void KxSNMPRequest2Edits::BindComboBox(int var, QComboBox *combo)
{
    combo->setEditable(false);
    BindControl(var, combo);
}

void KxSNMPRequest2Edits::BindRadioGroup(int var, RadioGroup *group)
{
    BindControl(var, group);
}

void KxSNMPRequest2Edits::BindEdit(int var, const QString &format, QLineEdit *edit)
{
    m_constraint.Attach(edit, format);
    BindControl(var, edit);
}

void KxSNMPRequest2Edits::BindPart(
    int var, int offset, qint32 syntax, const KxOptionList *options, QComboBox *combo)
{
    combo->setEditable(false);
    bind(var, offset, syntax, options, combo);
}

void KxSNMPRequest2Edits::BindPartEdit(int var,
                                       int offset,
                                       qint32 syntax,
                                       const KxOptionList *options,
                                       const QString &format,
                                       QLineEdit *edit)
{
    m_constraint.Attach(edit, format);
    bind(var, offset, syntax, options, edit);
}

const KxOptionList *KxSNMPRequest2Edits::optionsOf(const Binding &binding) const
{
    if (binding.options)
        return binding.options;
    return isWholeVariable(binding) ? varList().Item(binding.var).options : nullptr;
}

bool KxSNMPRequest2Edits::isWholeVariable(const Binding &binding) const
{
    return binding.offset == 0 && binding.syntax == varList().Item(binding.var).syntax;
}

// The text a binding shows for the variable's value text.
QString KxSNMPRequest2Edits::textFor(const Binding &binding, const QString &value) const
{
    QString text = value;
    if (!isWholeVariable(binding)) {
        const KxSNMPVar &var = varList().Item(binding.var);
        // A value that was not read has no bytes, so every part of it is empty.
        const QString raw = isPlaceholder(value)
                                ? u"(NULL)"_s
                                : (var.options ? var.options->TextToValue(value) : value);
        const QByteArray bytes = PartTextToBytes(raw, var.syntax);
        text = BytesToPartText(ExtractPart(bytes, binding.offset, binding.syntax), binding.syntax);
    }
    if (const KxOptionList *list = optionsOf(binding))
        text = list->ValueToText(text);
    return text;
}

void KxSNMPRequest2Edits::showIn(const Binding &binding, const QString &text) const
{
    QWidget *control = binding.control;
    const KxOptionList *list = optionsOf(binding);
    if (auto *edit = qobject_cast<QLineEdit *>(control)) {
        edit->setText(text);
    } else if (auto *label = qobject_cast<QLabel *>(control)) {
        label->setText(text);
    } else if (auto *combo = qobject_cast<QComboBox *>(control)) {
        SelectInComboBox(*list, combo, text);
    } else if (auto *radio = qobject_cast<RadioGroup *>(control)) {
        SelectInRadioGroup(*list, radio, text);
    } else if (auto *check = qobject_cast<QCheckBox *>(control)) {
        if (list) {
            int index = list->IndexOfText(text);
            if (index < 0)
                index = list->IndexOfValue(text);
            check->setChecked(index > 0);
        } else {
            if (!isBooleanSyntax(binding.syntax))
                KxException::raise(BadPartSyntax);
            check->setChecked(text == u"true"_s);
        }
    } else {
        KxException::raise(BadControlType);
    }
}

void KxSNMPRequest2Edits::ShowValues(int var)
{
    const KxSNMPVar &variable = varList().Item(var);
    if (variable.access & KxAccess::Invalid)
        return;
    for (const Binding &binding : m_bindings) {
        if (binding.var == var && binding.control)
            showIn(binding, textFor(binding, variable.value));
    }
}

void KxSNMPRequest2Edits::ShowValues()
{
    for (int i = 0; i < varList().Count(); ++i)
        ShowValues(i);
}

QString KxSNMPRequest2Edits::readControl(const Binding &binding) const
{
    QWidget *control = binding.control;
    const KxOptionList *list = optionsOf(binding);
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        return edit->text();
    if (auto *label = qobject_cast<QLabel *>(control))
        return label->text();
    if (auto *combo = qobject_cast<QComboBox *>(control))
        return combo->currentText();
    if (auto *radio = qobject_cast<RadioGroup *>(control))
        return radio->items().value(radio->itemIndex());
    if (auto *check = qobject_cast<QCheckBox *>(control)) {
        if (list) {
            const int index = check->isChecked() ? 1 : 0;
            return index < list->Count() ? list->Item(index).text : QString();
        }
        if (!isBooleanSyntax(binding.syntax))
            KxException::raise(BadPartSyntax);
        return check->isChecked() ? u"true"_s : u"false"_s;
    }
    KxException::raise(BadControlType);
}

// An emptied number box would be sent as 0; the user is asked to fill it instead.
void KxSNMPRequest2Edits::refuseEmptyNumber(const Binding &binding, const QString &text) const
{
    if (!text.isEmpty())
        return;
    const auto *edit = qobject_cast<const QLineEdit *>(binding.control.data());
    const InputFormat *format = edit ? m_constraint.formatOf(edit) : nullptr;
    if (format && QStringLiteral("fiu").contains(format->conversion))
        throw KxException(EmptyValue, CommonMessage(EmptyValue));
}

void KxSNMPRequest2Edits::CollectFromControls(int var)
{
    KxSNMPVar &variable = varList().Item(var);
    const bool display = variable.syntax == KxSyntax::DisplayStr;
    const QString raw = display ? QString()
                                : (variable.options ? variable.options->TextToValue(variable.value)
                                                    : variable.value);
    QByteArray bytes = isPlaceholder(raw) ? QByteArray() : PartTextToBytes(raw, variable.syntax);
    bool bound = false;
    bool unread = false;
    for (const Binding &binding : m_bindings) {
        if (binding.var != var || !binding.control)
            continue;
        bound = true;
        QString text = readControl(binding);
        refuseEmptyNumber(binding, text);
        // A control still showing that nothing was read must not write a made-up value.
        if (isPlaceholder(text)) {
            unread = true;
            continue;
        }
        if (const KxOptionList *list = optionsOf(binding))
            text = list->TextToValue(text);
        const QByteArray part = PartTextToBytes(text, binding.syntax);
        if (isWholeVariable(binding)) {
            bytes = part;
            continue;
        }
        if (bytes.size() < binding.offset + part.size())
            bytes.append(QByteArray(binding.offset + part.size() - bytes.size(), '\0'));
        bytes.replace(binding.offset, part.size(), part);
    }
    if (!bound)
        return;
    if (unread) {
        variable.value = u"(NULL)"_s;
        return;
    }
    const QString text = BytesToPartText(bytes, variable.syntax);
    variable.value = variable.options ? variable.options->ValueToText(text) : text;
}

void KxSNMPRequest2Edits::CollectFromControls()
{
    for (int i = 0; i < varList().Count(); ++i)
        CollectFromControls(i);
}

void KxSNMPRequest2Edits::CollectValues()
{
    KxSNMPVarList &list = varList();
    for (int i = 0; i < list.Count(); ++i)
        list.Item(i).value.clear();
    if (selectedRow())
        RowToVariables();
    for (int i = 0; i < list.Count(); ++i) {
        if (list.IsWritable(i))
            CollectFromControls(i);
    }
}

void KxSNMPRequest2Edits::EnableControls(bool enabled)
{
    for (const Binding &binding : m_bindings) {
        if (binding.control)
            binding.control->setEnabled(enabled);
    }
}

void KxSNMPRequest2Edits::AttachListView(QTreeWidget *listView, bool enableOnSelect)
{
    m_listView = listView;
    m_enableOnSelect = enableOnSelect;
    listView->setRootIsDecorated(false);
    listView->setSelectionBehavior(QAbstractItemView::SelectRows);
    listView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listView->setUniformRowHeights(true);
    listView->setAlternatingRowColors(false);
    connect(listView, &QTreeWidget::itemSelectionChanged, this, [this] { ListSelectItem(); });
    prepareColumns();
}

int KxSNMPRequest2Edits::columnOf(int var) const
{
    return var < static_cast<int>(m_columns.size()) ? m_columns[static_cast<size_t>(var)] : var;
}

void KxSNMPRequest2Edits::prepareColumns()
{
    const KxSNMPVarList &list = varList();
    const int count = list.Count();
    m_columns.assign(static_cast<size_t>(count), 0);
    int column = 0;
    for (const bool hiddenGroup : {true, false}) {
        for (int i = 0; i < count; ++i) {
            if (list.IsHiddenColumn(i) == hiddenGroup)
                m_columns[static_cast<size_t>(i)] = column++;
        }
    }
    if (!m_listView || m_listView->columnCount() >= count)
        return;
    QStringList headers(count);
    for (int i = 0; i < count; ++i)
        headers[columnOf(i)] = list.Item(i).name;
    m_listView->clear();
    m_listView->setColumnCount(count);
    m_listView->setHeaderLabels(headers);
    const QFontMetrics metrics(m_listView->header()->font());
    for (int i = 0; i < count; ++i) {
        const int col = columnOf(i);
        m_listView->setColumnHidden(col, list.IsHiddenColumn(i));
        m_listView->setColumnWidth(col, metrics.horizontalAdvance(list.Item(i).name) + 24);
    }
}

void KxSNMPRequest2Edits::BeforeRefresh()
{
    if (m_listView) {
        prepareColumns();
        m_listView->clear();
    }
    if (OnBeforeRefresh)
        OnBeforeRefresh();
}

void KxSNMPRequest2Edits::RowReceived()
{
    if (!m_listView) {
        ShowValues();
        return;
    }
    const KxSNMPVarList &list = varList();
    QStringList cells(m_listView->columnCount());
    for (int i = 0; i < list.Count(); ++i) {
        const int col = columnOf(i);
        if (col < cells.size())
            cells[col] = list.Item(i).value;
    }
    m_listView->addTopLevelItem(new QTreeWidgetItem(cells));
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - m_lastEventsProcessed >= EventInterval) {
        m_lastEventsProcessed = now;
        QCoreApplication::processEvents();
    }
}

void KxSNMPRequest2Edits::AfterRefresh()
{
    if (m_listView && m_enableOnSelect && varList().kind == MVT_FMV)
        EnableControls(false);
    if (OnAfterRefresh)
        OnAfterRefresh();
}

void KxSNMPRequest2Edits::BeforeApply()
{
    if (OnBeforeApply)
        OnBeforeApply();
}

void KxSNMPRequest2Edits::AfterApply()
{
    if (OnAfterApply)
        OnAfterApply();
}

QTreeWidgetItem *KxSNMPRequest2Edits::selectedRow() const
{
    if (!m_listView)
        return nullptr;
    QTreeWidgetItem *current = m_listView->currentItem();
    if (current && current->isSelected())
        return current;
    const QList<QTreeWidgetItem *> selected = m_listView->selectedItems();
    return selected.isEmpty() ? nullptr : selected.constFirst();
}

void KxSNMPRequest2Edits::RowToVariables()
{
    const QTreeWidgetItem *row = selectedRow();
    if (!row)
        return;
    KxSNMPVarList &list = varList();
    for (int i = 0; i < list.Count(); ++i)
        list.Item(i).value = row->text(columnOf(i));
}

void KxSNMPRequest2Edits::ListSelectItem()
{
    if (!selectedRow())
        return;
    if (m_enableOnSelect)
        EnableControls(true);
    RowToVariables();
    ShowValues();
}
