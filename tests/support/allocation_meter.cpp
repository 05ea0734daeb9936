#include "support/allocation_meter.h"

#include <atomic>
#include <thread>

extern "C" {
// The sanitizer runtime's hook interface; weak, so a build without it still links.
int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*,
                                                                  std::size_t),
                                              void (*free_hook)(const volatile void*))
    __attribute__((weak));
}

namespace vorlin::testing {

namespace {

std::atomic<bool> armed{false};
std::atomic<std::size_t> counted{0};
std::thread::id meteredThread;

void OnMalloc(const volatile void*, std::size_t size) {
    if (armed.load(std::memory_order_acquire) && std::this_thread::get_id() == meteredThread)
        counted.fetch_add(size, std::memory_order_relaxed);
}

void OnFree(const volatile void*) {}

bool Install() {
    // The runtime keeps hooks for the life of the process: install once, arm per use.
    static const bool installed = __sanitizer_install_malloc_and_free_hooks != nullptr &&
                                  __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree) != 0;
    return installed;
}

}  // namespace

bool AllocationMeterAvailable() {
    return Install();
}

std::size_t BytesAllocatedBy(const std::function<void()>& body) {
    const bool available = Install();
    meteredThread = std::this_thread::get_id();
    counted = 0;
    armed = available;
    body();
    armed = false;
    return counted;
}

}  // namespace vorlin::testing
