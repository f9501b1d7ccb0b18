#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <utility>
#include <vector>

class QComboBox;
class QDialog;
class QLineEdit;
class QPushButton;
class QWidget;
struct KxSNMPVarDesc;

// What the SNMPv3 entry dialogs share: their layout, their name check and
// the creation of several rows that stand or fall together.

// The longest name the SNMPv3 tables take for a row (SnmpAdminString 1..32).
constexpr int MaxNameLength = 32;
extern const QString NonVolatile;

// The rows one Insert has created so far, to remove them again when a later
// SET of the same Insert is refused.
class CreatedRows
{
public:
    // Creates the row with createAndGo; the reason when the switch refused it.
    QString
    create(const KxSNMPVarDesc *table, int keyCount, int statusVar, std::map<int, QString> values);
    // Writes one SET to a row; one written with createAndWait is removed
    // again like a created one. The reason when the switch refused it.
    QString write(const KxSNMPVarDesc *table,
                  int keyCount,
                  int statusVar,
                  const std::map<int, QString> &values);
    // Destroys the rows created so far, the last first.
    void removeAll();

private:
    void remember(const KxSNMPVarDesc *table,
                  int keyCount,
                  int statusVar,
                  const std::map<int, QString> &values);

    struct Row
    {
        const KxSNMPVarDesc *table;
        int keyCount;
        std::map<int, QString> destroy; // the index and the status destroy
    };
    std::vector<Row> m_rows;
};

// Runs the SETs of an Insert in order; at the first refusal it shows the
// reason, removes what the earlier ones created and returns false.
bool createAll(QWidget *dialog, const std::function<QString(CreatedRows &)> &sets);

// The dialog's form rows above its "Insert" and "Close" buttons; the Insert
// button.
QPushButton *layOutEntry(QDialog &dialog,
                         const QString &name,
                         const QString &caption,
                         const QList<std::pair<QString, QWidget *>> &rows);

// A row name: not empty (the message given) and at most MaxNameLength long.
bool checkName(QLineEdit *edit, const QString &emptyMessage);
