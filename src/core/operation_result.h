// What an operation below the application layer reports instead of showing a
// message itself: success, or the fixed text the application shows.
#pragma once

#include <string>
#include <string_view>

namespace vorlin {

struct OperationResult {
    bool ok = true;
    std::string message;  // the text to show; empty on success

    static OperationResult Success() { return {}; }
    static OperationResult Failure(std::string_view text) { return {false, std::string(text)}; }
    explicit operator bool() const { return ok; }
};

}  // namespace vorlin
