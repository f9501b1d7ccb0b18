#pragma once

#include "app/menudialogs.h"
#include "app/startup.h"

#include <QMainWindow>

#include <memory>

class KxSNMPRequest2Edits;
struct KxSNMPError;
class QAction;
class QLabel;
class QScrollArea;
class TPanelForm;

// The module's main window: the switch's front panel in a dark-grey scroll
// box, the two-panel status bar and the main menu that opens every dialog.
class TMainForm final : public QMainWindow
{
public:
    // Performs the start-up: creates the global session, applies the arguments
    // and the configuration file, shows the polling front panel, loads the
    // message files and starts reading the RMON state. Raises KxException or
    // ConversionError.
    explicit TMainForm(const QStringList &arguments, QWidget *parent = nullptr);
    ~TMainForm() override;

    // False when there were no arguments ("No parameter input" was shown).
    bool hasParameters() const { return m_hasParameters; }
    const StartupState &startup() const { return m_startup; }

    // Writes a text into a panel (0 or 1) of the status bar.
    void setStatusPanelText(int panel, const QString &text);
    QString statusPanelText(int panel) const;
    // The area where the front panel sits.
    QWidget *panelArea() const { return m_panelArea; }
    TPanelForm *panelForm() const { return m_panel; }
    DialogOpener &dialogs() { return m_dialogs; }

    // Starts reading the RMON state into StaticText1; when it arrives, enables
    // the three RMON programs when it is "enabled", disables them when it is
    // "disabled".
    void UpdateRmonMenu();
    void SaveConfiguration();
    void ResetSwitch();
    // The trunk-algorithm question, its form on No, then the trunk dialog.
    void PortTrunk();
    void ShowHelp();
    void ShowAbout();

    // Shows the windows the main window opens itself (About, the
    // trunk-algorithm form) modally; tests replace it.
    DialogOpener::Show showModal;

private:
    void buildWindow();
    void connectCommands();
    void createPanel();
    void centreOnScreen();
    void createRmonBinding();
    void rmonStateRead(const KxSNMPError &reply);
    void openMenuDialog(const char *action);
    bool confirmCommand();
    QAction *findAction(const char *name) const;

    StartupState m_startup;
    bool m_hasParameters = false;
    QScrollArea *m_scrollBox = nullptr;
    QWidget *m_panelArea = nullptr;
    QLabel *m_statusPanels[2] = {};
    QLabel *m_rmonState = nullptr;
    TPanelForm *m_panel = nullptr;
    std::unique_ptr<KxSNMPRequest2Edits> m_rmon;
    bool m_rmonReadAgain = false;
    DialogOpener m_dialogs;
    QString m_trunkAlgorithmTitle;
};

// Loads the seven message files from "errmsg/" in the folder.
void LoadMessageFiles(const QString &folder);

// The user guide beside the executable.
inline constexpr char HelpFileName[] = "RQ-5160 dr2.html";
