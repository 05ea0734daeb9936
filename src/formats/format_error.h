// How codecs report failure inside a handler: they throw one of these and the
// handler's Read or Write turns it into a 0 result with `message` set.
#pragma once

#include <string>

namespace vorlin {

struct FormatError {
    std::string text;
    std::string reason;  // the system's explanation, when there is one
};

[[noreturn]] inline void FailWith(const char* text) {
    throw FormatError{text, {}};
}

}  // namespace vorlin
