#include "formats/byte_source.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "formats/format_error.h"

namespace vorlin {

namespace {
constexpr std::size_t kReadBufferSize = 1 << 20;
}  // namespace

std::size_t MemorySource::ReadAt(std::uint64_t offset, void* dest, std::size_t count) {
    if (offset >= size_) return 0;
    const std::size_t n = std::min<std::uint64_t>(count, size_ - offset);
    if (n) std::memcpy(dest, data_ + offset, n);
    return n;
}

FileSource::~FileSource() {
    if (file_) std::fclose(file_);
}

bool FileSource::Open(const std::string& path) {
    file_ = std::fopen(path.c_str(), "rb");
    if (!file_) return false;
    // A folder opens for reading on this system but holds no bytes to read.
    struct stat st {};
    if (::fstat(::fileno(file_), &st) == 0 && S_ISDIR(st.st_mode)) {
        errno = EISDIR;
        return false;
    }
    // Readers fetch a row at a time; a large buffer keeps that to few system calls.
    std::setvbuf(file_, nullptr, _IOFBF, kReadBufferSize);
    if (std::fseek(file_, 0, SEEK_END) != 0) return false;
    const long end = std::ftell(file_);
    if (end < 0 || std::fseek(file_, 0, SEEK_SET) != 0) return false;
    size_ = static_cast<std::uint64_t>(end);
    position_ = 0;
    return true;
}

std::size_t FileSource::ReadAt(std::uint64_t offset, void* dest, std::size_t count) {
    if (!file_ || offset >= size_) return 0;
    if (offset != position_) {
        if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) return 0;
        position_ = offset;
    }
    const std::size_t n = std::fread(dest, 1, count, file_);
    position_ += n;
    return n;
}

std::size_t ByteReader::Read(void* dest, std::size_t count) {
    const std::size_t n = source_.ReadAt(position_, dest, count);
    position_ += count;  // a short read leaves the cursor past the end, like a stream at EOF
    return n;
}

void ByteReader::ReadExact(void* dest, std::size_t count, const char* failText) {
    if (Read(dest, count) != count) FailWith(failText);
}

void ByteReader::ReadOrZero(void* dest, std::size_t count) {
    const std::size_t n = Read(dest, count);
    if (n < count) std::memset(static_cast<std::uint8_t*>(dest) + n, 0, count - n);
}

std::vector<std::uint8_t> ByteReader::ReadRest(std::size_t limit) {
    std::vector<std::uint8_t> data(std::min<std::uint64_t>(Remaining(), limit));
    data.resize(Read(data.data(), data.size()));
    return data;
}

}  // namespace vorlin
