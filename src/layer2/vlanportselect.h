#pragma once

#include <QDialog>

#include <vector>

class QPushButton;

// Chooses the ports of one VLAN port set: a toggle button per port, 20 to a
// row. The caption and object name are set by the editor that opens it.
class TfrmVLanPortSelection final : public QDialog
{
public:
    // states: the set as a bit string; selectable: "1" for each port whose
    // button may be used. With clearUnselectable a port that may not be used
    // is taken out of the set, otherwise it keeps its state.
    TfrmVLanPortSelection(const QString &states,
                          const QString &selectable,
                          bool clearUnselectable,
                          QWidget *parent = nullptr);

    // The chosen set as a bit string.
    QString states() const { return m_states; }
    QPushButton *portButton(int port) const;

private:
    void toggled(int port, bool down);

    QString m_states;
    std::vector<QPushButton *> m_buttons;
};
