#include "app/dialog_text.h"

#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>

namespace vorlin {
namespace {

std::string_view SkipBlanks(std::string_view t) {
    while (!t.empty() && std::isspace(static_cast<unsigned char>(t.front()))) t.remove_prefix(1);
    return t;
}

// Splits an optional sign off the front; returns true for a minus.
bool TakeSign(std::string_view& t) {
    if (t.empty() || (t.front() != '-' && t.front() != '+')) return false;
    const bool negative = t.front() == '-';
    t.remove_prefix(1);
    return negative;
}

}  // namespace

int ParseDialogInt(std::string_view text) {
    std::string_view t = SkipBlanks(text);
    const bool negative = TakeSign(t);
    long long value = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range) return negative ? INT_MIN : INT_MAX;
    if (ec != std::errc()) return 0;
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

bool IsDialogInt(std::string_view text) {
    std::string_view t = SkipBlanks(text);
    TakeSign(t);
    long long value = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (ec == std::errc::invalid_argument) return false;
    const auto rest = static_cast<std::size_t>(t.data() + t.size() - end);
    return SkipBlanks(std::string_view(end, rest)).empty();
}

double ParseDialogDouble(std::string_view text) {
    std::string_view t = SkipBlanks(text);
    const bool negative = TakeSign(t);
    double value = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // A negative exponent underflowed (reads as 0); anything else overflowed.
        const std::string_view number(t.data(), static_cast<std::size_t>(end - t.data()));
        const auto e = number.find_first_of("eE");
        const bool tiny =
            e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-';
        value = tiny ? 0.0 : HUGE_VAL;
    } else if (ec != std::errc()) {
        return 0;
    }
    if (std::isnan(value)) return 0;
    return negative ? -value : value;
}

std::string FormatDialogInt(int value) {
    return std::to_string(value);
}

std::string FormatDialogFixed2(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f", value);
    // The C library may use the user's decimal comma; the dialogs always show a point.
    for (char* p = buf; *p; ++p)
        if (*p == ',') *p = '.';
    return buf;
}

std::string RangeValidationMessage(int lo, int hi) {
    return "Please enter an integer between " + std::to_string(lo) + " and " + std::to_string(hi) +
           ".";
}

std::string DialogIntField::Validate() const {
    if (!IsDialogInt(text)) return kNotAnIntegerMessage;
    const int v = Value();
    return v < lo || v > hi ? RangeValidationMessage(lo, hi) : std::string();
}

}  // namespace vorlin
