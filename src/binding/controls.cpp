#include "binding/controls.h"

#include "platform/paths.h"
#include "platform/prompts.h"
#include "snmp/errors.h"
#include "snmp/kxexception.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTime>

using namespace Qt::StringLiterals;

KxSNMPRequest2Controls::KxSNMPRequest2Controls(QWidget *form)
    : QObject(nullptr)
    , m_form(form)
    , m_request(std::make_unique<KxSNMPRequest>())
{}

KxSNMPRequest2Controls::~KxSNMPRequest2Controls()
{
    m_destroying = true;
    m_request.reset();
}

bool KxSNMPRequest2Controls::isWalk() const
{
    return m_request->varList.IsTable();
}

bool KxSNMPRequest2Controls::acceptsRow()
{
    return m_request->rowFilter.isEmpty() || m_request->TestCondition(m_request->rowFilter);
}

void KxSNMPRequest2Controls::handOverRow()
{
    if (!acceptsRow())
        return;
    RowReceived();
    ++m_rowCount;
}

bool KxSNMPRequest2Controls::Refresh()
{
    m_operationKind = RefreshOperation;
    BeforeRefresh();
    m_rowCount = 0;
    if (!asynchronous)
        return refreshSynchronously();

    m_busy = true;
    bool ok = true;
    if (m_request->active) {
        m_request->ReadAsync(
            true,
            [this](void *, const KxSNMPError &reply, KxSNMPVarList &) { onRefreshReply(reply); },
            this,
            ok);
    }
    if (!ok || !m_request->active)
        m_busy = false;
    return ok;
}

bool KxSNMPRequest2Controls::refreshSynchronously()
{
    const bool ok = whileBusy([this] {
        bool read = true;
        if (!isWalk()) {
            m_request->Read(true, read);
            if (read)
                handOverRow();
        } else {
            for (bool more = m_request->Read(true, read); more;
                 more = m_request->Read(false, read)) {
                if (read)
                    handOverRow();
            }
        }
        AfterRefresh();
        return read;
    });
    if (ok)
        reportSuccess();
    return ok;
}

// Runs a synchronous operation with the busy flag set; it is cleared also
// when the operation raises.
bool KxSNMPRequest2Controls::whileBusy(const std::function<bool()> &operation)
{
    struct ClearOnExit
    {
        bool &busy;
        ~ClearOnExit() { busy = false; }
    } clear{m_busy};
    m_busy = true;
    return operation();
}

void KxSNMPRequest2Controls::endFailedReply(OperationKind kind,
                                            const DoneHandler &done,
                                            const KxSNMPError &reply)
{
    m_busy = false;
    m_operationKind = kind;
    if (done)
        done(*this, reply);
}

void KxSNMPRequest2Controls::onRefreshReply(const KxSNMPError &reply)
{
    if (m_destroying)
        return;
    if (reply.code != 0) {
        endFailedReply(RefreshOperation, OnRefreshDone, reply);
        return;
    }
    const bool walking = isWalk() && !reply.done;
    if (!isWalk() || walking) {
        try {
            handOverRow();
        } catch (const KxException &error) {
            showMessage(error.message());
        }
    }
    if (walking && m_request->active) {
        bool ok = true;
        m_request->ReadAsync(
            false,
            [this](void *, const KxSNMPError &next, KxSNMPVarList &) { onRefreshReply(next); },
            this,
            ok);
        if (!ok)
            m_busy = false;
        return;
    }
    endAsyncRefresh(reply);
}

void KxSNMPRequest2Controls::endAsyncRefresh(const KxSNMPError &reply)
{
    AfterRefresh();
    m_busy = false;
    reportSuccess();
    if (OnRefreshDone)
        OnRefreshDone(*this, reply);
}

