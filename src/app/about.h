#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The program information window. Shift+Alt+F3 on "Ok" shows the build.
class TAboutForm final : public QDialog
{
public:
    explicit TAboutForm(const QString &address, QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_release;
    QPushButton *m_ok;
};
