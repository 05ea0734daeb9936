#include "formats/byte_sink.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "platform/atomic_write.h"

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

AtomicFileWriter::~AtomicFileWriter() {
    Discard();
}

bool AtomicFileWriter::Open(const std::string& target) {
    Discard();
    target_ = target;
    const int fd = OpenReplacementFile(target, temp_);
    if (fd < 0) return false;
    file_ = ::fdopen(fd, "wb");
    if (!file_) {
        ::close(fd);
        Discard();
        return false;
    }
    std::setvbuf(file_, nullptr, _IOFBF, kWriteBufferSize);
    failed_ = false;
    return true;
}

bool AtomicFileWriter::Write(const void* data, std::size_t count) {
    if (!file_ || failed_) return false;
    if (count && std::fwrite(data, 1, count, file_) != count) failed_ = true;
    return !failed_;
}

bool AtomicFileWriter::Commit() {
    if (!file_) return false;
    bool ok = !failed_ && std::fflush(file_) == 0;
    ok = (std::fclose(file_) == 0) && ok;
    file_ = nullptr;
    if (ok && std::rename(temp_.c_str(), target_.c_str()) == 0) {
        temp_.clear();
        return true;
    }
    Discard();
    return false;
}

void AtomicFileWriter::Discard() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temp_.empty()) {
        std::remove(temp_.c_str());
        temp_.clear();
    }
}

}  // namespace vorlin
