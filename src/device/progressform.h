#pragma once

#include "forms/progresswindow.h"

#include <QDialog>
#include <QTimer>

#include <functional>

class KxSNMPRequest2Controls;
class QLabel;
class QProgressBar;

// The progress window of a long write: applies the opener's binding when it
// is created, then advances its bar once a second and closes itself after
// about 30 seconds.
class TBasicProgressForm final : public QDialog
{
public:
    static constexpr int TickMs = 1000;
    static constexpr int CloseAt = 30;

    // Applies the binding (refresh after apply, values collected); an error
    // of that Apply is dropped.
    TBasicProgressForm(QWidget *parent, KxSNMPRequest2Controls &binding);
    // Runs the work instead; an error it raises is dropped.
    TBasicProgressForm(QWidget *parent, const std::function<void()> &work);

    QLabel *prompt() const { return m_prompt; }
    QProgressBar *progressBar() const { return m_bar; }
    bool isTimerRunning() const { return m_timer.isActive(); }

    // One tick of the progress timer.
    void ProgressTimerTimer();

    void done(int result) override;

private:
    QLabel *m_prompt;
    QProgressBar *m_bar;
    QTimer m_timer;
};

// Shows the progress window for a dialog's request, modally.
void ShowBasicProgressForm(const ProgressWindowRequest &request);
