#pragma once

#include "binding/controls.h"
#include "binding/ledcolormap.h"
#include "binding/ledshape.h"

#include <QPointer>
#include <QTimer>

#include <vector>

// Drives LEDs from one octet-string variable that holds one status byte per
// LED: polls it on a timer, colours each LED through its colour map and lets
// the LEDs whose byte says so flash for a moment after every poll. The flash
// timer runs only from a poll until its flashing is over.
class KxSNMPRequest2Leds : public KxSNMPRequest2Controls
{
public:
    struct Led
    {
        int var;
        int byteIndex;
        const KxSNMPLedColorMapList *map;
        QPointer<LedShape> shape;
        bool flashing = false;
        QRgb color;
    };

    static constexpr int FlashIntervalMs = 60;
    // Flash steps after a poll before a flashing LED stays lit.
    static constexpr int FlashLimit = 6;

    explicit KxSNMPRequest2Leds(QWidget *form);
    ~KxSNMPRequest2Leds() override;

    // Appends an LED and paints it in the map's off colour.
    void AddLed(int var, int byteIndex, const KxSNMPLedColorMapList *map, LedShape *shape);
    // One LED per byte index of the list ("3,7,11"), created on the panel at
    // top 1 from the left edge, each next one gap + width further right; the
    // panel loses its frame.
    void AddLedRow(int var,
                   const QString &byteIndexes,
                   const KxSNMPLedColorMapList *map,
                   QWidget *panel,
                   int left,
                   int gap,
                   LedShape::Kind kind,
                   int width,
                   int height);

    // Polls every interval × 10 ms and once at once. An exception of that
    // first Refresh resets the LEDs and passes on.
    void StartPolling(int interval);
    void StopPolling();
    // Every LED stops flashing and shows its map's off colour.
    void ResetLeds();

    void ReportError(const QString &text) override;

    // The poll timer's tick: a Refresh, unless the last one is still under way.
    void PollTick();
    // The flash timer's tick: a flashing LED alternates between its colour
    // and off, and stays lit once the flash counter has passed FlashLimit.
    void FlashStep();

    const std::vector<Led> &leds() const { return m_leds; }
    bool isPolling() const { return m_pollTimer.isActive(); }
    int pollIntervalMs() const { return m_pollTimer.interval(); }
    bool isFlashTimerRunning() const { return m_flashTimer.isActive(); }

protected:
    void RowReceived() override;
    virtual void UpdateLed(Led &led);

private:
    void paint(Led &led, QRgb color);

    std::vector<Led> m_leds;
    QTimer m_pollTimer;
    QTimer m_flashTimer;
    int m_flashCounter = 0;
};
