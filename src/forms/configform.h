#pragma once

#include <QDialog>

#include <memory>
#include <vector>

class KxSNMPRequest2Edits;
class TSNMPEditorPanel;

// A dialog generated from a binding's variable list: one row per variable, a
// button column and a message memo. It reads the values once it is shown and
// owns the binding it is given.
class TConfigForm final : public QDialog
{
public:
    enum FormType : quint8 { NoType = 0, EditorForm = 1 };

    explicit TConfigForm(QWidget *parent = nullptr);
    ~TConfigForm() override;

    // Makes this an editor form for the binding (once; raises KxException
    // "Can not change Type of a Config Form!" the second time).
    void SetEditor(std::unique_ptr<KxSNMPRequest2Edits> binding);

    FormType formType() const { return m_type; }
    TSNMPEditorPanel *editor() const { return m_editor; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void firstRefresh();
    void releaseBindings();

    FormType m_type = NoType;
    std::vector<std::unique_ptr<KxSNMPRequest2Edits>> m_bindings;
    TSNMPEditorPanel *m_editor = nullptr;
};
