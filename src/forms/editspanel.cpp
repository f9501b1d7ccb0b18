#include "forms/editspanel.h"

#include "binding/edits.h"
#include "platform/prompts.h"
#include "snmp/kxexception.h"
#include "snmp/optionlist.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

constexpr int EditorWidth = 121;
constexpr int MinEditorHeight = 21;

void makeReadOnly(QWidget *editor)
{
    if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
    } else {
        editor->setEnabled(false);
    }
    QPalette grey = editor->palette();
    grey.setColor(QPalette::Base, editor->palette().color(QPalette::Button));
    grey.setColor(QPalette::Text, Qt::black);
    editor->setPalette(grey);
}

QString editorText(const QWidget *editor)
{
    if (const auto *edit = qobject_cast<const QLineEdit *>(editor))
        return edit->text();
    if (const auto *combo = qobject_cast<const QComboBox *>(editor))
        return combo->currentText();
    return {};
}

} // namespace

TEditsPanel::TEditsPanel(KxSNMPRequest2Edits *binding, QWidget *parent)
    : QScrollArea(parent)
    , m_binding(binding)
{
    setObjectName(u"EditsPanel"_s);
    setWidgetResizable(true);
    auto *content = new QWidget;
    auto *grid = new QGridLayout(content);
    grid->setContentsMargins(20, 20, 40, 40);
    grid->setHorizontalSpacing(5);
    grid->setVerticalSpacing(5);
    for (int i = 0; i < binding->varList().Count(); ++i)
        addRow(i, grid);
    grid->setRowStretch(grid->rowCount(), 1);
    grid->setColumnStretch(3, 1);
    setWidget(content);
}

void TEditsPanel::addRow(int var, QGridLayout *grid)
{
    const KxSNMPVarList &list = m_binding->varList();
    const KxSNMPVar &variable = list.Item(var);
    const bool key = list.IsTable() && var < list.keyCount;
    const bool settable = list.IsWritable(var) && !key;

    auto *check = new QCheckBox;
    check->setFocusPolicy(Qt::NoFocus);
    auto *caption = new QLabel(variable.name);
    QWidget *editor = nullptr;
    if (list.IsWritable(var) && variable.options) {
        auto *combo = new QComboBox;
        m_binding->BindComboBox(var, combo);
        editor = combo;
    } else {
        auto *edit = new QLineEdit;
        m_binding->BindEdit(var, u"%s"_s, edit);
        editor = edit;
    }
    editor->setObjectName(u"Editor%1"_s.arg(var));
    editor->setFixedWidth(EditorWidth);
    editor->setMinimumHeight(MinEditorHeight);
    if (!settable) {
        check->setEnabled(false);
        check->hide();
        makeReadOnly(editor);
    }
    const int row = grid->rowCount();
    grid->addWidget(check, row, 0, Qt::AlignVCenter);
    grid->addWidget(caption, row, 1, Qt::AlignVCenter);
    grid->addWidget(editor, row, 2, Qt::AlignVCenter);
    if (variable.access & KxAccess::Hidden) {
        check->hide();
        caption->hide();
        editor->hide();
    }
    m_rows.push_back({var, settable, check, editor});
}

QList<QCheckBox *> TEditsPanel::usableChecks() const
{
    QList<QCheckBox *> checks;
    for (const Row &row : m_rows) {
        if (row.check->isEnabled() && !row.check->isHidden())
            checks << row.check;
    }
    return checks;
}

bool TEditsPanel::anyChecked() const
{
    for (const Row &row : m_rows) {
        if (row.check->isEnabled() && row.check->isChecked())
            return true;
    }
    return false;
}

