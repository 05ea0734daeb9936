// Random-access input for the readers: a file or a block of memory. Reads past
// the end return fewer bytes, never garbage, so codecs can bound every loop by
// what actually arrived.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace vorlin {

class ByteSource {
  public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Copies up to `count` bytes from `offset`; returns how many were copied.
    virtual std::size_t ReadAt(std::uint64_t offset, void* dest, std::size_t count) = 0;
};

class MemorySource : public ByteSource {
  public:
    MemorySource(const void* data, std::size_t size)
        : data_(static_cast<const std::uint8_t*>(data)), size_(size) {}
    std::uint64_t Size() const override { return size_; }
    std::size_t ReadAt(std::uint64_t offset, void* dest, std::size_t count) override;

  private:
    const std::uint8_t* data_;
    std::size_t size_;
};

class FileSource : public ByteSource {
  public:
    FileSource() = default;
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    // False (errno set) when the file cannot be opened or is a folder.
    bool Open(const std::string& path);
    std::uint64_t Size() const override { return size_; }
    std::size_t ReadAt(std::uint64_t offset, void* dest, std::size_t count) override;

  private:
    std::FILE* file_ = nullptr;
    std::uint64_t size_ = 0;
    std::uint64_t position_ = 0;
};

// A sequential cursor over a source.
class ByteReader {
  public:
    explicit ByteReader(ByteSource& source, std::uint64_t position = 0)
        : source_(source), position_(position) {}

    std::uint64_t Position() const { return position_; }
    void Seek(std::uint64_t position) { position_ = position; }
    void Skip(std::uint64_t count) { position_ += count; }
    std::uint64_t Remaining() const {
        return position_ < source_.Size() ? source_.Size() - position_ : 0;
    }
    // Reads up to `count` bytes; returns how many arrived.
    std::size_t Read(void* dest, std::size_t count);
    // Reads exactly `count` bytes or fails with `failText`.
    void ReadExact(void* dest, std::size_t count, const char* failText);
    // Reads up to `count` bytes and zero-fills whatever the source could not supply.
    void ReadOrZero(void* dest, std::size_t count);
    // The rest of the source (at most `limit` bytes) as one buffer.
    std::vector<std::uint8_t> ReadRest(std::size_t limit);

  private:
    ByteSource& source_;
    std::uint64_t position_;
};

}  // namespace vorlin
