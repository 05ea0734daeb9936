#include "formats/file_format.h"

#include <cerrno>
#include <cstring>
#include <new>

#include "formats/byte_sink.h"
#include "formats/byte_source.h"
#include "formats/format_error.h"
#include "formats/format_messages.h"

namespace vorlin {

FileFormat::FileFormat(const FileFormat& other)
    : hasImage(other.hasImage),
      message(other.message),
      reason(other.reason),
      warning(other.warning),
      image(other.image ? DibDuplicate(other.image.get()) : nullptr),
      depth(other.depth),
      path(other.path) {
    if (other.image && !image) hasImage = 0;
}

FileFormat& FileFormat::operator=(const FileFormat& other) {
    if (this == &other) return *this;
    hasImage = other.hasImage;
    message = other.message;
    reason = other.reason;
    warning = other.warning;
    image.reset(other.image ? DibDuplicate(other.image.get()) : nullptr);
    if (other.image && !image) hasImage = 0;
    depth = other.depth;
    path = other.path;
    return *this;
}

void FileFormat::Clear() {
    image.reset();
    hasImage = 0;
    depth = 8;
    path.clear();
}

std::string FileFormat::SetMessage(std::string text) {
    std::swap(message, text);
    return text;
}

std::string FileFormat::MessageWithReason() const {
    return reason.empty() ? message : message + " (" + reason + ")";
}

DibPtr FileFormat::AttachImage(DibPtr dib) {
    hasImage = dib ? 1 : 0;
    std::swap(image, dib);
    return dib;
}

DibPtr FileFormat::DetachImage() {
    hasImage = 0;
    return std::move(image);
}

namespace {

// Runs a codec step; a thrown text becomes the handler's message (and reason)
// and a 0 result.
template <typename Body>
int Guarded(FileFormat& handler, Body&& body) {
    handler.reason.clear();
    try {
        body();
        return 1;
    } catch (const FormatError& error) {
        handler.message = error.text;
        handler.reason = error.reason;
    } catch (const std::bad_alloc&) {
        handler.message = kMsgMemoryAllocation;
    }
    return 0;
}

[[noreturn]] void FailOpening(int error) {
    throw FormatError{kMsgFileDoesntExist, std::strerror(error)};
}

// A write that failed after the file was made has no fixed text; the
// system's own ("No space left on device", "File too large") says it best.
[[noreturn]] void FailWriting(int error) {
    throw FormatError{std::strerror(error), {}};
}

}  // namespace

int FileFormat::Read(const std::string& filePath) {
    FileSource source;
    if (!source.Open(filePath)) {
        const int error = errno;
        return Guarded(*this, [&] { FailOpening(error); });
    }
    return ReadFrom(source, filePath);
}

int FileFormat::ReadFrom(ByteSource& source, const std::string& filePath) {
    warning.clear();
    return Guarded(*this, [&] {
        DibPtr dib = Decode(source);
        depth = DibBitCount(dib.get());
        AttachImage(std::move(dib));
        path = filePath;
        message = kMsgAllClear;
    });
}

int FileFormat::Write(const std::string& filePath) {
    return Guarded(*this, [&] {
        if (!image) FailWith(kMsgNonDescript);
        CheckWritable(image.get());
        AtomicFileWriter file;
        if (!file.Open(filePath)) FailOpening(file.Error());
        try {
            Encode(image.get(), file);
        } catch (const FormatError&) {
            // A codec that stopped because the file failed reports the file's reason.
            if (file.Error()) FailWriting(file.Error());
            throw;
        }
        if (!file.Commit()) FailWriting(file.Error());
    });
}

int FileFormat::WriteTo(ByteSink& sink) {
    return Guarded(*this, [&] {
        if (!image) FailWith(kMsgNonDescript);
        CheckWritable(image.get());
        Encode(image.get(), sink);
    });
}

void FileFormat::Warn(const std::string& text) {
    warning += (warning.empty() ? "" : "; ") + text;
}

void CheckLegalDepth(int bitsPerPixel) {
    // A depth no picture can have (2-bit BMP, 3-bit PCX, 15-bit TGA) is the file's
    // limitation, not a lack of memory.
    if (!DibIsLegalDepth(bitsPerPixel)) FailWith(kMsgUnsupportedBitdepth);
}

DibPtr CreateImageOrFail(int width, int height, int bitsPerPixel) {
    CheckLegalDepth(bitsPerPixel);
    DibPtr dib(DibCreate(width, height, bitsPerPixel, nullptr, 1));
    if (!dib) FailWith(kMsgMemoryAllocation);
    return dib;
}

std::string ReadWarningLine(const FileFormat& reader) {
    if (reader.warning.empty()) return {};
    return reader.path + ": " + reader.warning;
}

}  // namespace vorlin
