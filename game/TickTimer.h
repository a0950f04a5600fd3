#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>

// The game's timer: delivers ticks while enabled, at the interval the player chose but never
// faster than 64 a second, the rate the game was tuned at. Each tick is scheduled against a
// monotonic clock (the next deadline is the last one plus the period), so ticks don't drift.
// A tick that ran long, as one with a message box does, restarts the schedule instead of
// letting ticks burst to catch up. No tick is delivered while another one runs.
class TickTimer : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::nanoseconds ShortestPeriod{15'625'000}; // 64 ticks a second

    explicit TickTimer(std::function<void()> tick, QObject* parent = nullptr);

    void SetEnabled(bool enabled);
    bool Enabled() const { return m_enabled; }
    // The interval in milliseconds, as the player set it.
    void SetInterval(int milliseconds);
    int Interval() const { return m_intervalMs; }
    std::chrono::nanoseconds Period() const;

signals:
    // After each tick, for whoever measures the ticks' timing.
    void Ticked();

private:
    void Fire();
    void Restart();
    void ScheduleNext();

    std::function<void()> m_tick;
    QTimer m_timer;
    QElapsedTimer m_clock;
    std::chrono::nanoseconds m_deadline{0};
    bool m_enabled = false;
    int m_intervalMs = 1;
};
