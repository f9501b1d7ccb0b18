#pragma once

#include "layer2/vlanports.h"

#include <QDialog>

#include <array>
#include <functional>

class QGridLayout;
class QLineEdit;
class QTreeWidget;

// The three port-set rows of a VLAN editor: a read-only box with the chosen
// ports and a "..." button that opens the port-selection dialog of the set.
class VLanPortFields final : public QObject
{
public:
    struct Texts
    {
        const char *namePrefix; // "VLanInsert": edtVLanInsertPortMembers, ...
        std::array<const char *, 3> selectionCaptions;
        const char *forbiddenNeedsMembers;
        const char *untaggedNeedsMembers;
        // A port that may not become untagged is taken out of the untagged set.
        bool clearUnselectable;
    };

    VLanPortFields(const Texts &texts, QDialog *editor);

    void addRows(QGridLayout *grid);
    VLanPortSets &sets() { return m_sets; }
    QLineEdit *edit(VLanPortSet set) const { return m_edits[static_cast<size_t>(set)]; }

    // The ports that may not become untagged ports, asked for when the
    // untagged selection opens; none when not set.
    std::function<PortSet()> notUntaggable;

private:
    void choose(VLanPortSet set);
    PortSet unusable(VLanPortSet set) const;

    const Texts &m_texts;
    QDialog *m_editor;
    VLanPortSets m_sets;
    std::array<QLineEdit *, 3> m_edits{};
    std::array<QWidget *, 3> m_buttons{};
};

// Adds a VLAN: ID, name and the three port sets. Accepting appends the new
// row to the VLAN list (hex port lists, status "createAndGo") and selects it;
// the list dialog then writes that row.
class TfrmVLanInsert final : public QDialog
{
public:
    explicit TfrmVLanInsert(QTreeWidget &list, QWidget *parent = nullptr);

private:
    void btnVLanInsertClick();
    bool checkInput();
    PortSet untaggedElsewhere() const;

    QTreeWidget &m_list;
    QLineEdit *m_id;
    QLineEdit *m_name;
    VLanPortFields *m_ports;
};

// Changes the port sets of the selected VLAN. Accepting rewrites that row's
// port cells as hex port lists and its status as "active".
class TfrmVLanEdit final : public QDialog
{
public:
    explicit TfrmVLanEdit(QTreeWidget &list, QWidget *parent = nullptr);

private:
    void FormShow();
    void btnVLanEditClick();

    QTreeWidget &m_list;
    QLineEdit *m_id;
    QLineEdit *m_name;
    VLanPortFields *m_ports;
};
