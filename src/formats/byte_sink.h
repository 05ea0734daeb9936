// Output for the writers: a growing memory buffer or a file that replaces its
// target only once everything was written. Sinks never throw; they remember
// the first failure so a writer can check once at the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace vorlin {

class ByteSink {
  public:
    virtual ~ByteSink() = default;
    // Appends `count` bytes; false once any write has failed.
    virtual bool Write(const void* data, std::size_t count) = 0;
    bool WriteByte(std::uint8_t value) { return Write(&value, 1); }
};

class MemorySink : public ByteSink {
  public:
    bool Write(const void* data, std::size_t count) override;
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

  private:
    std::vector<std::uint8_t> bytes_;
};

// Writes to a temporary file in the target's folder; Commit renames it over the
// target. Destroying an uncommitted writer removes the temporary file, so a
// failed save leaves the old file exactly as it was.
class AtomicFileWriter : public ByteSink {
  public:
    AtomicFileWriter() = default;
    ~AtomicFileWriter() override;
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Creates the temporary file; false when the folder cannot be written.
    bool Open(const std::string& target);
    bool Write(const void* data, std::size_t count) override;
    // Flushes, closes and renames over the target; false if anything failed.
    bool Commit();

  private:
    void Discard();

    std::FILE* file_ = nullptr;
    std::string target_;
    std::string temp_;
    bool failed_ = false;
};

}  // namespace vorlin
