// File codec speed against plain baselines of the same work: a 4096 x 4096
// 8-bit BMP read and written back versus moving the same bytes with fread,
// memcpy and fwrite; PNG read and write versus libpng used directly with its
// default settings on the same picture.
#include <benchmark/benchmark.h>
#include <png.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "formats/bmp_format.h"
#include "formats/png_format.h"

namespace vorlin {
namespace {

constexpr int kBmpSide = 4096;
constexpr int kPngSide = 1024;

std::string BenchFile(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("vorlin-bench-" + name)).string();
}

DibPtr Picture(int side) {
    DibPtr dib(DibCreate(side, side, 8, nullptr, 1));
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            DibRow(dib.get(), y)[x] =
                static_cast<std::uint8_t>((x / 7 + y / 5 + (x * y) % 3) & 0xFF);
    return dib;
}

const std::string& BmpSource() {
    static const std::string path = [] {
        BmpFormat format;
        format.AttachImage(Picture(kBmpSide));
        const std::string p = BenchFile("source.bmp");
        format.Write(p);
        return p;
    }();
    return path;
}

const std::string& PngSource() {
    static const std::string path = [] {
        PngFormat format;
        format.AttachImage(Picture(kPngSide));
        const std::string p = BenchFile("source.png");
        format.Write(p);
        return p;
    }();
    return path;
}

void BM_BmpReadWrite(benchmark::State& state) {
    const std::string in = BmpSource(), out = BenchFile("out.bmp");
    BmpFormat format;
    for (auto _ : state) {
        if (!format.Read(in) || !format.Write(out)) state.SkipWithError("bmp failed");
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(in)));
}
BENCHMARK(BM_BmpReadWrite)->Unit(benchmark::kMillisecond);

void BM_MemcpyIoSameBytes(benchmark::State& state) {
    const std::string in = BmpSource(), out = BenchFile("out.raw");
    const std::size_t size = std::filesystem::file_size(in);
    for (auto _ : state) {
        // Fresh memory each time, as a reader needs for every file it opens.
        std::unique_ptr<std::uint8_t[]> buffer(new std::uint8_t[size]), copy(new std::uint8_t[size]);
        std::FILE* f = std::fopen(in.c_str(), "rb");
        const std::size_t got = std::fread(buffer.get(), 1, size, f);
        std::fclose(f);
        std::memcpy(copy.get(), buffer.get(), got);
        std::FILE* o = std::fopen(out.c_str(), "wb");
        std::fwrite(copy.get(), 1, got, o);
        std::fclose(o);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
}
BENCHMARK(BM_MemcpyIoSameBytes)->Unit(benchmark::kMillisecond);

void BM_PngRead(benchmark::State& state) {
    const std::string in = PngSource();
    PngFormat format;
    for (auto _ : state)
        if (!format.Read(in)) state.SkipWithError("png read failed");
}
BENCHMARK(BM_PngRead)->Unit(benchmark::kMillisecond);

void BM_LibpngDefaultRead(benchmark::State& state) {
    const std::string in = PngSource();
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kPngSide) * kPngSide);
    std::vector<png_bytep> rows(kPngSide);
    for (int y = 0; y < kPngSide; ++y)
        rows[y] = pixels.data() + static_cast<std::size_t>(y) * kPngSide;
    for (auto _ : state) {
        std::FILE* f = std::fopen(in.c_str(), "rb");
        png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        if (setjmp(png_jmpbuf(png))) state.SkipWithError("libpng read failed");
        png_init_io(png, f);
        png_read_info(png, info);
        png_read_image(png, rows.data());
        png_read_end(png, nullptr);
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(f);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_LibpngDefaultRead)->Unit(benchmark::kMillisecond);

void BM_PngWrite(benchmark::State& state) {
    PngFormat format;
    format.AttachImage(Picture(kPngSide));
    const std::string out = BenchFile("out.png");
    for (auto _ : state)
        if (!format.Write(out)) state.SkipWithError("png write failed");
}
BENCHMARK(BM_PngWrite)->Unit(benchmark::kMillisecond);

void BM_LibpngDefaultWrite(benchmark::State& state) {
    DibPtr picture = Picture(kPngSide);
    const std::string out = BenchFile("out-libpng.png");
    std::vector<png_bytep> rows(kPngSide);
    for (int y = 0; y < kPngSide; ++y) rows[y] = DibRow(picture.get(), y);
    png_color palette[256];
    for (int i = 0; i < 256; ++i) {
        const RgbQuad c = DibColors(picture.get())[i];
        palette[i] = png_color{c.rgbRed, c.rgbGreen, c.rgbBlue};
    }
    for (auto _ : state) {
        std::FILE* f = std::fopen(out.c_str(), "wb");
        png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        if (setjmp(png_jmpbuf(png))) state.SkipWithError("libpng write failed");
        png_init_io(png, f);
        png_set_IHDR(png, info, kPngSide, kPngSide, 8, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_set_PLTE(png, info, palette, 256);
        png_write_info(png, info);
        png_write_image(png, rows.data());
        png_write_end(png, info);
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
    }
}
BENCHMARK(BM_LibpngDefaultWrite)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vorlin
