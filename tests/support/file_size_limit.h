// Caps the size of the files this process may write, the way a full disk
// would: even the superuser is held to it, unlike folder permissions.
#pragma once

#include <sys/resource.h>

#include <algorithm>
#include <csignal>

namespace vorlin {

class ScopedFileSizeLimit {
  public:
    explicit ScopedFileSizeLimit(rlim_t bytes) {
        // Writing past the cap then fails with EFBIG instead of ending the process.
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        if (::getrlimit(RLIMIT_FSIZE, &previous_) != 0) return;
        rlimit capped = previous_;
        capped.rlim_cur = std::min(bytes, previous_.rlim_max);
        active_ = ::setrlimit(RLIMIT_FSIZE, &capped) == 0;
    }
    ~ScopedFileSizeLimit() {
        if (active_) ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
    ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

    bool Active() const { return active_; }

  private:
    rlimit previous_{};
    void (*previousHandler_)(int) = SIG_DFL;
    bool active_ = false;
};

}  // namespace vorlin