void TEditsPanel::ArrangeCtrlBtn(TCtrlBtnPanel *buttons)
{
    for (QPushButton *shown : {buttons->refresh,
                               buttons->setChecked,
                               buttons->checkAll,
                               buttons->clearChecks,
                               buttons->close})
        shown->show();
    for (QWidget *hidden : std::initializer_list<QWidget *>{buttons->samplesCount,
                                                            buttons->samplesLabel,
                                                            buttons->edit,
                                                            buttons->add,
                                                            buttons->remove})
        hidden->hide();
    buttons->setChecked->setEnabled(false);

    const bool anySettable
        = std::any_of(m_rows.begin(), m_rows.end(), [](const Row &row) { return row.settable; });
    if (!anySettable) {
        buttons->setChecked->hide();
        buttons->checkAll->hide();
        buttons->clearChecks->hide();
        return;
    }
    const QList<QCheckBox *> checks = usableChecks();
    if (checks.size() > 1)
        return;
    buttons->checkAll->hide();
    buttons->clearChecks->hide();
    buttons->setChecked->setText(u"Set"_s);
    buttons->setChecked->setEnabled(true);
    for (QCheckBox *check : checks)
        check->setChecked(true);
    for (const Row &row : m_rows)
        row.check->hide();
}

TSNMPEditorPanel::TSNMPEditorPanel(KxSNMPRequest2Edits *binding, QWidget *parent)
    : TSNMPPanel(binding, parent)
    , m_edits(new TEditsPanel(binding))
{
    TCtrlBtnPanel *column = buttons();
    connect(column->refresh, &QPushButton::clicked, this, &TSNMPEditorPanel::refresh);
    connect(column->setChecked, &QPushButton::clicked, this, &TSNMPEditorPanel::setChecked);
    connect(column->checkAll, &QPushButton::clicked, this, [this] { checkAll(true); });
    connect(column->clearChecks, &QPushButton::clicked, this, [this] { checkAll(false); });
    for (const TEditsPanel::Row &row : m_edits->rows())
        connect(row.check, &QCheckBox::toggled, this, &TSNMPEditorPanel::updateSetButton);
    m_edits->ArrangeCtrlBtn(column);
    SetContent(m_edits);
}

void TSNMPEditorPanel::refresh()
{
    try {
        binding()->Refresh();
    } catch (const KxException &error) {
        binding()->LogMessage(error.message());
    }
}

void TSNMPEditorPanel::updateSetButton()
{
    if (buttons()->setChecked->text() == u"Set"_s)
        return;
    buttons()->setChecked->setEnabled(m_edits->anyChecked());
}

void TSNMPEditorPanel::checkAll(bool checked)
{
    for (QCheckBox *check : m_edits->usableChecks())
        check->setChecked(checked);
    updateSetButton();
}

bool TSNMPEditorPanel::checkedRowIsEmpty() const
{
    for (const TEditsPanel::Row &row : m_edits->rows()) {
        if (row.settable && row.check->isChecked() && editorText(row.editor).isEmpty())
            return true;
    }
    return false;
}

// Writes the checked rows only: every other variable is left out of the SET.
void TSNMPEditorPanel::setChecked()
{
    KxSNMPRequest2Edits *edits = binding();
    const bool wasAsynchronous = edits->asynchronous;
    edits->asynchronous = false;
    KxSNMPVarList &list = edits->varList();
    std::vector<int> excluded;
    try {
        edits->CollectValues();
        for (const TEditsPanel::Row &row : m_edits->rows()) {
            if (!row.check->isChecked() && !(list.Item(row.var).access & KxAccess::Invalid)) {
                list.Item(row.var).access |= KxAccess::Invalid;
                excluded.push_back(row.var);
            }
        }
        if (checkedRowIsEmpty())
            prompts().message(
                this, Prompts::Kind::Warning, u"Warning"_s, u"Some items are empty!"_s);
        else
            edits->Apply(false, false);
    } catch (const KxException &error) {
        edits->LogMessage(error.message());
    }
    for (const int var : excluded)
        list.Item(var).access &= ~KxAccess::Invalid;
    edits->asynchronous = wasAsynchronous;
}
