// Faults in reading any answer to the speed box: an interval outside 1..200, a number the C library reads otherwise.
#include "Controls.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view answer(reinterpret_cast<const char*>(data), size);
    const int interval = IntervalFromAnswer(answer);
    if (interval < 1 || interval > 200)
        std::abort();
    // strtod reads the same characters with the blanks, tabs and line feeds dropped, a D exponent written as
    // E, and every other character that cannot belong to a decimal number made one that stops it, so that
    // its hexadecimal, infinity and NaN forms cannot start. &H and &O are Val's own.
    std::string number;
    for (char c : answer) {
        if (c == '&' && number.empty())
            return 0;
        c = c == 'd' || c == 'D' ? 'e' : c;
        if (c != ' ' && c != '\t' && c != '\n')
            number.push_back(std::string_view("0123456789+-.eE").find(c) == std::string_view::npos ? '!' : c);
    }
    const double reference = std::strtod(number.c_str(), nullptr);
    const double value = Val(answer);
    // Below the smallest normal double the two may round differently; both are then as good as 0.
    if (std::fabs(reference) < DBL_MIN ? !(std::fabs(value) < DBL_MIN) : value != reference)
        std::abort();
    return 0;
}
