#include "platform/build_info.h"

#include <cstdio>
#include <cstring>

namespace vorlin {

const char* ProgramVersion() {
    return VORLIN_VERSION;
}

std::string BuildDate() {
    // The compiler's __DATE__ reads "Mmm dd yyyy" (day padded with a blank).
    static const char kMonths[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
    const char* date = __DATE__;
    const char* found = std::strstr(kMonths, std::string(date, 3).c_str());
    const int month = found ? static_cast<int>(found - kMonths) / 3 + 1 : 0;
    int day = 0, year = 0;
    std::sscanf(date + 4, "%d %d", &day, &year);
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return text;
}

}  // namespace vorlin
