#pragma once

#include "files/filetransfer.h"

#include <QDialog>
#include <QHostAddress>

#include <functional>
#include <memory>

class KxSNMPRequest2Edits;
class KxTFTPServer;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class RadioGroup;

// The file dialog: has the switch fetch firmware or a configuration file from
// a TFTP server, or send its configuration or log to one, by writing the
// switch's file table; serves those files from the module's own TFTP server
// while it is open.
class TfrmFileSystem final
    : public QDialog
    , public TransferStatusSource
{
public:
    struct Page;

    explicit TfrmFileSystem(QWidget *parent = nullptr);
    ~TfrmFileSystem() override;

    // The root folder of the TFTP server: the path last applied, kept for the
    // next opening of the dialog.
    static QString &TftpRootFolder();

    int readTransferStatus() override;
    void showTransferText(const QString &text) override;
    void stopTftpServer() override;

    // How a transfer window is shown; tests replace it to drive its ticks.
    std::function<void(TransferWindow &window)> showTransferWindow;

    KxTFTPServer *tftpServer() const { return m_server.get(); }
    QTabWidget *pages() const { return m_pages; }
    QLabel *statusPanel(int index) const { return m_statusPanels[index]; }

private:
    QWidget *buildPage(Page &page);
    void startServer();
    void showAddressNotes();
    void showPage(int index);
    void readPage(Page &page);
    void actionChosen(Page &page);
    void refreshPage(Page &page);
    void applyPage(Page &page);
    bool checkPath(Page &page);
    bool checkServerAddress(Page &page);
    void resetAction(Page &page);
    bool startTransfer(Page &page);
    void openTransferWindow(const Page &page);

    std::vector<std::unique_ptr<Page>> m_pageData;
    QTabWidget *m_pages;
    QLabel *m_statusPanels[2];
    QComboBox *m_statusCombo;
    std::unique_ptr<KxSNMPRequest2Edits> m_status;
    std::unique_ptr<KxTFTPServer> m_server;
    // The switch's address, resolved once: its family decides the server's.
    QHostAddress m_switchAddress;
};
