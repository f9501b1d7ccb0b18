#pragma once

#include "app/startup.h"

#include <QMainWindow>

class QAction;
class QLabel;
class QScrollArea;
class QStatusBar;

// The module's main window: the front panel in a dark-grey scroll box, the
// two-panel status bar and the main menu.
class TMainForm final : public QMainWindow
{
public:
    // Performs the start-up: creates the global session, applies the arguments
    // and the configuration file, loads the message files. Raises KxException
    // or ConversionError.
    explicit TMainForm(const QStringList &arguments, QWidget *parent = nullptr);

    // False when there were no arguments ("No parameter input" was shown).
    bool hasParameters() const { return m_hasParameters; }
    const StartupState &startup() const { return m_startup; }

    // Writes a text into a panel (0 or 1) of the status bar.
    void setStatusPanelText(int panel, const QString &text);
    // The area where the front panel sits.
    QWidget *panelArea() const { return m_panelArea; }

private:
    void buildWindow();
    void buildMenu();
    QAction *findAction(const char *name) const;

    StartupState m_startup;
    bool m_hasParameters = false;
    QScrollArea *m_scrollBox = nullptr;
    QWidget *m_panelArea = nullptr;
    QLabel *m_statusPanels[2] = {};
};

// Loads the seven message files from "errmsg/" in the folder.
void LoadMessageFiles(const QString &folder);