bool KxSNMPRequest2Controls::Apply(bool refreshAfter,
                                   bool collect,
                                   const QString &positions,
                                   const QStringList *values)
{
    m_operationKind = ApplyOperation;
    refreshAfterApply = refreshAfter;
    BeforeApply();
    if (collect)
        CollectValues();
    if (!asynchronous)
        return applySynchronously(positions, values);

    m_busy = true;
    bool ok = true;
    if (m_request->active) {
        m_request->WriteAsync(
            [this](void *, const KxSNMPError &reply, KxSNMPVarList &) { onApplyReply(reply); },
            this,
            false,
            positions,
            values,
            ok);
    }
    if (!ok || !m_request->active)
        m_busy = false;
    return ok;
}

bool KxSNMPRequest2Controls::applySynchronously(const QString &positions, const QStringList *values)
{
    const bool ok = whileBusy([&] {
        bool written = true;
        m_request->Write(false, positions, values, written);
        AfterApply();
        return written;
    });
    if (ok)
        reportSuccess();
    if (isWalk() && refreshAfterApply)
        Refresh();
    return ok;
}

void KxSNMPRequest2Controls::onApplyReply(const KxSNMPError &reply)
{
    if (m_destroying)
        return;
    if (reply.code != 0) {
        endFailedReply(ApplyOperation, OnApplyDone, reply);
        return;
    }
    AfterApply();
    m_busy = false;
    m_operationKind = ApplyOperation;
    reportSuccess();
    if (OnApplyDone)
        OnApplyDone(*this, reply);
    if (isWalk() && refreshAfterApply)
        Refresh();
}

void KxSNMPRequest2Controls::reportSuccess()
{
    if (!m_request->errorHandler)
        return;
    KxSNMPError success;
    success.message = ErrorMessage(0);
    m_request->errorHandler(success);
}

void KxSNMPRequest2Controls::SetLogControl(QPlainTextEdit *memo)
{
    m_memo = memo;
    m_statusBar = nullptr;
    m_panel = nullptr;
}

void KxSNMPRequest2Controls::SetLogControl(QStatusBar *statusBar)
{
    m_memo = nullptr;
    m_statusBar = statusBar;
    m_panel = nullptr;
}

void KxSNMPRequest2Controls::SetLogControl(QLabel *panel)
{
    m_memo = nullptr;
    m_statusBar = nullptr;
    m_panel = panel;
}

QString KxSNMPRequest2Controls::StatusLine(const QString &text, const QTime &time) const
{
    QString line = MessageText(MessageTable::StatusTemplates, m_operationKind);
    const QString &listName = m_request->varList.name;
    if (listName.isEmpty()) {
        const qsizetype from = line.indexOf(u"[ERROR]"_s);
        const qsizetype to = line.indexOf(u"[VARLIST]"_s);
        if (from >= 0 && to > from)
            line.remove(from + 7, to + 9 - (from + 7));
    } else {
        line.replace(u"[VARLIST]"_s, listName);
    }
    line.replace(u"[ERROR]"_s, text);
    line.replace(u"[TIME]"_s, QLocale::c().toString(time, u"hh:mm:ss ap"_s));
    return line;
}

void KxSNMPRequest2Controls::LogMessage(const QString &text)
{
    const QString line = StatusLine(text, QTime::currentTime());
    if (m_memo)
        m_memo->appendPlainText(line);
    else if (m_statusBar)
        m_statusBar->showMessage(line);
    else if (m_panel)
        m_panel->setText(line);
}

void KxSNMPRequest2Controls::showMessage(const QString &text)
{
    if (m_memo || m_statusBar || m_panel)
        LogMessage(text);
    else
        prompts().message(m_form, Prompts::Kind::Information, ProgramFileName(), text);
}

void KxSNMPRequest2Controls::ReportError(const QString &text)
{
    m_operationKind = RefreshOperation;
    showMessage(text);
}

void KxSNMPRequest2Controls::ReportMessage(const QString &text)
{
    m_operationKind = ApplyOperation;
    showMessage(text);
}
