#include "device/filesys.h"

#include "binding/edits.h"
#include "files/kxtftpserver.h"
#include "forms/dialogsupport.h"
#include "forms/formbuilder.h"
#include "platform/prompts.h"
#include "platform/radiogroup.h"
#include "snmp/hostaddress.h"
#include "snmp/kxexception.h"
#include "snmp/optionlist.h"
#include "snmp/records.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int MaxPathLength = 55;
constexpr int UploadItem = 0;
constexpr int DownloadItem = 1;
enum FileColumn { IndexColumn, AddressColumn, PathColumn, LoadTypeColumn, ControlColumn };

const KxOptionList fileIndexes{{1, "firmware"}, {2, "log"}, {3, "configuration"}};
const KxOptionList loadTypes{{2, "upload"}, {3, "download"}};
const KxOptionList fileControls{
    {1, "other"}, {2, "inactive"}, {3, "start"}, {4, "delete"}, {5, "create-and-go"}};
const KxOptionList transferStatuses{{1, "other"},
                                    {2, "in-process"},
                                    {3, "invalid-file"},
                                    {4, "violation"},
                                    {5, "file-not-found"},
                                    {6, "disk-full"},
                                    {7, "complete"},
                                    {8, "time-out"}};

const KxSNMPVarDesc fileTable[] = {
    {"1.3.6.1.4.1.88508.12.1.2.1.1.1",
     "File Index",
     KxSyntax::Integer,
     KxAccess::NotAccess,
     &fileIndexes},
    {"1.3.6.1.4.1.88508.12.1.2.1.1.3", "File Address", KxSyntax::IpAddress, KxAccess::ReadWrite},
    {"1.3.6.1.4.1.88508.12.1.2.1.1.5", "File", KxSyntax::DisplayStr, KxAccess::ReadWrite},
    {"1.3.6.1.4.1.88508.12.1.2.1.1.7",
     "File Load Type",
     KxSyntax::Integer,
     KxAccess::ReadWrite,
     &loadTypes},
    {"1.3.6.1.4.1.88508.12.1.2.1.1.8",
     "File Control",
     KxSyntax::Integer,
     KxAccess::ReadWrite,
     &fileControls},
    {},
};

const KxSNMPVarDesc statusTable[] = {
    {"1.3.6.1.4.1.88508.12.1.1.5",
     "Status File Transfer",
     KxSyntax::Integer,
     KxAccess::ReadOnly,
     &transferStatuses},
    {},
};

// What differs between the three pages.
struct PageTexts
{
    const char *name;
    const char *caption;
    int row;
    bool uploadAllowed;
    bool downloadAllowed;
    const char *statusTitle;
    const char *pathCaption;
    const char *tooLongMessage;
    const char *tooLongStatus;
    const char *confirmUpload;
    const char *confirmDownload;
    const char *transferringText;
};

const PageTexts pageTexts[] = {
    {"tsFirmwareDownload",
     "Firmware Download",
     1,
     false,
     true,
     "FirmwareDownload:",
     "Path And File Name : ",
     "Invalid PathAndFilename!",
     "Size of PathAndFilename too long!",
     nullptr,
     "Do you want to download Firmware file to the Switch?",
     "Data Transferring..."},
    {"tsConfigurationFile",
     "Configuration File",
     3,
     true,
     true,
     "Configuration File:",
     "Path And File Name :",
     "Invalid Path And File Name!",
     "Size of PathAndFilename too long!",
     "Do you want to upload Configuration file from the Switch?",
     "Do you want to download Configuration file to the Switch?",
     "Data Transferring..."},
    {"tsHistoryLog",
     "History Log",
     2,
     true,
     false,
     "History Log:",
     "Path And File Name :",
     "Invalid Path And File Name!",
     "Size of Path And File Name too long!",
     "Do you want to upload log file from the Switch?",
     nullptr,
     "Log Transferring..."},
};

} // namespace

// One page of the dialog: its texts, controls and binding.
struct TfrmFileSystem::Page
{
    explicit Page(const PageTexts &pageTexts)
        : texts(pageTexts)
    {}

