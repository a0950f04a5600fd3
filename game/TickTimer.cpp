#include "TickTimer.h"

#include <algorithm>

using namespace std::chrono;

TickTimer::TickTimer(std::function<void()> tick, QObject* parent)
    : QObject(parent), Tick(std::move(tick))
{
    Timer.setSingleShot(true);
    Timer.setTimerType(Qt::PreciseTimer);
    connect(&Timer, &QTimer::timeout, this, &TickTimer::Fire);
    Clock.start();
}

nanoseconds TickTimer::Period() const
{
    return std::max<nanoseconds>(milliseconds(IntervalMs), ShortestPeriod);
}

void TickTimer::SetEnabled(bool enabled)
{
    if (enabled == IsEnabled)
        return;
    IsEnabled = enabled;
    if (enabled)
        Restart();
    else
        Timer.stop();
}

// A new interval counts from now, as it did when the game set the timer's interval.
void TickTimer::SetInterval(int milliseconds)
{
    IntervalMs = milliseconds;
    if (IsEnabled)
        Restart();
}

void TickTimer::Restart()
{
    Deadline = nanoseconds(Clock.nsecsElapsed()) + Period();
    ScheduleNext();
}

void TickTimer::Fire()
{
    if (!IsEnabled)
        return;
    // The timer is single-shot and not restarted until the tick returns, so the event loops
    // of the tick's message boxes deliver no tick.
    Tick();
    emit Ticked();
    if (!IsEnabled)
        return;
    Deadline += Period();
    if (nanoseconds(Clock.nsecsElapsed()) - Deadline > Period())
        Deadline = nanoseconds(Clock.nsecsElapsed()) + Period();
    ScheduleNext();
}

void TickTimer::ScheduleNext()
{
    const nanoseconds left = Deadline - nanoseconds(Clock.nsecsElapsed());
    // The timer counts whole milliseconds: to the nearest one, each tick lies within half a
    // millisecond of its deadline, and the deadlines themselves never drift.
    Timer.start(std::max<milliseconds>(round<milliseconds>(left), milliseconds(0)));
}
