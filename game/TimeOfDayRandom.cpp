#include "TimeOfDayRandom.h"

#include <chrono>
#include <cmath>
#include <ctime>

void TimeOfDayRandom::Randomize()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    const long sinceMidnight = ((local.tm_hour * 60L + local.tm_min) * 60L + local.tm_sec) * 1000L + millis;
    Seed(static_cast<std::uint32_t>(sinceMidnight));
}

// 24 random bits scaled by 2^-24: exact in a double and strictly below 1, which
// uniform_real_distribution does not promise with every library.
double TimeOfDayRandom::Next() { return std::ldexp(static_cast<double>(m_engine() >> 8), -24); }