    const PageTexts &texts;
    QLineEdit *address = nullptr;
    QLabel *addressNote = nullptr;
    QLineEdit *path = nullptr;
    RadioGroup *action = nullptr;
    QPushButton *apply = nullptr;
    QTreeWidget *list = nullptr;
    std::unique_ptr<KxSNMPRequest2Edits> binding;
};

QString &TfrmFileSystem::TftpRootFolder()
{
    static QString root;
    return root;
}

TfrmFileSystem::TfrmFileSystem(QWidget *parent)
    : QDialog(parent)
    , m_pages(new QTabWidget)
    , m_statusCombo(new QComboBox(this))
    , m_status(std::make_unique<KxSNMPRequest2Edits>(this))
{
    setObjectName(u"frmFileSystem"_s);
    showTransferWindow = [](TransferWindow &window) {
        window.exec();
    };
    for (const PageTexts &texts : pageTexts)
        m_pageData.push_back(std::make_unique<Page>(texts));
    m_pages->setObjectName(u"pgcFileSystem"_s);
    for (auto &page : m_pageData)
        m_pages->addTab(buildPage(*page), QString::fromLatin1(page->texts.caption));

    auto *statusBar = new QStatusBar;
    statusBar->setObjectName(u"sbFileSystem"_s);
    statusBar->setSizeGripEnabled(false);
    for (QLabel *&panel : m_statusPanels) {
        panel = new QLabel;
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setMinimumWidth(150);
    }
    statusBar->addWidget(m_statusPanels[0]);
    statusBar->addWidget(m_statusPanels[1], 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addWidget(statusBar);

    m_statusCombo->setObjectName(u"cbFileTransferStatus"_s);
    m_statusCombo->hide();
    m_status->asynchronous = false;
    m_status->varList().Assign(KxSNMPVarList(statusTable, SVT_SV, 0));
    m_status->BindComboBox(0, m_statusCombo);

    m_switchAddress = ResolveHostAddress(GlobalDevice().address);
    startServer();
    showAddressNotes();
    connect(m_pages, &QTabWidget::currentChanged, this, &TfrmFileSystem::showPage);
    showPage(0);
    resize(560, 380);
}

TfrmFileSystem::~TfrmFileSystem() = default;

QWidget *TfrmFileSystem::buildPage(Page &page)
{
    auto *widget = new QWidget;
    widget->setObjectName(QString::fromLatin1(page.texts.name));
    page.address = makeEdit(u"edtServerAddress"_s);
    page.address->setText(u"0.0.0.0"_s);
    page.addressNote = makeLabel({}, u"lblServerAddressNote"_s);
    page.addressNote->setWordWrap(true);
    page.addressNote->hide();
    page.path = makeEdit(u"edtPathAndFileName"_s);
    page.action = makeRadioGroup(u"Action : "_s, u"rgpAction"_s, 2);
    page.action->setItems({u"Upload"_s, u"Download"_s});
    page.action->setItemEnabled(UploadItem, page.texts.uploadAllowed);
    page.action->setItemEnabled(DownloadItem, page.texts.downloadAllowed);
    page.apply = makeButton(u"Apply"_s, u"btnApply"_s);
    QPushButton *refresh = makeButton(u"Refresh"_s, u"btnRefresh"_s);
    QPushButton *help = makeHelpButton();
    QPushButton *close = makeButton(u"Close"_s, u"btnClose"_s);
    page.list = makeListView(u"lvwFile"_s,
                             {u"Index"_s, u"IP"_s, u"FilePath"_s, u"LoadType"_s, u"Operation"_s});
    page.list->header()->setStretchLastSection(false);
    page.list->header()->setSectionResizeMode(PathColumn, QHeaderView::Stretch);
    page.list->setMaximumHeight(80);

    auto *fields = new QFormLayout;
    fields->addRow(u"TFTP Server IP Address : "_s, page.address);
    fields->addRow(page.addressNote);
    fields->addRow(QString::fromLatin1(page.texts.pathCaption), page.path);
    auto *layout = new QVBoxLayout(widget);
    layout->addLayout(fields);
    layout->addWidget(page.action);
    layout->addLayout(makeButtonBar({page.apply, refresh, help, close}));
    layout->addWidget(page.list);

    connect(
        page.action, &RadioGroup::itemIndexChanged, this, [this, &page] { actionChosen(page); });
    connect(page.apply, &QPushButton::clicked, this, [this, &page] { applyPage(page); });
    connect(refresh, &QPushButton::clicked, this, [this, &page] { refreshPage(page); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    return widget;
}

// A server that cannot start is reported; the switch can still use another
// TFTP server, so the dialog stays usable.
void TfrmFileSystem::startServer()
{
    try {
        m_server = std::make_unique<KxTFTPServer>();
        m_server->SetTimeouts(3000, 3);
        m_server->Start(TftpRootFolder(), KxTFTPServer::DefaultPort(), m_switchAddress);
    } catch (const KxException &error) {
        prompts().message(this,
                          Prompts::Kind::Error,
                          windowTitle(),
                          u"TFTP Service Init Error:"_s + error.message());
    }
}

// A switch managed over IPv6 reaches this PC at an IPv6 address, which its
// file table (an IpAddress object) cannot hold: each page says so up front.
void TfrmFileSystem::showAddressNotes()
{
    if (m_switchAddress.protocol() != QAbstractSocket::IPv6Protocol)
        return;
    const QString note
        = u"The switch is managed over IPv6 (this PC: %1), but its file table takes IPv4 "
          "TFTP server addresses only."_s.arg(m_server->record().serverAddress);
    for (const auto &page : m_pageData) {
        page->addressNote->setText(note);
        page->addressNote->show();
    }
}

void TfrmFileSystem::resetAction(Page &page)
{
    page.apply->setEnabled(false);
    page.action->setItemIndex(-1);
    page.path->setFocus();
}

void TfrmFileSystem::showPage(int index)
{
    Page &page = *m_pageData.at(static_cast<size_t>(index));
    resetAction(page);
    m_statusPanels[1]->clear();
    TftpRootFolder().clear();
    m_statusPanels[0]->setText(QString::fromLatin1(page.texts.statusTitle));
    if (!page.binding) {
        page.binding = std::make_unique<KxSNMPRequest2Edits>(this);
        page.binding->asynchronous = false;
        page.binding->varList().Assign(KxSNMPVarList(fileTable, MVT_SV, 1));
        page.binding->varList().indexSuffix = QString::number(page.texts.row);
        page.binding->AttachListView(page.list, false);
        readPage(page);
    }
    if (page.list->topLevelItemCount() > 0)
        page.list->setCurrentItem(page.list->topLevelItem(0));
}

// Reads the page's file row and copies its address and path into the boxes.
void TfrmFileSystem::readPage(Page &page)
{
    // The index column is not read; show the row it stands for.
    page.binding->varList().Item(0).value
        = fileIndexes.ValueToText(QString::number(page.texts.row));
    runGuarded(this, [&page] { return page.binding->Refresh(); });
    if (const QTreeWidgetItem *row = page.list->topLevelItem(0)) {
        page.address->setText(row->text(AddressColumn));
        page.path->setText(row->text(PathColumn));
    }
}

void TfrmFileSystem::actionChosen(Page &page)
{
    const int choice = page.action->itemIndex();
    page.apply->setEnabled((choice == UploadItem && page.texts.uploadAllowed)
                           || (choice == DownloadItem && page.texts.downloadAllowed));
}

void TfrmFileSystem::refreshPage(Page &page)
{
    page.apply->setEnabled(false);
    readPage(page);
    resetAction(page);
    m_statusPanels[1]->clear();
    TftpRootFolder().clear();
}

bool TfrmFileSystem::checkPath(Page &page)
{
    const QString path = page.path->text();
    QString message;
    QString status;
    if (path.isEmpty()) {
        message = u"Invalid Path And File Name!"_s;
        status = u"Path And File Name is NULL!"_s;
    } else if (path.size() > MaxPathLength) {
        message = QString::fromLatin1(page.texts.tooLongMessage);
        status = QString::fromLatin1(page.texts.tooLongStatus);
    } else {
        return true;
    }
    prompts().message(this, Prompts::Kind::Information, windowTitle(), message);
    resetAction(page);
    m_statusPanels[1]->setText(status);
    return false;
}

// The file table's address is an IpAddress: an IPv6 address would go out as
// 0.0.0.0, so it is refused before anything is written.
bool TfrmFileSystem::checkServerAddress(Page &page)
{
    const QString address = page.address->text().trimmed();
    if (!IsIpv6Text(address))
        return true;
    prompts().message(this,
                      Prompts::Kind::Error,
                      windowTitle(),
                      u"The switch's file table takes IPv4 server addresses only: it cannot be "
                      "told the IPv6 address %1. Enter an IPv4 address of this PC or of another "
                      "TFTP server."_s.arg(address));
    resetAction(page);
    page.address->setFocus();
    m_statusPanels[1]->setText(u"IPv6 server address not supported by the switch!"_s);
    return false;
}

void TfrmFileSystem::applyPage(Page &page)
{
    if (!checkPath(page) || !checkServerAddress(page))
        return;
    const bool download = page.action->itemIndex() == DownloadItem;
    const char *question = download ? page.texts.confirmDownload : page.texts.confirmUpload;
    if (!question || !prompts().question(this, u"Confirm"_s, QString::fromLatin1(question)))
        return;

    QTreeWidgetItem *row = page.list->topLevelItem(0);
    if (!row) {
        row = new QTreeWidgetItem(page.list);
        row->setText(IndexColumn, fileIndexes.ValueToText(QString::number(page.texts.row)));
    }
    row->setText(AddressColumn, page.address->text());
    row->setText(PathColumn, page.path->text());
    row->setText(LoadTypeColumn, download ? u"download"_s : u"upload"_s);
    row->setText(ControlColumn, u"start"_s);
    m_statusPanels[1]->setText(u"SNMP Command : Call Agent Start!"_s);
    page.list->setCurrentItem(row);
    TftpRootFolder() = page.path->text();
    if (!startTransfer(page))
        return;
    if (m_server)
        m_server->allowPath(page.path->text(),
                            download ? KxTFTPOperation::Read : KxTFTPOperation::Write);

    const QString failure = TransferEndText(readTransferStatus(), QString());
    if (!failure.isEmpty()) {
        m_statusPanels[1]->setText(failure);
        return;
    }
    m_statusPanels[1]->setText(QString::fromLatin1(page.texts.transferringText));
    openTransferWindow(page);
}

// Writes the page's row with its start command. A refused or unanswered SET is
// reported: the status the switch holds then belongs to an earlier transfer.
bool TfrmFileSystem::startTransfer(Page &page)
{
    QString failure;
    KxSNMPRequest &request = page.binding->request();
    request.errorHandler = [&failure](const KxSNMPError &error) {
        if (error.code != 0)
            failure = error.message;
    };
    try {
        page.binding->Apply(false, true);
    } catch (const KxException &error) {
        failure = error.message();
    }
    request.errorHandler = nullptr;
    if (failure.isEmpty())
        return true;
    m_statusPanels[1]->setText(failure);
    prompts().message(this, Prompts::Kind::Error, windowTitle(), failure);
    return false;
}

void TfrmFileSystem::openTransferWindow(const Page &page)
{
    // The local window is for an empty server address only: the module does not
    // know which of its addresses the switch reaches.
    std::unique_ptr<TransferWindow> window;
    if (page.address->text().isEmpty())
        window = std::make_unique<TfrmFileTransfer>(*this, this);
    else
        window = std::make_unique<TfrmRemoteFileTransfer>(*this, this);
    showTransferWindow(*window);
}

int TfrmFileSystem::readTransferStatus()
{
    // A failed read must not leave the previous transfer's state standing.
    m_statusCombo->setCurrentIndex(-1);
    runGuarded(this, [this] { return m_status->Refresh(); });
    return m_statusCombo->currentIndex();
}

void TfrmFileSystem::showTransferText(const QString &text)
{
    m_statusPanels[1]->setText(text);
}

void TfrmFileSystem::stopTftpServer()
{
    if (m_server)
        m_server->Stop();
}
