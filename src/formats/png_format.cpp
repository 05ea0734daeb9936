#include "formats/png_format.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <cstring>

#include "formats/byte_sink.h"
#include "formats/byte_source.h"
#include "formats/format_error.h"
#include "formats/format_messages.h"
#include "formats/png_deflate.h"
#include "formats/read_warnings.h"

namespace vorlin {

namespace {

constexpr std::size_t kSignatureSize = 8;
// The wording of libpng's own stream functions, which ours stand in for.
constexpr char kLibraryReadError[] = "Read Error";
constexpr char kLibraryWriteError[] = "Write Error";
// Ancillary chunks the library keeps for us: we use none of them, so a file
// of thousands of small chunks gains nothing by being stored.
constexpr png_uint_32 kChunkCacheMax = 256;
// The largest single chunk the library may allocate (text, colour profiles);
// pixel data streams through and is bounded by the picture's own caps.
constexpr png_alloc_size_t kChunkMallocMax = png_alloc_size_t{1} << 24;
// Chunks the library would read whole into memory of the length they declare, up to 2 GiB
// (its length check above is only a warning when reading): text, profiles, suggested
// palettes, Exif, calibration. We use none of them, so they are skipped as they stream past.
constexpr char kSkippedChunks[] = "tEXt\0zTXt\0iTXt\0iCCP\0sPLT\0eXIf\0pCAL\0sCAL";
constexpr int kSkippedChunkCount = sizeof kSkippedChunks / 5;
// Deflate's best case: two bits code a 258-byte match.
constexpr std::uint64_t kDeflateMaxRatio = 1032;
// A picture of up to this many times the file's size, plus a mebibyte, is
// allocated straight away; a larger one must first prove that its data really
// expands that far.
constexpr std::uint64_t kTrustedExpansion = 16;
constexpr std::uint64_t kTrustedSlack = std::uint64_t{1} << 20;

// Everything the libpng calls touch lives here as plain data: libpng reports
// errors by longjmp, which must not skip a C++ destructor. The C++ wrappers
// below own the contents and release them after the jump.
struct PngJob {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ByteSource* source = nullptr;
    std::uint64_t position = 0;
    ByteSink* sink = nullptr;
    const char* fixedError = nullptr;  // one of our own texts
    char libraryError[256] = {};       // the library's text, when it failed
    PackedDib dib = nullptr;           // read result, or the picture to write
    png_bytep* rows = nullptr;
    png_bytep unpacked = nullptr;  // one byte per pixel, for 2-bit files
    png_bytep scratch = nullptr;   // the one row every row of a proving pass goes to
    bool mayProve = false;         // a large picture is proved instead of decoded
    bool proved = false;           // this pass only proved the data: decode again
    int transparent = 0;
    int transparentIndex = 0;
    int definedColors = -1;  // palette entries the file gave; -1: all (grey or true colour)
    int strategy = -1;  // zlib's strategy for writing; -1: libpng's own
};

[[noreturn]] void OnPngError(png_structp png, png_const_charp text) {
    auto* job = static_cast<PngJob*>(png_get_error_ptr(png));
    std::snprintf(job->libraryError, sizeof job->libraryError, "%s", text ? text : "");
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

void ReadCallback(png_structp png, png_bytep data, png_size_t length) {
    auto* job = static_cast<PngJob*>(png_get_io_ptr(png));
    const std::size_t got = job->source->ReadAt(job->position, data, length);
    job->position += got;
    if (got != length) png_error(png, kLibraryReadError);
}

void WriteCallback(png_structp png, png_bytep data, png_size_t length) {
    auto* job = static_cast<PngJob*>(png_get_io_ptr(png));
    if (!job->sink->Write(data, length)) png_error(png, kLibraryWriteError);
}

void FlushCallback(png_structp) {}

void SetGreyRamp(RgbQuad* table, int levels) {
    for (int i = 0; i < levels; ++i) {
        const auto g = static_cast<std::uint8_t>(i * 255 / (levels - 1));
        table[i] = RgbQuad{g, g, g, 0};
    }
}

// Returns how many table entries the file's palette defined.
int SetPngPalette(png_structp png, png_infop info, RgbQuad* table, int tableSize) {
    png_colorp palette = nullptr;
    int count = 0;
    if (!png_get_PLTE(png, info, &palette, &count)) return 0;
    count = std::min(count, tableSize);
    for (int i = 0; i < count; ++i)
        table[i] = RgbQuad{palette[i].blue, palette[i].green, palette[i].red, 0};
    return count;
}

// Two-bit samples arrive one per byte; the dib keeps them as 4-bit indices.
void PackNibbles(PackedDib dib, const png_bytep unpacked) {
    const int width = DibWidth(dib);
    for (int y = 0; y < DibHeight(dib); ++y) {
        const png_bytep src = unpacked + static_cast<std::size_t>(y) * width;
        std::uint8_t* row = DibRow(dib, y);
        for (int x = 0; x < width; ++x)
            row[x / 2] =
                static_cast<std::uint8_t>(x % 2 ? row[x / 2] | (src[x] & 15) : src[x] << 4);
    }
}

// Chooses the transformations; returns the depth of the picture they give.
int ChooseTransforms(png_structp png, png_infop info, int bitDepth, int colorType) {
    if (bitDepth == 16) png_set_strip_16(png);
    int depth = 0;
    const bool paletted = colorType == PNG_COLOR_TYPE_PALETTE || colorType == PNG_COLOR_TYPE_GRAY;
    if (paletted) {
        depth = bitDepth == 2 ? 4 : bitDepth > 8 ? 8 : bitDepth;
        if (bitDepth == 2) png_set_packing(png);
    } else if (colorType == PNG_COLOR_TYPE_RGB) {
        png_set_bgr(png);
        depth = 24;
    } else {
        if (colorType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
        png_set_bgr(png);
        png_set_invert_alpha(png);
        depth = 32;
    }
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    return depth;
}

// Creates the dib and fills its colour table; false with fixedError set.
bool CreatePicture(PngJob* job, png_uint_32 width, png_uint_32 height, int depth, int bitDepth,
                   int colorType) {
    job->dib = DibCreate(static_cast<int>(width), static_cast<int>(height), depth, nullptr, 1);
    if (!job->dib) {
        job->fixedError = kMsgMemoryAllocation;
        return false;
    }
    std::memset(DibPixels(job->dib), 0, DibHeader(job->dib)->biSizeImage);
    if (colorType == PNG_COLOR_TYPE_PALETTE)
        job->definedColors =
            SetPngPalette(job->png, job->info, DibColors(job->dib), DibColorCount(job->dib));
    else if (colorType == PNG_COLOR_TYPE_GRAY)
        SetGreyRamp(DibColors(job->dib), 1 << (bitDepth > 8 ? 8 : bitDepth));
    return true;
}

// What the decoded picture takes: the dib and, for 2-bit files, a byte per pixel besides.
std::uint64_t PictureBytes(png_uint_32 width, png_uint_32 height, int depth, int bitDepth) {
    const std::uint64_t unpacked = bitDepth == 2 ? std::uint64_t{width} : 0;
    return (DibStrideFor(static_cast<int>(width), depth) + unpacked) * height;
}

bool MustProve(const PngJob* job, std::uint64_t pictureBytes) {
    return job->mayProve && pictureBytes > kTrustedExpansion * job->source->Size() + kTrustedSlack;
}

// Decodes every row into one scratch row, keeping nothing: a file whose data
// ends before the picture does fails here, before the picture is allocated.
bool ProveRows(PngJob* job, png_uint_32 height) {
    const std::size_t rowBytes = png_get_rowbytes(job->png, job->info);
    job->scratch = static_cast<png_bytep>(std::malloc(std::max<std::size_t>(rowBytes, 1)));
    job->rows = static_cast<png_bytep*>(std::malloc(height * sizeof(png_bytep)));
    if (!job->scratch || !job->rows) {
        job->fixedError = kMsgMemoryAllocation;
        return false;
    }
    for (png_uint_32 y = 0; y < height; ++y) job->rows[y] = job->scratch;
    png_read_image(job->png, job->rows);
    png_read_end(job->png, nullptr);
    job->proved = true;
    return true;
}

bool AllocateRows(PngJob* job, int bitDepth) {
    const std::size_t height = static_cast<std::size_t>(DibHeight(job->dib));
    const std::size_t width = static_cast<std::size_t>(DibWidth(job->dib));
    job->rows = static_cast<png_bytep*>(std::malloc(height * sizeof(png_bytep)));
    if (bitDepth == 2) job->unpacked = static_cast<png_bytep>(std::malloc(width * height));
    if (!job->rows || (bitDepth == 2 && !job->unpacked)) {
        job->fixedError = kMsgMemoryAllocation;
        return false;
    }
    for (std::size_t y = 0; y < height; ++y)
        job->rows[y] =
            bitDepth == 2 ? job->unpacked + y * width : DibRow(job->dib, static_cast<int>(y));
    return true;
}

// Nothing is allocated for a picture whose compressed data, were the whole file
// compressed data, could not expand to every row (with its filter byte).
bool DataCanFill(const PngJob* job, png_uint_32 width, png_uint_32 height) {
    const std::uint64_t bitsPerPixel =
        static_cast<std::uint64_t>(png_get_channels(job->png, job->info)) *
        png_get_bit_depth(job->png, job->info);
    const std::uint64_t rowBytes = (bitsPerPixel * width + 7) / 8 + 1;
    return rowBytes * height <= kDeflateMaxRatio * job->source->Size();
}

// Runs the whole read; 1 on success. Holds no object with a destructor.
int RunPngRead(PngJob* job) {
    png_structp png = job->png;
    if (setjmp(png_jmpbuf(png))) return 0;
    png_set_read_fn(png, job, ReadCallback);
    png_set_sig_bytes(png, static_cast<int>(kSignatureSize));
    png_set_user_limits(png, kDibMaxSide, kDibMaxSide);
    png_set_chunk_cache_max(png, kChunkCacheMax);
    png_set_chunk_malloc_max(png, kChunkMallocMax);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER,
                                reinterpret_cast<png_const_bytep>(kSkippedChunks),
                                kSkippedChunkCount);
    png_read_info(png, job->info);

    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colorType = 0;
    png_get_IHDR(png, job->info, &width, &height, &bitDepth, &colorType, nullptr, nullptr, nullptr);
    if (static_cast<std::uint64_t>(width) * height > kDibMaxArea) {
        job->fixedError = kMsgFormatNotRecognized;
        return 0;
    }
    if (!DataCanFill(job, width, height)) {
        job->fixedError = kMsgFileTooShort;
        return 0;
    }
    const int depth = ChooseTransforms(png, job->info, bitDepth, colorType);
    if (MustProve(job, PictureBytes(width, height, depth, bitDepth)))
        return ProveRows(job, height) ? 1 : 0;
    if (!CreatePicture(job, width, height, depth, bitDepth, colorType) ||
        !AllocateRows(job, bitDepth))
        return 0;
    png_read_image(png, job->rows);
    png_read_end(png, nullptr);
    if (bitDepth == 2) PackNibbles(job->dib, job->unpacked);

    png_bytep alpha = nullptr;
    int count = 0;
    png_color_16p key = nullptr;
    job->transparent = png_get_tRNS(png, job->info, &alpha, &count, &key) && count != 0 ? 1 : 0;
    return 1;
}

// Sets the header, palette and transparency for the dib's depth.
void DescribeImage(PngJob* job) {
    png_structp png = job->png;
    PackedDib dib = job->dib;
    const int bpp = DibBitCount(dib);
    const int colorType = bpp <= 8    ? PNG_COLOR_TYPE_PALETTE
                          : bpp == 24 ? PNG_COLOR_TYPE_RGB
                                      : PNG_COLOR_TYPE_RGB_ALPHA;
    png_set_IHDR(png, job->info, static_cast<png_uint_32>(DibWidth(dib)),
                 static_cast<png_uint_32>(DibHeight(dib)), bpp <= 8 ? bpp : 8, colorType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (bpp > 8) {
        png_set_bgr(png);
        // The fourth byte holds 255 - alpha, as the reader stores it, so pictures
        // made from a palette (fourth byte 0) come out opaque.
        if (bpp == 32) png_set_invert_alpha(png);
        return;
    }
    png_color palette[256] = {};
    const int count = DibColorCount(dib) < 1            ? 1
                      : DibColorCount(dib) > (1 << bpp) ? 1 << bpp
                                                        : DibColorCount(dib);
    const RgbQuad* table = DibColors(dib);
    for (int i = 0; i < DibColorCount(dib) && i < count; ++i)
        palette[i] = png_color{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue};
    png_set_PLTE(png, job->info, palette, count);
    if (job->transparent && job->transparentIndex >= 0 && job->transparentIndex < count) {
        png_byte alpha[256];
        std::memset(alpha, 255, sizeof alpha);
        alpha[job->transparentIndex] = 0;
        png_set_tRNS(png, job->info, alpha, job->transparentIndex + 1, nullptr);
    }
}

// Runs the whole write; 1 on success. Holds no object with a destructor.
int RunPngWrite(PngJob* job) {
    png_structp png = job->png;
    if (setjmp(png_jmpbuf(png))) return 0;
    png_set_write_fn(png, job, WriteCallback, FlushCallback);
    png_set_compression_level(png, kPngDeflateLevel);
    if (job->strategy >= 0) png_set_compression_strategy(png, job->strategy);
    DescribeImage(job);
    png_write_info(png, job->info);
    const int height = DibHeight(job->dib);
    job->rows =
        static_cast<png_bytep*>(std::malloc(static_cast<std::size_t>(height) * sizeof(png_bytep)));
    if (!job->rows) {
        job->fixedError = kMsgMemoryAllocation;
        return 0;
    }
    for (int y = 0; y < height; ++y) job->rows[y] = DibPictureRow(job->dib, y);
    png_write_image(png, job->rows);
    png_write_end(png, job->info);
    return 1;
}

[[noreturn]] void FailWithJobError(const PngJob& job) {
    if (job.fixedError) FailWith(job.fixedError);
    throw FormatError{job.libraryError, {}};
}

// Releases what a job holds, whichever way it ended.
struct ReadJobGuard {
    PngJob& job;
    ~ReadJobGuard() {
        png_destroy_read_struct(&job.png, &job.info, nullptr);
        std::free(job.rows);
        std::free(job.unpacked);
        std::free(job.scratch);
        DibFree(job.dib);
    }
};

struct WriteJobGuard {
    PngJob& job;
    ~WriteJobGuard() {
        png_destroy_write_struct(&job.png, &job.info);
        std::free(job.rows);
    }
};

// Reads the whole file with a fresh job; throws the job's error.
void RunReadJob(PngJob& job, ByteSource& source) {
    job.source = &source;
    job.position = kSignatureSize;
    job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &job, OnPngError, OnPngWarning);
    if (!job.png) FailWith(kMsgPngCreateStruct);
    job.info = png_create_info_struct(job.png);
    if (!job.info) FailWith(kMsgPngCreateInfo);
    if (!RunPngRead(&job)) FailWithJobError(job);
}

}  // namespace

void PngFormat::TakeOptions(const FileFormat& other) {
    FileFormat::TakeOptions(other);
    if (const auto* png = dynamic_cast<const PngFormat*>(&other)) {
        transparent = png->transparent;
        transparentIndex = png->transparentIndex;
    }
}

DibPtr PngFormat::Decode(ByteSource& source) {
    png_byte signature[kSignatureSize];
    if (source.ReadAt(0, signature, kSignatureSize) != kSignatureSize ||
        png_sig_cmp(signature, 0, kSignatureSize) != 0)
        FailWith(kMsgFormatNotRecognized);

    PngJob first;
    ReadJobGuard firstGuard{first};
    first.mayProve = true;
    RunReadJob(first, source);
    PngJob second;
    ReadJobGuard secondGuard{second};
    // The data delivered every row of a picture far larger than the file: decode it for real.
    if (first.proved) RunReadJob(second, source);
    PngJob& done = first.proved ? second : first;

    transparent = done.transparent;
    paletteEntries = done.definedColors;
    DibPtr dib(done.dib);
    done.dib = nullptr;
    if (done.definedColors >= 0)
        if (const int index = FirstIndexOutside(dib.get(), 0, done.definedColors); index >= 0)
            Warn(UndefinedIndexWarning(index));
    return dib;
}

void PngFormat::CheckWritable(PackedDib dib) const {
    const int bpp = DibBitCount(dib);
    if (bpp == 16) FailWith(kMsgPng16Bits);
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32)
        FailWith(kMsgUnsupportedBitdepth);
}

void PngFormat::Encode(PackedDib dib, ByteSink& sink) {
    PngJob job;
    WriteJobGuard guard{job};
    job.sink = &sink;
    job.dib = dib;
    job.transparent = transparent;
    job.transparentIndex = transparentIndex;
    // Paletted rows are written unfiltered; true colour keeps libpng's own choice.
    if (DibBitCount(dib) <= 8) job.strategy = PngPaletteStrategy(dib);
    job.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &job, OnPngError, OnPngWarning);
    if (!job.png) FailWith(kMsgPngCreateStruct);
    job.info = png_create_info_struct(job.png);
    if (!job.info) FailWith(kMsgPngCreateInfo);
    if (!RunPngWrite(&job)) FailWithJobError(job);
}

}  // namespace vorlin
