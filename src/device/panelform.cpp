#include "device/panelform.h"

#include "binding/leds.h"
#include "snmp/errors.h"
#include "snmp/kxexception.h"

#include <QFrame>
#include <QLabel>
#include <QLoggingCategory>
#include <QTime>

// The front-panel picture is compiled into this static library; its
// registration has to be pulled in explicitly.
static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

using namespace Qt::StringLiterals;

namespace {

Q_LOGGING_CATEGORY(lcPanel, "rq5160.panel")

constexpr QSize ClientSize(748, 95);

const KxSNMPVarDesc ledStatusTable[] = {
    {"1.3.6.1.4.1.88508.12.11.1.9.4.1.5",
     "swUnitMgmtFrontPanelLedStatus",
     KxSyntax::OctetStr,
     KxAccess::ReadOnly},
    {},
};

struct LedPanel
{
    const char *name;
    QRect geometry;
};

const LedPanel ledPanels[] = {
    {"PowerLedPanel", {67, 35, 8, 8}},
    {"RPSLedPanel", {67, 54, 8, 8}},
    {"ConsoleLedPanel", {67, 73, 8, 8}},
    {"LedPanel1", {113, 20, 141, 7}},
    {"LedPanel2", {113, 40, 141, 7}},
    {"LedPanel3", {113, 57, 141, 7}},
    {"LedPanel4", {113, 77, 141, 7}},
    {"PortLinkStateLed", {632, 40, 7, 7}},
    {"PortLinkSpeedLed", {662, 40, 7, 7}},
    {"GPortLinkStateLed", {688, 40, 7, 7}},
    {"GPortLinkSpeedLed", {719, 40, 7, 7}},
};

// The LEDs of each panel: the status bytes that drive them, left to right.
struct LedRow
{
    const char *panel;
    const char *bytes;
    bool comboSlot; // colour map B
    int gap;
    int size;
};

// Port n: byte 2n + 1 its link/activity LED, byte 2n + 2 its speed LED; odd
// ports in the upper rows. Bytes 51 to 54: the combo slots of ports 21 to 24.
const LedRow ledRows[] = {
    {"PowerLedPanel", "0", false, 10, 7},
    {"ConsoleLedPanel", "1", false, 10, 7},
    {"RPSLedPanel", "2", false, 10, 7},
    {"LedPanel2", "3,7,11,15,19,23,27,31,35,39,43,47", false, 6, 6},
    {"LedPanel1", "4,8,12,16,20,24,28,32,36,40,44,48", false, 6, 6},
    {"LedPanel4", "5,9,13,17,21,25,29,33,37,41,45,49", false, 6, 6},
    {"LedPanel3", "6,10,14,18,22,26,30,34,38,42,46,50", false, 6, 6},
    {"PortLinkStateLed", "51", true, 10, 7},
    {"PortLinkSpeedLed", "52", true, 10, 7},
    {"GPortLinkStateLed", "53", true, 10, 7},
    {"GPortLinkSpeedLed", "54", true, 10, 7},
};

// The low three bits choose the colour, 0x80 makes the LED flash; 6 and 7
// have no colour and show black.
KxSNMPLedColorMapList frontPanelColorMap()
{
    const QRgb white = qRgb(255, 255, 255);
    const QRgb green = qRgb(0, 255, 0);
    return KxSNMPLedColorMapList({{0, white},
                                  {1, white},
                                  {2, green},
                                  {3, green},
                                  {4, qRgb(0, 0, 255)},
                                  {5, qRgb(255, 0, 0)}},
                                 0x07,
                                 0x80,
                                 qRgb(0, 0, 0),
                                 white);
}

} // namespace

TPanelForm::TPanelForm(QWidget *parent)
    : QWidget(parent)
    , m_mapA(frontPanelColorMap())
    , m_mapB(frontPanelColorMap())
{
    initResources();
    setObjectName(u"PanelForm"_s);
    setFixedSize(ClientSize);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);

    auto *image = new QLabel(this);
    image->setObjectName(u"Image1"_s);
    image->setPixmap(QPixmap(u":/frontpanel.png"_s));
    image->setGeometry(0, 0, ClientSize.width(), ClientSize.height());
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    addPanels();
}

TPanelForm::~TPanelForm() = default;

void TPanelForm::addPanels()
{
    for (const LedPanel &panel : ledPanels) {
        auto *frame = new QFrame(this);
        frame->setObjectName(QString::fromLatin1(panel.name));
        frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
        frame->setGeometry(panel.geometry);
    }
}

void TPanelForm::StartPolling(StatusReporter reporter)
{
    m_reporter = std::move(reporter);
    try {
        m_leds = std::make_unique<KxSNMPRequest2Leds>(this);
        KxSNMPRequest &request = m_leds->request();
        request.varList.Assign(KxSNMPVarList(ledStatusTable, MVT_SV, 0));
        request.varList.indexSuffix = u"1"_s;
        request.timeout = RequestTimeout;
        request.errorHandler = [this](const KxSNMPError &error) {
            report(error.code);
        };
        // A reply's failure reaches the completion, not the error handler.
        m_leds->OnRefreshDone = [this](KxSNMPRequest2Controls &, const KxSNMPError &reply) {
            if (reply.code != 0)
                report(reply.code);
        };
        addLeds();
        request.varList.name = u"Led Status"_s;
        m_leds->StartPolling(PollInterval);
    } catch (const KxException &error) {
        qCWarning(lcPanel) << "front panel:" << error.message();
    }
}

void TPanelForm::addLeds()
{
    for (const LedRow &row : ledRows) {
        auto *panel = findChild<QFrame *>(QString::fromLatin1(row.panel));
        m_leds->AddLedRow(0,
                          QString::fromLatin1(row.bytes),
                          row.comboSlot ? &m_mapB : &m_mapA,
                          panel,
                          1,
                          row.gap,
                          LedShape::Kind::Rectangle,
                          row.size,
                          row.size);
    }
}

void TPanelForm::report(int code)
{
    if (m_reporter)
        m_reporter(QTime::currentTime().toString(Qt::TextDate), ErrorCodeText(code));
}
