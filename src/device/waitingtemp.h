#pragma once

#include <QDialog>

#include <functional>

class QProgressBar;

// "Please Waiting...": runs a loading step once it is shown and then closes
// itself, also when the step fails.
class TWaitingTemp final : public QDialog
{
public:
    TWaitingTemp(QWidget *parent, std::function<void()> load);

    QProgressBar *progressBar() const { return m_bar; }

    // Runs the loading step (once) and posts the window its close.
    void FormActivate();

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::function<void()> m_load;
    QProgressBar *m_bar;
    bool m_activated = false;
};
