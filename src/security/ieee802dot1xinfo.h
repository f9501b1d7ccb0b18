#pragma once

#include <QDialog>

#include <functional>
#include <memory>

class QPushButton;
class QStackedWidget;
class QTabWidget;
class QTreeWidgetItem;
class TBindingPage;
class TDot1xModeLists;
class TResultBar;
class TTablePage;

// The 802.1X state of every port (or of every supplicant in MAC-based mode)
// and the authenticator configuration of every port, one page each, and a
// statistics page whose tab is not shown. The global settings, read into
// hidden labels, decide which list of each pair shows. Edit changes the
// selected configuration rows, one SET per port.
class TIEEE802dot1XInfoForm final : public QDialog
{
public:
    enum AuthMode { ModeOther = -1, ModeUnknown = 0, PortBased = 1, MacBased = 2 };
    enum Dot1xState { StateOther = -1, StateUnknown = 0, Enabled = 1, Disabled = 2 };

    explicit TIEEE802dot1XInfoForm(QWidget *parent = nullptr);
    ~TIEEE802dot1XInfoForm() override;

    AuthMode authMode() const { return m_mode; }
    Dot1xState dot1xState() const { return m_state; }
    QTabWidget *pages() const { return m_pages; }
    TTablePage *portStatePage() const;
    TTablePage *macStatePage() const;
    TTablePage *configurationPage() const { return m_config; }
    enum StatisticsKind { AuthStatistics, AuthDiagnostics, AuthSession };
    QTabWidget *statisticsPages() const { return m_statisticsPages; }
    TTablePage *statisticsList(StatisticsKind kind, AuthMode mode) const;
    TResultBar *resultBar() const { return m_result; }

    // Closing during a read closes once the read has returned.
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormActivate();
    void btnRefreshClick();
    void btnStopClick();
    void btnEditClick();
    void readGlobals();
    void deriveState();
    void setCaption();
    void refreshStatePage();
    void readStatistics();
    void refreshStatisticsPage();
    TDot1xModeLists *currentStatistics() const;
    QList<TTablePage *> lists() const;
    std::unique_ptr<QDialog> configEditor(QTreeWidgetItem *row);
    void setButtonStates();
    bool busy() const;
    // Runs a sequence of reads; closing waits for it and no read starts after Close.
    void run(const std::function<void()> &reads);
    bool closing() const { return m_closing; }

    TBindingPage *m_globals;
    QTabWidget *m_pages;
    TDot1xModeLists *m_stateLists;
    TTablePage *m_config;
    QTabWidget *m_statisticsPages;
    TDot1xModeLists *m_statistics[3];
    QPushButton *m_refresh;
    QPushButton *m_stop;
    QPushButton *m_edit;
    TResultBar *m_result;
    AuthMode m_mode = ModeUnknown;
    Dot1xState m_state = StateUnknown;
    bool m_configFailed = false;
    bool m_activated = false;
    bool m_working = false;
    bool m_closing = false;
};
