#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;
class RadioGroup;

// What the configuration editor shows above its controls: the global
// 802.1X settings as the Information dialog read them.
struct Dot1xGlobalTexts
{
    QString state;
    QString mode;
    QString protocol;
};

// Edits the selected rows of the 802.1X configuration list: the first one
// fills the controls, Apply gives every selected row the same values. A
// radio group without a selection leaves its cells as they are. The editor
// never talks to the switch; the Information dialog writes the rows.
class TIEEE802dot1XInfoEditForm final : public QDialog
{
public:
    TIEEE802dot1XInfoEditForm(QTreeWidget &list, Dot1xGlobalTexts globals, QWidget *parent);

private:
    void FormShow();
    void clear();
    void fillFrom(const QTreeWidgetItem &row);
    bool checkInput();
    void btnApplyClick();

    QTreeWidget &m_list;
    Dot1xGlobalTexts m_globals;
    QLabel *m_state;
    QLabel *m_mode;
    QLabel *m_protocol;
    QLabel *m_ports;
    QLabel *m_open;
    RadioGroup *m_direction;
    RadioGroup *m_portControl;
    RadioGroup *m_reauth;
    QLineEdit *m_quietPeriod;
    QLineEdit *m_txPeriod;
    QLineEdit *m_suppTimeout;
    QLineEdit *m_serverTimeout;
    QLineEdit *m_maxReq;
    QLineEdit *m_reAuthPeriod;
};
