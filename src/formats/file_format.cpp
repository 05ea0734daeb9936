#include "formats/file_format.h"

#include <new>

#include "formats/byte_sink.h"
#include "formats/byte_source.h"
#include "formats/format_error.h"
#include "formats/format_messages.h"

namespace vorlin {

FileFormat::FileFormat(const FileFormat& other)
    : hasImage(other.hasImage),
      message(other.message),
      image(other.image ? DibDuplicate(other.image.get()) : nullptr),
      depth(other.depth),
      path(other.path) {
    if (other.image && !image) hasImage = 0;
}

FileFormat& FileFormat::operator=(const FileFormat& other) {
    if (this == &other) return *this;
    hasImage = other.hasImage;
    message = other.message;
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

// Runs a codec step; a thrown text becomes the handler's message and a 0 result.
template <typename Body>
int Guarded(std::string& message, Body&& body) {
    try {
        body();
        return 1;
    } catch (const FormatError& error) {
        message = error.text;
    } catch (const std::bad_alloc&) {
        message = kMsgMemoryAllocation;
    }
    return 0;
}

}  // namespace

int FileFormat::Read(const std::string& filePath) {
    FileSource source;
    if (!source.Open(filePath)) {
        message = kMsgFileDoesntExist;
        return 0;
    }
    return ReadFrom(source, filePath);
}

int FileFormat::ReadFrom(ByteSource& source, const std::string& filePath) {
    return Guarded(message, [&] {
        DibPtr dib = Decode(source);
        depth = DibBitCount(dib.get());
        AttachImage(std::move(dib));
        path = filePath;
        message = kMsgAllClear;
    });
}

int FileFormat::Write(const std::string& filePath) {
    return Guarded(message, [&] {
        if (!image) FailWith(kMsgNonDescript);
        CheckWritable(image.get());
        AtomicFileWriter file;
        if (!file.Open(filePath)) FailWith(kMsgFileDoesntExist);
        Encode(image.get(), file);
        CheckSink(file.Commit());
    });
}

int FileFormat::WriteTo(ByteSink& sink) {
    return Guarded(message, [&] {
        if (!image) FailWith(kMsgNonDescript);
        CheckWritable(image.get());
        Encode(image.get(), sink);
    });
}

DibPtr CreateImageOrFail(int width, int height, int bitsPerPixel) {
    // A depth no picture can have (2-bit BMP, 3-bit PCX, 15-bit TGA) is the file's
    // limitation, not a lack of memory.
    if (!DibIsLegalDepth(bitsPerPixel)) FailWith(kMsgUnsupportedBitdepth);
    DibPtr dib(DibCreate(width, height, bitsPerPixel, nullptr, 1));
    if (!dib) FailWith(kMsgMemoryAllocation);
    return dib;
}

void CheckSink(bool ok) {
    // The fixed set has no "disk full"; the target could not be written, which
    // is what this text stands for.
    if (!ok) FailWith(kMsgFileDoesntExist);
}

}  // namespace vorlin
