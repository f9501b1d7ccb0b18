#pragma once

#include "forms/portset.h"

#include <QDialog>

#include <array>
#include <functional>

class QButtonGroup;
class QPushButton;

struct PortSelectionOptions
{
    // At most one port is down: pressing one releases the other.
    bool exclusive = false;
    // A port that is down and cannot be released (a trunk's master port); 0 for none.
    int lockedPort = 0;
    // Ports whose buttons may not be used.
    PortSet disabled;
    // Whether a disabled port leaves the set or keeps its state.
    bool clearDisabled = false;
    // Asked at "Ok..."; a non-empty answer is shown and keeps the dialog open.
    std::function<QString(const PortSet &)> refusal;
    // Shown at "Ok..." when no port was clicked since the dialog opened;
    // empty: "Ok..." takes the ports as they are.
    QString unclickedRefusal;
};

// Chooses a set of the switch's ports: a toggle button per port, 20 to a row,
// "Ok..." and "Close". The opener sets the caption and the object name.
class PortSelectionDialog final : public QDialog
{
public:
    explicit PortSelectionDialog(const PortSet &ports,
                                 const PortSelectionOptions &options = {},
                                 QWidget *parent = nullptr);

    // The chosen ports.
    PortSet ports() const { return m_ports; }
    QPushButton *portButton(int port) const;

private:
    QPushButton *makePortButton(int port);
    void toggled(int port, bool down);
    void btnOkClick();

    PortSelectionOptions m_options;
    PortSet m_ports;
    std::array<QPushButton *, PortSet::PortCount> m_buttons{};
    QButtonGroup *m_group = nullptr;
    bool m_clicked = false;
};
