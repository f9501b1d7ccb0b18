#pragma once

#include "snmp/varlist.h"

#include <QSize>
#include <QWidget>

#include <memory>
#include <vector>

class KxSNMPRequest2Edits;
class QTreeWidget;

// A page of a multi-page dialog with a synchronous binding of its own over one
// descriptor table. The page's controls are named to the binding as they are
// made; the binding itself is built when the page is first shown. Each showing
// reads the page, Apply writes it; exceptions of the binding are logged and
// dropped, so a failure leaves the controls as they were.
class TBindingPage : public QWidget
{
public:
    // formSize: the dialog's size while this page is shown.
    TBindingPage(const QString &name,
                 const QString &caption,
                 QSize formSize,
                 const KxSNMPVarDesc *table,
                 quint8 kind = SVT_SV,
                 int keyCount = 0);
    ~TBindingPage() override;

    QString caption() const { return m_caption; }
    QSize formSize() const { return m_formSize; }

    // Binds a control to a variable: edit boxes with their input format,
    // combo boxes and radio groups through the variable's option list.
    void addBinding(int var, QWidget *control, const QString &format = QStringLiteral("%s"));
    // The list view the page's walk fills.
    void setListView(QTreeWidget *list, bool enableOnSelect);

    // Reads the page.
    virtual void showPage();
    // Writes the page with refresh-after-apply and collecting.
    virtual void applyPage();
    // Ends a running walk after the reply at hand.
    void stop();

protected:
    // Called after each read of the page.
    virtual void afterRead() {}

    // The page's binding, built with its controls on first use.
    KxSNMPRequest2Edits &binding();

    bool refreshBinding();
    bool applyBinding();

private:
    struct Planned
    {
        int var;
        QWidget *control;
        QString format;
    };

    QString m_caption;
    QSize m_formSize;
    const KxSNMPVarDesc *m_table;
    quint8 m_kind;
    int m_keyCount;
    std::vector<Planned> m_planned;
    QTreeWidget *m_list = nullptr;
    bool m_enableOnSelect = false;
    std::unique_ptr<KxSNMPRequest2Edits> m_binding;
};
