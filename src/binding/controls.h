#pragma once

#include "snmp/request.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class QLabel;
class QPlainTextEdit;
class QStatusBar;
class QWidget;

// Ties one request to the controls of a form: Refresh reads the variables (one
// GET, or a walk one row per exchange) and hands each reply to RowReceived;
// Apply collects the controls' values and writes them with one SET. Derived
// classes decide what handing over and collecting mean.
class KxSNMPRequest2Controls : public QObject
{
public:
    enum OperationKind { RefreshOperation = 0, ApplyOperation = 1 };
    using DoneHandler
        = std::function<void(KxSNMPRequest2Controls &binding, const KxSNMPError &reply)>;

    explicit KxSNMPRequest2Controls(QWidget *form);
    // Waits (bounded) for outstanding replies; they no longer reach the binding.
    ~KxSNMPRequest2Controls() override;

    KxSNMPRequest &request() { return *m_request; }
    KxSNMPVarList &varList() { return m_request->varList; }
    const KxSNMPVarList &varList() const { return m_request->varList; }
    QWidget *form() const { return m_form; }

    // True when the read succeeded (synchronous), or when it started (asynchronous).
    bool Refresh();
    // Positions and values are passed through to the request's Write.
    bool Apply(bool refreshAfterApply,
               bool collect,
               const QString &positions = {},
               const QStringList *values = nullptr);

    // Status lines go to a memo, a status bar or one status-bar panel.
    void SetLogControl(QPlainTextEdit *memo);
    void SetLogControl(QStatusBar *statusBar);
    void SetLogControl(QLabel *panel);
    // "Get: <text> Request:<list name>. Receive at hh:mm:ss am." (or "Set: ...").
    void LogMessage(const QString &text);
    // The status line for a text at a given time, without writing it.
    QString StatusLine(const QString &text, const QTime &time) const;

    virtual void ReportError(const QString &text);
    virtual void ReportMessage(const QString &text);

    bool asynchronous = true;
    bool refreshAfterApply = true;
    DoneHandler OnRefreshDone;
    DoneHandler OnApplyDone;

    bool busy() const { return m_busy; }
    int rowCount() const { return m_rowCount; }
    int operationKind() const { return m_operationKind; }

protected:
    virtual void BeforeRefresh() {}
    virtual void BeforeApply() {}
    // One reply or one table row is in the variables' values.
    virtual void RowReceived() = 0;
    virtual void CollectValues() {}
    virtual void AfterRefresh() {}
    virtual void AfterApply() {}

private:
    bool isWalk() const;
    bool acceptsRow();
    void handOverRow();
    bool refreshSynchronously();
    bool applySynchronously(const QString &positions, const QStringList *values);
    void onRefreshReply(const KxSNMPError &reply);
    void onApplyReply(const KxSNMPError &reply);
    void endAsyncRefresh(const KxSNMPError &reply);
    bool whileBusy(const std::function<bool()> &operation);
    void endFailedReply(OperationKind kind, const DoneHandler &done, const KxSNMPError &reply);
    void reportSuccess();
    void showMessage(const QString &text);

    QPointer<QWidget> m_form;
    std::unique_ptr<KxSNMPRequest> m_request;
    QPointer<QPlainTextEdit> m_memo;
    QPointer<QStatusBar> m_statusBar;
    QPointer<QLabel> m_panel;
    bool m_busy = false;
    bool m_destroying = false;
    int m_rowCount = 0;
    int m_operationKind = RefreshOperation;
};
