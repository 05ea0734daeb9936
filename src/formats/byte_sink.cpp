#include "formats/byte_sink.h"

#include <string_view>

namespace vorlin {

namespace {

// Large enough that a big picture goes out in few system calls.
constexpr std::size_t kWriteBufferSize = 1 << 20;

}  // namespace

bool MemorySink::Write(const void* data, std::size_t count) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + count);
    return true;
}

bool AtomicFileWriter::Open(const std::string& target) {
    buffer_.clear();
    buffer_.reserve(kWriteBufferSize);
    failed_ = !file_.Open(target);
    return !failed_;
}

bool AtomicFileWriter::Flush() {
    const auto* bytes = reinterpret_cast<const char*>(buffer_.data());
    if (!failed_ && !file_.Write(std::string_view(bytes, buffer_.size()))) failed_ = true;
    buffer_.clear();
    return !failed_;
}

bool AtomicFileWriter::Write(const void* data, std::size_t count) {
    if (failed_) return false;
    const auto* p = static_cast<const std::uint8_t*>(data);
    if (buffer_.size() + count > kWriteBufferSize && !Flush()) return false;
    if (count >= kWriteBufferSize) {
        failed_ = !file_.Write(std::string_view(static_cast<const char*>(data), count));
        return !failed_;
    }
    buffer_.insert(buffer_.end(), p, p + count);
    return true;
}

bool AtomicFileWriter::Commit() {
    if (failed_ || !Flush()) return false;
    failed_ = !file_.Commit();
    return !failed_;
}

}  // namespace vorlin
