#include "Controls.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

namespace {

// The pointer is kept where the paddle's top is 0..525.
constexpr double HighestPointer = 38;
constexpr double LowestPointer = 563;
constexpr double PointerToTop = 38;

constexpr int SlowestInterval = 200;
constexpr int FastestInterval = 1;

bool Skipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// The text without the characters Val passes over.
std::string Squeezed(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (!Skipped(c))
            out.push_back(c);
    return out;
}

double Radix(std::string_view digits, int radix)
{
    double value = 0;
    for (char c : digits) {
        const int d = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
            : (radix == 16 && std::isxdigit(static_cast<unsigned char>(c)))
            ? std::toupper(static_cast<unsigned char>(c)) - 'A' + 10
            : radix;
        if (d >= radix)
            break;
        value = value * radix + d;
    }
    return value;
}

bool IsDigit(const std::string& s, std::size_t i)
{
    return i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]));
}

// The longest decimal number at the start of s, its exponent marked with a lower-case e.
std::string LeadingDecimal(const std::string& s)
{
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    const std::size_t intStart = i;
    while (IsDigit(s, i))
        ++i;
    bool digits = i > intStart;
    std::size_t end = i;
    if (i < s.size() && s[i] == '.') {
        ++i;
        const std::size_t fracStart = i;
        while (IsDigit(s, i))
            ++i;
        digits = digits || i > fracStart;
        end = i;
    }
    if (!digits)
        return "0";
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        if (IsDigit(s, j)) {
            while (IsDigit(s, j))
                ++j;
            end = j;
        }
    }
    std::string number = s.substr(0, end);
    for (char& c : number)
        if (c == 'd' || c == 'D' || c == 'E')
            c = 'e';
    return number;
}

// Whether a number too far from 1 for a double lies below 1 rather than above it: the place of
// its first significant digit plus its exponent decides, whatever the digits after it. Reading
// of the exponent stops beyond this, far past any place that a text's length allows. A number
// out of range always has a significant digit: zero with any exponent is still zero.
constexpr long long LargestExponentKept = 1'000'000'000'000'000;

bool BelowOne(std::string_view number)
{
    const std::size_t e = number.find('e');
    const std::string_view mantissa = number.substr(0, e);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    const long long place =
        first < point ? static_cast<long long>(point - first) - 1 : -static_cast<long long>(first - point);
    long long exponent = 0;
    if (e != std::string_view::npos) {
        std::size_t i = e + 1;
        const bool negative = i < number.size() && number[i] == '-';
        if (i < number.size() && (number[i] == '-' || number[i] == '+'))
            ++i;
        for (; i < number.size() && exponent < LargestExponentKept; ++i)
            exponent = exponent * 10 + (number[i] - '0');
        if (negative)
            exponent = -exponent;
    }
    return place + exponent < 0;
}

} // namespace

Int16 PlayerYForPointer(double y)
{
    if (y > LowestPointer)
        y = LowestPointer;
    else if (y < HighestPointer)
        y = HighestPointer;
    // nearbyint rounds a half to the even neighbour, as the conversion to an integer did.
    return Wrap16(static_cast<int>(std::nearbyint(y - PointerToTop)));
}

double Val(std::string_view text)
{
    const std::string s = Squeezed(text);
    if (s.size() >= 2 && s[0] == '&') {
        const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(s[1])));
        if (kind == 'H')
            return Radix(std::string_view(s).substr(2), 16);
        if (kind == 'O')
            return Radix(std::string_view(s).substr(2), 8);
        return 0;
    }
    // from_chars, unlike strtod, ignores the locale: the decimal point is always a full stop.
    const std::string number = LeadingDecimal(s);
    const char* first = number.data();
    if (*first == '+')
        ++first; // from_chars takes a minus sign only
    double value = 0;
    const auto result = std::from_chars(first, number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        return BelowOne(number) ? 0.0 : (*first == '-' ? -HUGE_VAL : HUGE_VAL);
    }
    return value;
}

int IntervalFromAnswer(std::string_view answer)
{
    const double n = std::floor(Val(answer));
    if (!(n >= FastestInterval)) // also catches a NaN, which no answer should give
        return FastestInterval;
    if (n > SlowestInterval)
        return SlowestInterval;
    return static_cast<int>(n);
}
