#pragma once

#include "rmon/alarmentry.h"

#include <QWidget>

#include <set>

class QComboBox;
class QLabel;
class QLineEdit;
class QTimer;
class QTreeWidget;
class RmonTable;
class VariableProbe;

// The Alarm/Event page: the switch's alarms (alarmTable), events (eventTable)
// and event log (logTable); alarms and events made and deleted here, each
// entry checked before anything is written.
class TAlarmEventPage final : public QWidget
{
    Q_OBJECT

public:
    explicit TAlarmEventPage(QWidget *parent = nullptr);
    ~TAlarmEventPage() override;

    bool busy() const;

    // Reads the alarms, then the events, then the log.
    void btnAlarmRefreshClick();
    // Checks the entry, asks the switch whether the variable is an integer,
    // then creates the alarm.
    void btnAlarmCreateClick();
    void btnAlarmDeleteClick();
    void btnEventCreateClick();
    void btnEventDeleteClick();
    void btnAlarmSaveClick();
    void btnEventSaveClick();
    void btnLogSaveClick();

Q_SIGNALS:
    void refreshed();
    // A create or delete the switch took.
    void changed();
    // A create or delete refused or not begun, with the message shown.
    void refused(const QString &message);

protected:
    // A page chosen again is read again at once.
    void showEvent(QShowEvent *event) override;

private:
    QWidget *createAlarmForm();
    QWidget *createEventForm();
    void showAlarms();
    void showEvents();
    void showLog();
    void variableProbed(const QString &oid, const QString &problem);
    void createAlarm();
    void written();
    void refuse(const QString &message);
    std::set<quint32> eventIndexes() const;
    AlarmEntry alarmEntry() const;

    RmonTable *m_alarms = nullptr;
    RmonTable *m_events = nullptr;
    RmonTable *m_log = nullptr;
    RmonTable *m_alarmWriter = nullptr;
    RmonTable *m_eventWriter = nullptr;
    VariableProbe *m_probe = nullptr;
    QTimer *m_timer = nullptr;
    QTreeWidget *m_alarmList = nullptr;
    QTreeWidget *m_eventList = nullptr;
    QTreeWidget *m_logList = nullptr;
    QLineEdit *m_variable = nullptr;
    QLineEdit *m_interval = nullptr;
    QComboBox *m_sampleType = nullptr;
    QLineEdit *m_rising = nullptr;
    QLineEdit *m_falling = nullptr;
    QLineEdit *m_risingEvent = nullptr;
    QLineEdit *m_fallingEvent = nullptr;
    QLineEdit *m_description = nullptr;
    QComboBox *m_eventType = nullptr;
    QLineEdit *m_community = nullptr;
    QLabel *m_status = nullptr;
    QString m_writing;
};
