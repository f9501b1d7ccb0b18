#pragma once

#include "binding/ledcolormap.h"

#include <QWidget>

#include <functional>
#include <memory>

class KxSNMPRequest2Leds;
class QFrame;

// The switch's front panel: its picture with the live LEDs of power, console,
// redundant power, every port and the four combo fibre slots, polled from the
// switch's LED status every 3 s. Polls run asynchronously, so an unreachable
// switch never freezes the window.
class TPanelForm final : public QWidget
{
public:
    // Receives the time of each poll and the short text of its outcome.
    using StatusReporter = std::function<void(const QString &time, const QString &result)>;

    static constexpr int PollInterval = 300;   // hundredths of a second
    static constexpr int RequestTimeout = 500; // hundredths of a second

    explicit TPanelForm(QWidget *parent = nullptr);
    ~TPanelForm() override;

    // Adds the LEDs and starts polling; a failure leaves the picture with the
    // LEDs added so far.
    void StartPolling(StatusReporter reporter);

    KxSNMPRequest2Leds *leds() const { return m_leds.get(); }
    // The colour maps of the system LEDs and port rows (A) and of the combo slots (B).
    const KxSNMPLedColorMapList &mapA() const { return m_mapA; }
    const KxSNMPLedColorMapList &mapB() const { return m_mapB; }

private:
    void addPanels();
    void addLeds();
    void report(int code);

    KxSNMPLedColorMapList m_mapA;
    KxSNMPLedColorMapList m_mapB;
    std::unique_ptr<KxSNMPRequest2Leds> m_leds;
    StatusReporter m_reporter;
};
