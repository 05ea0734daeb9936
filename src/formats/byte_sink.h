// Output for the writers: a growing memory buffer or a file that replaces its
// target only once everything was written. Sinks never throw; they remember
// the first failure so a writer can check once at the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/replacement_file.h"

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

// Writes to a new file beside the target; Commit puts it in place of the
// target once it is complete and on disk. Destroying an uncommitted writer
// forgets what was written, so a failed save leaves the old file as it was.
class AtomicFileWriter : public ByteSink {
  public:
    // False when the target cannot be replaced; Error() says why.
    bool Open(const std::string& target);
    bool Write(const void* data, std::size_t count) override;
    // Writes what is buffered and replaces the target; false if anything failed.
    bool Commit();
    // The system's error number of the first failure, 0 while none.
    int Error() const { return file_.Error(); }

  private:
    bool Flush();

    ReplacementFile file_;
    std::vector<std::uint8_t> buffer_;
    bool failed_ = false;
};

}  // namespace vorlin
