#pragma once

#include <QObject>
#include <QStringList>

#include <initializer_list>
#include <map>
#include <memory>
#include <vector>

class KxSNMPRequest;
struct KxSNMPError;
struct KxSNMPVarDesc;

// The values of one SET of a row, by variable position in the table.
using RmonRowValues = std::map<int, QString>;

// One RMON table of the switch, read and written asynchronously, one operation
// at a time: a walk keeps every row's values (the index variables decoded), a
// write sends its SETs one after another to one row and stops at the first
// refusal.
class RmonTable final : public QObject
{
    Q_OBJECT

public:
    RmonTable(const KxSNMPVarDesc *table, int keyCount, QObject *parent = nullptr);
    ~RmonTable() override;

    // Answers still coming in are ignored from now on, and nothing is signalled:
    // pages end all their tables before they destroy any, as a request waits
    // for its answers (processing events) when it is destroyed.
    void end();

    bool busy() const { return m_busy; }
    // Starts a walk of the whole table unless an operation is under way.
    void read();
    const std::vector<QStringList> &rows() const { return m_rows; }
    // True once a walk has finished: a free index can be chosen from the rows.
    bool hasBeenRead() const { return m_read; }

    // Sends the SETs in order to the row of that index (one number per index
    // variable). When one is refused after the first was taken, `undo` (if
    // not empty) is sent so that no half-made row is left behind; `failed`
    // then tells the refusal. False when an operation is under way.
    bool write(const QList<quint32> &index,
               const std::vector<RmonRowValues> &steps,
               const RmonRowValues &undo = {});

Q_SIGNALS:
    void tableRead();
    void written();
    void failed(const QString &message);

private:
    void walk(bool first);
    void sendStep();
    void sendUndo();
    // Empty when the SET is on its way, otherwise why it is not.
    QString send(const RmonRowValues &values, void (RmonTable::*next)(const KxSNMPError &));
    void stepDone(const KxSNMPError &reply);
    void undoDone(const KxSNMPError &reply);
    void finish(const QString &failure);
    // Why the last request could not be sent.
    QString notSent();

    std::unique_ptr<KxSNMPRequest> m_request;
    std::vector<QStringList> m_rows;
    std::vector<QStringList> m_walked;
    std::vector<RmonRowValues> m_steps;
    RmonRowValues m_undo;
    size_t m_step = 0;
    QString m_failure;
    QString m_notSent;
    bool m_busy = false;
    bool m_ending = false;
    bool m_read = false;
};

// Ends every table (see RmonTable::end), then destroys them.
void EndTables(std::initializer_list<RmonTable *> tables);
