#pragma once

#include <QDialog>
#include <QStringList>

#include <optional>

class QCheckBox;
class QLineEdit;
class RadioGroup;

// What the forwarding list is thinned to: rows whose VLAN ID, address and
// port match the ticked criteria, all of them ("and") or any ("or").
struct FdbFilter
{
    bool allRecords = false;
    bool anyCriterion = false; // "or"
    std::optional<QString> vlanId;
    std::optional<QString> address;
    std::optional<QString> port;

    // Whether a row (VLAN ID, address, port cells) stays in the list. VLAN
    // IDs and ports compare as numbers, addresses in either case.
    bool keeps(const QString &vlanCell, const QString &addressCell, const QString &portCell) const;
};

// The filter options of the forwarding list. Accepted once the criteria
// pass their checks; the caller then reads the table and filters it.
class TfrmMacFDBFilter final : public QDialog
{
public:
    explicit TfrmMacFDBFilter(QWidget *parent = nullptr);

    FdbFilter filter() const;

private:
    void btnFilterActionClick();
    bool checkCriteria();

    RadioGroup *m_condition;
    QCheckBox *m_all;
    QCheckBox *m_vlanId;
    QCheckBox *m_address;
    QCheckBox *m_port;
    QLineEdit *m_vlanIdText;
    QLineEdit *m_addressText;
    QLineEdit *m_portText;
};
