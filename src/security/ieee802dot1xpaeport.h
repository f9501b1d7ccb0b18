#pragma once

#include "forms/tablepage.h"

class RadioGroup;
class TResultBar;

// The columns of the PAE port list, in the order of the variable list.
enum PaePortColumn {
    PaePortNumberColumn,
    ProtocolVersionColumn,
    CapabilitiesColumn,
    InitializeColumn,
    ReauthenticateColumn,
};

// The port access entity of every port, with the one-shot actions
// Initialize and Reauthenticate for the selected ports, one SET per port.
class TIEEE802dot1XPaePortForm final : public TTableDialog
{
public:
    explicit TIEEE802dot1XPaePortForm(QWidget *parent = nullptr);

    TResultBar *resultBar() const { return m_result; }

private:
    void showCapabilities();

    TResultBar *m_result;
};

// Sets Initialize and Reauthenticate of the PAE list's selected rows; both
// need a choice, or Apply does nothing.
class TIEEE802dot1XPaePortEditForm final : public QDialog
{
public:
    explicit TIEEE802dot1XPaePortEditForm(QTreeWidget &list, QWidget *parent = nullptr);

private:
    void FormShow();
    void btnApplyClick();

    QTreeWidget &m_list;
    QLabel *m_port;
    QLabel *m_version;
    QLabel *m_capability;
    RadioGroup *m_initialize;
    RadioGroup *m_reauthenticate;
};
