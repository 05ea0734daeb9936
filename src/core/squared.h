// The square of a channel difference: colour distances are sums of these.
#pragma once

namespace vorlin {

constexpr int Squared(int v) {
    return v * v;
}

}  // namespace vorlin
