#include "binding/leds.h"

#include "binding/partconvert.h"
#include "snmp/kxexception.h"
#include "snmp/numlist.h"

#include <QFrame>
#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcLeds, "rq5160.leds")

constexpr int PartOutOfRange = -519;

} // namespace

KxSNMPRequest2Leds::KxSNMPRequest2Leds(QWidget *form)
    : KxSNMPRequest2Controls(form)
{
    connect(&m_pollTimer, &QTimer::timeout, this, &KxSNMPRequest2Leds::PollTick);
    connect(&m_flashTimer, &QTimer::timeout, this, &KxSNMPRequest2Leds::FlashStep);
    m_flashTimer.setInterval(FlashIntervalMs);
}

KxSNMPRequest2Leds::~KxSNMPRequest2Leds()
{
    StopPolling();
}

void KxSNMPRequest2Leds::AddLed(int var,
                                int byteIndex,
                                const KxSNMPLedColorMapList *map,
                                LedShape *shape)
{
    Led led{var, byteIndex, map, shape, false, map->offColor()};
    paint(led, led.color);
    shape->show();
    m_leds.push_back(led);
}

void KxSNMPRequest2Leds::AddLedRow(int var,
                                   const QString &byteIndexes,
                                   const KxSNMPLedColorMapList *map,
                                   QWidget *panel,
                                   int left,
                                   int gap,
                                   LedShape::Kind kind,
                                   int width,
                                   int height)
{
    KxNumList<int> indexes;
    indexes.separator = u',';
    indexes.Parse(byteIndexes);
    for (int i = 0; i < indexes.Count(); ++i) {
        auto *shape = new LedShape(kind, panel);
        shape->setGeometry(left + i * (gap + width), 1, width, height);
        AddLed(var, indexes[i], map, shape);
    }
    if (auto *frame = qobject_cast<QFrame *>(panel))
        frame->setFrameStyle(QFrame::NoFrame);
}

void KxSNMPRequest2Leds::StartPolling(int interval)
{
    m_pollTimer.start(interval * 10);
    try {
        Refresh();
    } catch (const KxException &) {
        ResetLeds();
        throw;
    }
}

void KxSNMPRequest2Leds::StopPolling()
{
    m_pollTimer.stop();
    m_flashTimer.stop();
    ResetLeds();
}

void KxSNMPRequest2Leds::ResetLeds()
{
    for (Led &led : m_leds) {
        led.flashing = false;
        led.color = led.map->offColor();
        paint(led, led.color);
    }
}

void KxSNMPRequest2Leds::PollTick()
{
    if (busy())
        return;
    try {
        Refresh();
    } catch (const KxException &error) {
        ResetLeds();
        LogMessage(error.message());
    }
}

void KxSNMPRequest2Leds::RowReceived()
{
    m_flashCounter = 0;
    try {
        for (Led &led : m_leds)
            UpdateLed(led);
    } catch (const KxException &error) {
        ResetLeds();
        // A synchronous Refresh passes the exception to its caller; an
        // asynchronous one ends here, as a polling tick would.
        if (!asynchronous)
            throw;
        qCInfo(lcLeds) << error.message();
        LogMessage(error.message());
        return;
    }
    m_flashTimer.start();
    FlashStep();
}

void KxSNMPRequest2Leds::UpdateLed(Led &led)
{
    const KxSNMPVar &var = varList().Item(led.var);
    const QString text = var.options ? var.options->TextToValue(var.value) : var.value;
    const QByteArray bytes = PartTextToBytes(text, var.syntax);
    if (led.byteIndex >= 0 && led.byteIndex < bytes.size()) {
        const auto status = static_cast<quint8>(bytes.at(led.byteIndex));
        led.color = led.map->colorOfStatus(status);
        led.flashing = led.map->blinks(status);
        return;
    }
    const std::optional<QRgb> outOfRange = led.map->outOfRangeColor();
    if (!outOfRange)
        KxException::raise(PartOutOfRange);
    led.color = *outOfRange;
    led.flashing = false;
}

void KxSNMPRequest2Leds::FlashStep()
{
    bool anyFlashing = false;
    for (Led &led : m_leds) {
        QRgb shown = led.color;
        if (led.flashing) {
            anyFlashing = true;
            const bool showsOff = led.shape && led.shape->color() == led.map->offColor();
            if (!showsOff && m_flashCounter <= FlashLimit)
                shown = led.map->offColor();
        }
        paint(led, shown);
    }
    if (anyFlashing)
        ++m_flashCounter;
    // Once every flashing LED has been painted lit past the limit, nothing
    // changes until the next poll: an idle panel does not wake up.
    if (!anyFlashing || m_flashCounter > FlashLimit + 1)
        m_flashTimer.stop();
}

void KxSNMPRequest2Leds::ReportError(const QString &text)
{
    ResetLeds();
    LogMessage(text);
}

void KxSNMPRequest2Leds::paint(Led &led, QRgb color)
{
    if (!led.shape)
        return;
    led.shape->setColor(color);
    led.shape->show();
}
