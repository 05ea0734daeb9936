// The format handlers: one class per file format, each reading a file into a
// PackedDib or writing one out. A handler owns the image it read or is asked to
// write and reports the outcome of its last operation as a fixed text.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/packed_dib.h"

namespace vorlin {

class ByteSource;
class ByteSink;

class FileFormat {
  public:
    FileFormat() = default;
    FileFormat(const FileFormat& other);
    FileFormat& operator=(const FileFormat& other);
    virtual ~FileFormat() = default;

    // Frees the image, forgets the path, depth back to 8.
    virtual void Clear();
    // A fresh default handler of the same class.
    virtual std::unique_ptr<FileFormat> Clone() const = 0;
    virtual int TypeId() const { return -1; }
    // Comma-separated, lower case.
    virtual std::string_view Extensions() const { return ""; }
    virtual std::string_view Description() const { return ""; }
    virtual std::string_view ShortName() const { return ""; }
    // Copies the write settings (depth and the format's own options) of a handler
    // of the same class.
    virtual void TakeOptions(const FileFormat& other) { depth = other.depth; }

    // 1 on success, 0 on failure with `message` set.
    int Read(const std::string& path);
    int Write(const std::string& path);
    // The same on memory, for tests, fuzzing and the clipboard.
    int ReadFrom(ByteSource& source, const std::string& path);
    int WriteTo(ByteSink& sink);

    // Stores a message text, returns the previous one.
    std::string SetMessage(std::string text);
    // `message` with the `reason` behind it in brackets, for one-line reports.
    std::string MessageWithReason() const;
    // Stores `dib` (may be null) and hands the previous image back to the caller.
    DibPtr AttachImage(DibPtr dib);
    DibPtr DetachImage();
    void SetPath(std::string newPath) { path = std::move(newPath); }

    int hasImage = 0;
    std::string message;
    // The system's reason behind a failed read or write ("Permission denied"),
    // shown below `message`; empty when the failure has no such cause.
    std::string reason;
    // What the last successful read filled in itself (missing rows, colours cut
    // from the table, indices past it); empty when the file held everything.
    std::string warning;
    DibPtr image;
    int depth = 8;
    std::string path;

  protected:
    // Adds to `warning`.
    void Warn(const std::string& text);
    // Decodes a whole file; throws FormatError. The handler fields are set by Read.
    virtual DibPtr Decode(ByteSource& source) = 0;
    // Checks what can be known before any byte is written; throws FormatError.
    virtual void CheckWritable(PackedDib /*dib*/) const {}
    // Encodes the attached image; throws FormatError.
    virtual void Encode(PackedDib dib, ByteSink& sink) = 0;
};

// Fails with the bit-depth message for a depth no picture can have.
void CheckLegalDepth(int bitsPerPixel);
// Fails with the allocation message when DibCreate refuses (illegal depth, memory).
DibPtr CreateImageOrFail(int width, int height, int bitsPerPixel);

// What a read filled in, naming the file ("FILE: what"); empty when the read
// filled in nothing. Both programs show it as a warning.
std::string ReadWarningLine(const FileFormat& reader);

}  // namespace vorlin
