#include "TickTimer.h"

#include <algorithm>

using namespace std::chrono;

TickTimer::TickTimer(std::function<void()> tick, QObject* parent) : QObject(parent), m_tick(std::move(tick))
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TickTimer::Fire);
    m_clock.start();
}

nanoseconds TickTimer::Period() const
{
    return std::max<nanoseconds>(milliseconds(m_intervalMs), ShortestPeriod);
}

void TickTimer::SetEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (enabled)
        Restart();
    else
        m_timer.stop();
}

// A new interval counts from now, as it did when the game set the timer's interval.
void TickTimer::SetInterval(int milliseconds)
{
    m_intervalMs = milliseconds;
    if (m_enabled)
        Restart();
}

void TickTimer::Restart()
{
    m_deadline = nanoseconds(m_clock.nsecsElapsed()) + Period();
    ScheduleNext();
}

void TickTimer::Fire()
{
    if (!m_enabled)
        return;
    // The timer is single-shot and not restarted until the tick returns, so the event loops
    // of the tick's message boxes deliver no tick.
    m_tick();
    emit Ticked();
    if (!m_enabled)
        return;
    m_deadline += Period();
    if (nanoseconds(m_clock.nsecsElapsed()) - m_deadline > Period())
        m_deadline = nanoseconds(m_clock.nsecsElapsed()) + Period();
    ScheduleNext();
}

void TickTimer::ScheduleNext()
{
    const nanoseconds left = m_deadline - nanoseconds(m_clock.nsecsElapsed());
    // The timer counts whole milliseconds: to the nearest one, each tick lies within half a
    // millisecond of its deadline, and the deadlines themselves never drift.
    m_timer.start(std::max<milliseconds>(round<milliseconds>(left), milliseconds(0)));
}
