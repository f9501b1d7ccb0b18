#pragma once

#include "forms/bindingpage.h"

class QComboBox;
class QLabel;
class QTreeWidget;
class RadioGroup;

// The pages of the basic-information dialog, in the order of its tabs.

// System group, console and authentication traps.
TBindingPage *makeBasicSystemPage();
// IP interface count and where the switch gets its address from.
TBindingPage *makeBasicChassisPage();
// The three topology alarms.
TBindingPage *makeBasicTopologyPage();

// The device-wide layer-2 controls. Enabling spanning tree asks first and
// runs under the progress window, since the switch takes a long time over it.
class TBasicProtocolPage final : public TBindingPage
{
public:
    TBasicProtocolPage();

    void applyPage() override;

protected:
    void afterRead() override;

private:
    RadioGroup *stpState() const;
    // The STP state as last read: "enabled" or "disabled".
    QString m_stpStateRead;
};

// The interface table; the admin status of the selected interface can be set.
class TBasicInterfacesPage final : public TBindingPage
{
public:
    TBasicInterfacesPage();

    void applyPage() override;

protected:
    void afterRead() override;

private:
    QTreeWidget *m_list;
};

// The MIBs the switch supports; nothing to write.
class TBasicMibPage final : public TBindingPage
{
public:
    TBasicMibPage();

    void applyPage() override {}

protected:
    void afterRead() override;

private:
    QTreeWidget *m_list;
};
