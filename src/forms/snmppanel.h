#pragma once

#include <QWidget>

class KxSNMPRequest2Edits;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;

// The column of command buttons on the right of a generated form.
class TCtrlBtnPanel final : public QWidget
{
public:
    explicit TCtrlBtnPanel(QWidget *parent = nullptr);

    QLabel *samplesCount;
    QLabel *samplesLabel;
    QPushButton *refresh;
    QPushButton *edit;
    QPushButton *setChecked;
    QPushButton *add;
    QPushButton *remove;
    QPushButton *checkAll;
    QPushButton *clearChecks;
    QPushButton *close;

private:
    QPushButton *addButton(const QString &caption, const QString &picture, const char *name);

    QVBoxLayout *m_layout;
};

// The message memo under the content of a generated form.
class TMsgPanel final : public QWidget
{
public:
    explicit TMsgPanel(QWidget *parent = nullptr);

    QPlainTextEdit *memo;
};

// The frame of a generated form: content area, message memo below it and the
// button column on the right. The binding's status lines go to the memo.
class TSNMPPanel : public QWidget
{
public:
    TSNMPPanel(KxSNMPRequest2Edits *binding, QWidget *parent = nullptr);

    // Shows the control in the content area, replacing the previous one.
    void SetContent(QWidget *content);
    // Makes the frame fill the form, sized to the content within 800 x 550.
    void AttachToForm(QWidget *form);

    KxSNMPRequest2Edits *binding() const { return m_binding; }
    TCtrlBtnPanel *buttons() const { return m_buttons; }
    QPlainTextEdit *memo() const { return m_messages->memo; }

private:
    KxSNMPRequest2Edits *m_binding;
    TCtrlBtnPanel *m_buttons;
    TMsgPanel *m_messages;
    QWidget *m_contentArea;
    QWidget *m_content = nullptr;
};
