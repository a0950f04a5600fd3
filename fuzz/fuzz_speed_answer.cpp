// Any answer to the speed box: the interval stays within 1..200, and the number read agrees
// with the C library's own decimal reader on the same characters.
#include "Controls.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr int FastestInterval = 1;
constexpr int SlowestInterval = 200;

[[noreturn]] void Fail(const char* what, std::string_view answer)
{
    std::fprintf(stderr, "%s for an answer of %zu bytes\n", what, answer.size());
    std::abort();
}

// What the answer reads as by strtod: the blanks, tabs and line feeds dropped, a D exponent
// written as E, and every character that cannot belong to a decimal number made one that
// stops it, so that strtod's hexadecimal, infinity and NaN forms cannot start. This process
// never leaves the "C" locale, so the decimal point is a full stop.
double ReferenceReading(std::string_view answer)
{
    std::string number;
    for (char c : answer) {
        if (c == ' ' || c == '\t' || c == '\n')
            continue;
        if (c == 'd' || c == 'D')
            c = 'e';
        const bool decimal =
            (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E';
        number.push_back(decimal ? c : '!');
    }
    return std::strtod(number.c_str(), nullptr);
}

int IntervalFor(double number)
{
    const double n = std::floor(number);
    return n < FastestInterval ? FastestInterval
        : n > SlowestInterval  ? SlowestInterval
                               : static_cast<int>(n);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view answer(reinterpret_cast<const char*>(data), size);

    const int interval = IntervalFromAnswer(answer);
    if (interval < FastestInterval || interval > SlowestInterval)
        Fail("interval outside 1..200", answer);

    const double number = Val(answer);
    if (std::isnan(number))
        Fail("Val read NaN", answer);

    // The &H and &O forms are Val's own; strtod knows nothing like them.
    std::size_t first = 0;
    while (first < answer.size() && (answer[first] == ' ' || answer[first] == '\t' || answer[first] == '\n'))
        ++first;
    if (first < answer.size() && answer[first] == '&')
        return 0;

    const double reference = ReferenceReading(answer);
    // Below the smallest normal double the two readers may round differently; both are ~0.
    const bool tiny = std::fabs(reference) < DBL_MIN;
    if (tiny ? std::fabs(number) >= DBL_MIN : number != reference)
        Fail("Val disagrees with strtod", answer);
    if (interval != IntervalFor(reference))
        Fail("interval disagrees with strtod's reading", answer);
    return 0;
}
