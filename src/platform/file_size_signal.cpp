#include "platform/file_size_signal.h"

#include <csignal>

namespace vorlin {

void IgnoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace vorlin
