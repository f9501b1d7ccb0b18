#pragma once

#include "forms/fieldtable.h"
#include "snmp/request.h"

#include <QSize>
#include <QWidget>

#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

class KxSNMPRequest;
class KxSNMPRequest2Edits;
class QGridLayout;
class QTreeWidget;

// A page of a dialog with a synchronous binding of its own over one field
// table. The page creates the fields' controls at once; the binding is built
// when the page is first read. Each showing reads the page, Apply writes only
// the values that differ from those last read. Exceptions of the binding are
// logged; an entry the binding refuses is shown to the user.
class TBindingPage : public QWidget
{
    Q_OBJECT

public:
    // formSize: the dialog's size while this page is shown.
    TBindingPage(const QString &name,
                 const QString &caption,
                 QSize formSize,
                 std::span<const KxField> fields,
                 quint8 kind = SVT_SV,
                 int keyCount = 0);
    ~TBindingPage() override;

    QString caption() const { return m_caption; }
    QSize formSize() const { return m_formSize; }
    std::span<const KxField> fields() const { return m_fields; }

    // The control of a field, for the special cases of a page.
    template<typename T = QWidget>
    T *control(const char *name) const
    {
        return qobject_cast<T *>(fieldControl(name));
    }

    // The list view the page's walk fills.
    void setListView(QTreeWidget *list, bool enableOnSelect);

    // Reads the page.
    virtual void showPage();
    // Writes the changed values of the page.
    virtual void applyPage();
    // Ends a running walk after the reply at hand.
    void stop();
    // True while the page's binding is exchanging.
    bool busy() const;

    // Checks of the entries that Apply runs first; a failed check writes nothing.
    void setApplyCheck(std::function<bool()> check) { m_applyCheck = std::move(check); }
    // Receives the result of every exchange of the page's binding.
    void setResultHandler(KxErrorHandler handler);
    // The request of the page's binding (time-out, error handler).
    KxSNMPRequest &request();

    // Appends "caption control (range)" rows for the named fields.
    void addFormRows(QGridLayout *grid, std::initializer_list<const char *> names) const;
    // The named fields' controls in a grid, perRow to a row.
    QGridLayout *controlGrid(std::initializer_list<const char *> names, int perRow) const;
    // Lays out every field: captioned rows, then radio groups and check boxes.
    void layOutFields();

protected:
    // Called after each read of the page.
    virtual void afterRead() {}
    // Called once the binding is built with the fields' controls: binds the
    // controls a field table cannot describe (parts of an octet string).
    virtual void bindExtraControls(KxSNMPRequest2Edits &binding) { Q_UNUSED(binding); }

    // The page's binding, built with its controls on first use.
    KxSNMPRequest2Edits &binding();

    bool refreshBinding();
    // Writes the values that changed since the last read (on a list page:
    // those of the selected row); with wholeWhenChanged every writable value
    // once any of them changed. Variables for which `leftOut` holds are not
    // written and keep their last read value. True also when nothing needed
    // writing. After a write the page is read again (a scalar page only after
    // a failed one).
    bool applyBinding(bool wholeWhenChanged = false,
                      const std::function<bool(int var)> &leftOut = {});

private:
    QWidget *fieldControl(const char *name) const;
    const KxField &field(const char *name) const;
    void rememberRead();
    // What was read, with the values just written; left-out ones stay as read.
    void rememberWritten(const std::function<bool(int var)> &leftOut);
    // The value the user saw for the variable: as last read, or the list row's cell.
    QString shownValue(int var) const;

    QString m_caption;
    QSize m_formSize;
    std::span<const KxField> m_fields;
    std::vector<KxSNMPVarDesc> m_descriptors;
    std::vector<QWidget *> m_controls; // one per field, null for none
    QStringList m_readValues;          // the values of the last read
    QTreeWidget *m_list = nullptr;
    bool m_enableOnSelect = false;
    quint8 m_kind;
    int m_keyCount;
    std::unique_ptr<KxSNMPRequest2Edits> m_binding;
    std::function<bool()> m_applyCheck;
    KxErrorHandler m_resultHandler;
};

// What a dialog of pages asks of a page.
enum class PageAction { Read, Apply };
void RunPageAction(TBindingPage &page, PageAction action);
