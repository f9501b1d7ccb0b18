#include "snmpv3/snmpv3entrykit.h"

#include "forms/dialogsupport.h"
#include "forms/entrychecks.h"
#include "forms/formbuilder.h"
#include "forms/rowwrite.h"

#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <iterator>

using namespace Qt::StringLiterals;

const QString NonVolatile = u"nonVolatile"_s;

QString CreatedRows::create(const KxSNMPVarDesc *table,
                            int keyCount,
                            int statusVar,
                            std::map<int, QString> values)
{
    values[statusVar] = u"createAndGo"_s;
    QString failure = WriteTableRow(table, keyCount, values);
    if (failure.isEmpty())
        remember(table, keyCount, statusVar, values);
    return failure;
}

QString CreatedRows::write(const KxSNMPVarDesc *table,
                           int keyCount,
                           int statusVar,
                           const std::map<int, QString> &values)
{
    QString failure = WriteTableRow(table, keyCount, values);
    const auto status = values.find(statusVar);
    if (failure.isEmpty() && status != values.end() && status->second == u"createAndWait"_s)
        remember(table, keyCount, statusVar, values);
    return failure;
}

void CreatedRows::remember(const KxSNMPVarDesc *table,
                           int keyCount,
                           int statusVar,
                           const std::map<int, QString> &values)
{
    std::map<int, QString> keys(values.begin(), std::next(values.begin(), keyCount));
    keys[statusVar] = u"destroy"_s;
    m_rows.push_back({table, keyCount, std::move(keys)});
}

void CreatedRows::removeAll()
{
    for (auto row = m_rows.rbegin(); row != m_rows.rend(); ++row)
        WriteTableRow(row->table, row->keyCount, row->destroy);
    m_rows.clear();
}

bool createAll(QWidget *dialog, const std::function<QString(CreatedRows &)> &sets)
{
    CreatedRows created;
    const QString failure = sets(created);
    if (failure.isEmpty())
        return true;
    created.removeAll();
    showPlainMessage(dialog, failure);
    return false;
}

QPushButton *layOutEntry(QDialog &dialog,
                         const QString &name,
                         const QString &caption,
                         const QList<std::pair<QString, QWidget *>> &rows)
{
    dialog.setObjectName(name);
    dialog.setWindowTitle(caption);
    auto *grid = new QGridLayout;
    for (const auto &[text, control] : rows)
        addGridRow(grid, text, control);
    QPushButton *insert = makeButton(u"Insert"_s, u"bbtnApply"_s);
    QPushButton *close = makeButton(u"Close"_s, u"bbtnClose"_s);
    QObject::connect(close, &QPushButton::clicked, &dialog, &QDialog::reject);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(makeButtonBar({insert, close}));
    return insert;
}

bool checkName(QLineEdit *edit, const QString &emptyMessage)
{
    const QString text = edit->text();
    return checkEntry(!text.isEmpty(), edit, emptyMessage)
           && checkEntry(text.size() <= MaxNameLength,
                         edit,
                         u"The name is too long! (Max. %1)"_s.arg(MaxNameLength));
}
