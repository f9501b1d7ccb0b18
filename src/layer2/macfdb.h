#pragma once

#include "forms/tablepages.h"

class TStaticMacPage;
class TStormControlPage;

// The columns of the forwarding list, in the order of its variables.
enum FdbColumn { FdbVlanColumn, FdbAddressColumn, FdbPortColumn, FdbStatusColumn };

// The switch's forwarding database on five pages: the learned table with its
// filter, the static unicast and multicast entries, storm control and traffic
// port control, read in that order when the dialog opens.
class TfrmMacManagement final : public TTablePagesDialog
{
public:
    explicit TfrmMacManagement(QWidget *parent = nullptr);

    TTablePage *fdbPage() const { return m_fdb; }
    TStaticMacPage *unicastPage() const { return m_unicast; }
    TStaticMacPage *multicastPage() const { return m_multicast; }
    TStormControlPage *stormPage() const { return m_storm; }
    TTablePage *trafficPage() const { return m_traffic; }

private:
    void filterFdb();

    TTablePage *m_fdb;
    TStaticMacPage *m_unicast;
    TStaticMacPage *m_multicast;
    TStormControlPage *m_storm;
    TTablePage *m_traffic;
};
