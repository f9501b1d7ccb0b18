#pragma once

#include "binding/controls.h"
#include "binding/editconstraint.h"

#include <QPointer>
#include <QTreeWidget>

#include <functional>
#include <vector>

class KxOptionList;
class QComboBox;
class QLineEdit;
class RadioGroup;

// The binding every dialog uses: each variable of the request can be shown in
// edit boxes, combo boxes, radio groups, check boxes and labels (whole or one
// part of an octet string), and a table walk can fill a list view whose
// selected row then appears in the bound controls.
class KxSNMPRequest2Edits : public KxSNMPRequest2Controls
{
public:
    using Callback = std::function<void()>;

    explicit KxSNMPRequest2Edits(QWidget *form);
    ~KxSNMPRequest2Edits() override;

    // A label, check box, edit box, combo box or radio group on the whole
    // variable. Combo boxes and radio groups need an option list (-520).
    void BindControl(int var, QWidget *control);
    void BindComboBox(int var, QComboBox *combo);
    void BindRadioGroup(int var, RadioGroup *group);
    // Attaches the input format to the box (KxException -2 when bad).
    void BindEdit(int var, const QString &format, QLineEdit *edit);
    // One part of an octet-string variable: offset in bytes and part syntax.
    void
    BindPart(int var, int offset, qint32 syntax, const KxOptionList *options, QComboBox *combo);
    void BindPartEdit(int var,
                      int offset,
                      qint32 syntax,
                      const KxOptionList *options,
                      const QString &format,
                      QLineEdit *edit);
    // The binding fills the list view with the walked rows; with
    // enableOnSelect the bound controls wait for a selected row (MVT_FMV).
    void AttachListView(QTreeWidget *listView, bool enableOnSelect);

    void ShowValues();
    void ShowValues(int var);
    void CollectFromControls();
    void CollectFromControls(int var);
    // Prepares the values for a SET: emptied, the selected row copied in,
    // then the writable variables collected from their controls.
    void CollectValues() override;
    // Copies the selected row's cells into the variables.
    void RowToVariables();
    void EnableControls(bool enabled);

    QTreeWidget *listView() const { return m_listView; }
    // The list-view column of a variable: hidden columns first.
    int columnOf(int var) const;
    KxEditConstraint &constraint() { return m_constraint; }

    Callback OnBeforeRefresh;
    Callback OnBeforeApply;
    Callback OnAfterRefresh;
    Callback OnAfterApply;

protected:
    void BeforeRefresh() override;
    void BeforeApply() override;
    void RowReceived() override;
    void AfterRefresh() override;
    void AfterApply() override;
    // The list view's selection changed.
    virtual void ListSelectItem();

private:
    struct Binding
    {
        int var;
        int offset;
        qint32 syntax;
        const KxOptionList *options; // the part's list as given, or null
        QPointer<QWidget> control;
    };

    void bind(int var, int offset, qint32 syntax, const KxOptionList *options, QWidget *control);
    const KxOptionList *optionsOf(const Binding &binding) const;
    bool isWholeVariable(const Binding &binding) const;
    QString textFor(const Binding &binding, const QString &value) const;
    void showIn(const Binding &binding, const QString &text) const;
    QString readControl(const Binding &binding) const;
    void refuseEmptyNumber(const Binding &binding, const QString &text) const;
    void prepareColumns();
    QTreeWidgetItem *selectedRow() const;

    KxEditConstraint m_constraint;
    std::vector<Binding> m_bindings;
    QPointer<QTreeWidget> m_listView;
    std::vector<int> m_columns; // column of each variable
    bool m_enableOnSelect = true;
    qint64 m_lastEventsProcessed = 0;
};
