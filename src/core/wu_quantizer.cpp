// The arithmetic follows the published algorithm step for step (single-precision
// scores and second moments, the same summation order, first-best ties), so the
// palettes it yields are reproducible.
#include "core/wu_quantizer.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "core/dib_util.h"

namespace vorlin {

namespace {

constexpr int kSide = 33;
constexpr int kPlane = kSide * kSide;
constexpr int kCells = kSide * kSide * kSide;

inline int CellIndex(int r, int g, int b) {
    return r * kPlane + g * kSide + b;
}

enum Axis { kRed, kGreen, kBlue };

struct Box {
    int r0, r1, g0, g1, b0, b1;  // lower bounds exclusive, upper inclusive
    int vol;
};

struct Moments {
    std::vector<std::int64_t> wt, mr, mg, mb;
    std::vector<float> m2;

    bool Allocate() {
        return TryResize(wt, kCells) && TryResize(mr, kCells) && TryResize(mg, kCells) &&
               TryResize(mb, kCells) && TryResize(m2, kCells);
    }
};

template <typename T>
T Vol(const Box& c, const std::vector<T>& m) {
    return m[CellIndex(c.r1, c.g1, c.b1)] - m[CellIndex(c.r1, c.g1, c.b0)] -
           m[CellIndex(c.r1, c.g0, c.b1)] + m[CellIndex(c.r1, c.g0, c.b0)] -
           m[CellIndex(c.r0, c.g1, c.b1)] + m[CellIndex(c.r0, c.g1, c.b0)] +
           m[CellIndex(c.r0, c.g0, c.b1)] - m[CellIndex(c.r0, c.g0, c.b0)];
}

// The part of a box's moment on the lower side of its lower bound along one axis.
std::int64_t Bottom(const Box& c, Axis dir, const std::vector<std::int64_t>& m) {
    switch (dir) {
        case kRed:
            return -m[CellIndex(c.r0, c.g1, c.b1)] + m[CellIndex(c.r0, c.g1, c.b0)] +
                   m[CellIndex(c.r0, c.g0, c.b1)] - m[CellIndex(c.r0, c.g0, c.b0)];
        case kGreen:
            return -m[CellIndex(c.r1, c.g0, c.b1)] + m[CellIndex(c.r1, c.g0, c.b0)] +
                   m[CellIndex(c.r0, c.g0, c.b1)] - m[CellIndex(c.r0, c.g0, c.b0)];
        default:
            return -m[CellIndex(c.r1, c.g1, c.b0)] + m[CellIndex(c.r1, c.g0, c.b0)] +
                   m[CellIndex(c.r0, c.g1, c.b0)] - m[CellIndex(c.r0, c.g0, c.b0)];
    }
}

std::int64_t Top(const Box& c, Axis dir, int pos, const std::vector<std::int64_t>& m) {
    switch (dir) {
        case kRed:
            return m[CellIndex(pos, c.g1, c.b1)] - m[CellIndex(pos, c.g1, c.b0)] -
                   m[CellIndex(pos, c.g0, c.b1)] + m[CellIndex(pos, c.g0, c.b0)];
        case kGreen:
            return m[CellIndex(c.r1, pos, c.b1)] - m[CellIndex(c.r1, pos, c.b0)] -
                   m[CellIndex(c.r0, pos, c.b1)] + m[CellIndex(c.r0, pos, c.b0)];
        default:
            return m[CellIndex(c.r1, c.g1, pos)] - m[CellIndex(c.r1, c.g0, pos)] -
                   m[CellIndex(c.r0, c.g1, pos)] + m[CellIndex(c.r0, c.g0, pos)];
    }
}

float Variance(const Box& c, const Moments& m) {
    const float dr = static_cast<float>(Vol(c, m.mr));
    const float dg = static_cast<float>(Vol(c, m.mg));
    const float db = static_cast<float>(Vol(c, m.mb));
    const float xx = Vol(c, m.m2);
    return xx - (dr * dr + dg * dg + db * db) / static_cast<float>(Vol(c, m.wt));
}

struct Sums {
    std::int64_t r, g, b, w;
};

float HalfScore(const Sums& s) {
    const float r = static_cast<float>(s.r), g = static_cast<float>(s.g),
                b = static_cast<float>(s.b);
    return (r * r + g * g + b * b) / static_cast<float>(s.w);
}

// Best cut position along one axis: the first with the strictly largest score.
float Maximize(const Box& c, Axis dir, int first, int last, int* cut, const Sums& whole,
               const Moments& m) {
    const Sums base{Bottom(c, dir, m.mr), Bottom(c, dir, m.mg), Bottom(c, dir, m.mb),
                    Bottom(c, dir, m.wt)};
    float best = 0.0f;
    *cut = -1;
    for (int i = first; i < last; ++i) {
        const Sums lower{base.r + Top(c, dir, i, m.mr), base.g + Top(c, dir, i, m.mg),
                         base.b + Top(c, dir, i, m.mb), base.w + Top(c, dir, i, m.wt)};
        if (lower.w == 0) continue;
        const Sums upper{whole.r - lower.r, whole.g - lower.g, whole.b - lower.b,
                         whole.w - lower.w};
        if (upper.w == 0) continue;
        float score = HalfScore(lower);
        score += HalfScore(upper);
        if (score > best) {
            best = score;
            *cut = i;
        }
    }
    return best;
}

int Volume(const Box& c) {
    return (c.r1 - c.r0) * (c.g1 - c.g0) * (c.b1 - c.b0);
}

bool Cut(Box& set1, Box& set2, const Moments& m) {
    const Sums whole{Vol(set1, m.mr), Vol(set1, m.mg), Vol(set1, m.mb), Vol(set1, m.wt)};
    int cutr, cutg, cutb;
    const float maxr = Maximize(set1, kRed, set1.r0 + 1, set1.r1, &cutr, whole, m);
    const float maxg = Maximize(set1, kGreen, set1.g0 + 1, set1.g1, &cutg, whole, m);
    const float maxb = Maximize(set1, kBlue, set1.b0 + 1, set1.b1, &cutb, whole, m);
    Axis dir;
    if (maxr >= maxg && maxr >= maxb) {
        dir = kRed;
        if (cutr < 0) return false;
    } else if (maxg >= maxr && maxg >= maxb) {
        dir = kGreen;
    } else {
        dir = kBlue;
    }
    set2 = set1;
    switch (dir) {
        case kRed:
            set2.r0 = set1.r1 = cutr;
            break;
        case kGreen:
            set2.g0 = set1.g1 = cutg;
            break;
        case kBlue:
            set2.b0 = set1.b1 = cutb;
            break;
    }
    set1.vol = Volume(set1);
    set2.vol = Volume(set2);
    return true;
}

// The histogram is gathered under a compact 15-bit key (5 bits per channel) read
// straight from a little-endian load of the pixel, then spread onto the grid.
inline std::uint32_t LoadPixel(const std::uint8_t* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}
// The last pixel of a row is read byte by byte so that nothing past the row is touched.
inline std::uint32_t LoadLastPixel(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16);
}
inline unsigned KeyOf(std::uint32_t v) {
    return ((v >> 3) & 0x1Fu) | ((v >> 6) & 0x3E0u) | ((v >> 9) & 0x7C00u);
}
constexpr unsigned kKeys = 1u << 15;
inline int CellOfKey(unsigned key) {
    return CellIndex(static_cast<int>(key >> 10) + 1, static_cast<int>((key >> 5) & 31) + 1,
                     static_cast<int>(key & 31) + 1);
}

// Calls visit(pixel word) for every pixel of a 24-bpp row, left to right.
template <class Visit>
inline void ForEachPixel(const std::uint8_t* p, int width, Visit&& visit) {
    if (width <= 0) return;
    for (int x = 0; x + 1 < width; ++x, p += 3) visit(LoadPixel(p));
    visit(LoadLastPixel(p));
}

// Per-key integer tallies (count, red, green, blue) as one 16-byte vector, so a pixel
// updates them with one whole load, add and store. (Kept as four plain fields, they are
// combined in a vector register and stored whole, and the next pixel of the same key then
// waits on narrow reads that cannot be served from that store.) They are 32-bit and
// folded into the 64-bit moments before they could wrap.
using KeyTally = std::uint32_t __attribute__((vector_size(16)));

void FoldTallies(std::vector<KeyTally>& tally, Moments& m) {
    for (unsigned k = 0; k < kKeys; ++k) {
        KeyTally& t = tally[k];
        const int cell = CellOfKey(k);
        m.wt[cell] += t[0];
        m.mr[cell] += t[1];
        m.mg[cell] += t[2];
        m.mb[cell] += t[3];
        t = KeyTally{};
    }
}

// Fills the moments and remembers every pixel's key for the final mapping. The float sum
// of squares is added pixel by pixel in image order and never folded, so it rounds
// exactly as a plain per-pixel histogram would.
bool BuildHistogram(PackedDib src, Moments& m, std::uint16_t* key) {
    const int width = DibWidth(src);
    const int height = DibHeight(src);
    std::vector<KeyTally> tally;
    std::vector<float> squares;
    if (!TryResize(tally, kKeys) || !TryResize(squares, kKeys)) return false;
    // 2^24 pixels of at most 255 keep every 32-bit channel sum in range.
    const int rowsPerFold = std::max(1, (1 << 24) / std::max(width, 1));
    for (int y0 = 0; y0 < height; y0 += rowsPerFold) {
        const int y1 = std::min(height, y0 + rowsPerFold);
        for (int y = y0; y < y1; ++y) {
            ForEachPixel(DibRow(src, y), width, [&](std::uint32_t v) {
                const unsigned k = KeyOf(v);
                *key++ = static_cast<std::uint16_t>(k);
                const unsigned b = v & 0xFF, g = (v >> 8) & 0xFF, r = (v >> 16) & 0xFF;
                tally[k] += KeyTally{1, r, g, b};
                squares[k] += static_cast<float>(r * r + g * g + b * b);
            });
        }
        FoldTallies(tally, m);
    }
    for (unsigned k = 0; k < kKeys; ++k) m.m2[CellOfKey(k)] = squares[k];
    return true;
}

// Turns the cell values into moments of the box from the origin to each cell.
void CumulateMoments(Moments& m) {
    for (int r = 1; r < kSide; ++r) {
        std::array<std::int64_t, kSide> area{}, areaR{}, areaG{}, areaB{};
        std::array<float, kSide> area2{};
        for (int g = 1; g < kSide; ++g) {
            std::int64_t line = 0, lineR = 0, lineG = 0, lineB = 0;
            float line2 = 0.0f;
            for (int b = 1; b < kSide; ++b) {
                const int ind1 = CellIndex(r, g, b);
                line += m.wt[ind1];
                lineR += m.mr[ind1];
                lineG += m.mg[ind1];
                lineB += m.mb[ind1];
                line2 += m.m2[ind1];
                area[b] += line;
                areaR[b] += lineR;
                areaG[b] += lineG;
                areaB[b] += lineB;
                area2[b] += line2;
                const int ind2 = ind1 - kPlane;
                m.wt[ind1] = m.wt[ind2] + area[b];
                m.mr[ind1] = m.mr[ind2] + areaR[b];
                m.mg[ind1] = m.mg[ind2] + areaG[b];
                m.mb[ind1] = m.mb[ind2] + areaB[b];
                m.m2[ind1] = m.m2[ind2] + area2[b];
            }
        }
    }
}

// Splits the grid into at most maxColors boxes; returns how many it made.
int Partition(std::vector<Box>& cube, const Moments& m, int maxColors) {
    std::vector<float> vv(static_cast<std::size_t>(maxColors), 0.0f);
    cube[0] = Box{0, kSide - 1, 0, kSide - 1, 0, kSide - 1, 0};
    int next = 0;
    for (int i = 1; i < maxColors; ++i) {
        if (Cut(cube[next], cube[i], m)) {
            vv[next] = cube[next].vol > 1 ? Variance(cube[next], m) : 0.0f;
            vv[i] = cube[i].vol > 1 ? Variance(cube[i], m) : 0.0f;
        } else {
            vv[next] = 0.0f;
            --i;
        }
        next = 0;
        float temp = vv[0];
        for (int k = 1; k <= i; ++k) {
            if (vv[k] > temp) {
                temp = vv[k];
                next = k;
            }
        }
        if (temp <= 0.0f) return i + 1;
    }
    return maxColors;
}

void LabelBox(const Box& c, std::uint8_t label, std::vector<std::uint8_t>& tag) {
    for (int r = c.r0 + 1; r <= c.r1; ++r)
        for (int g = c.g0 + 1; g <= c.g1; ++g)
            for (int b = c.b0 + 1; b <= c.b1; ++b) tag[CellIndex(r, g, b)] = label;
}

RgbQuad MeanColor(const Box& c, const Moments& m) {
    const std::int64_t weight = Vol(c, m.wt);
    if (weight == 0) return RgbQuad{0, 0, 0, 0};
    return RgbQuad{static_cast<std::uint8_t>(Vol(c, m.mb) / weight),
                   static_cast<std::uint8_t>(Vol(c, m.mg) / weight),
                   static_cast<std::uint8_t>(Vol(c, m.mr) / weight), 0};
}

void MapPixels(PackedDib dest, const std::uint16_t* key, const std::vector<std::uint8_t>& tag) {
    std::array<std::uint8_t, kKeys> label;
    for (unsigned k = 0; k < kKeys; ++k) label[k] = tag[static_cast<std::size_t>(CellOfKey(k))];
    const int width = DibWidth(dest);
    const std::size_t stride = DibStride(dest);
    for (int y = 0; y < DibHeight(dest); ++y, key += width) {
        std::uint8_t* out = DibRow(dest, y);
        for (int x = 0; x < width; ++x) out[x] = label[key[x]];
        std::memset(out + width, 0, stride - static_cast<std::size_t>(width));
    }
}

}  // namespace

PackedDib WuQuantize(PackedDib src24, int maxColors, int* colorsMade) {
    if (!src24 || DibBitCount(src24) != 24 || maxColors < 1 || maxColors > 256) return nullptr;
    Moments m;
    std::vector<Box> cube;
    std::vector<std::uint8_t> tag;
    // Every pixel's key, two bytes each; left uninitialised as the histogram fills it.
    // Remembering it is cheaper than reading the source pixels again for the mapping.
    const std::size_t pixels =
        static_cast<std::size_t>(DibWidth(src24)) * static_cast<std::size_t>(DibHeight(src24));
    std::unique_ptr<std::uint16_t[]> keys(new (std::nothrow)
                                              std::uint16_t[std::max<std::size_t>(pixels, 1)]);
    if (!keys) return nullptr;
    if (!m.Allocate() || !TryResize(cube, static_cast<std::size_t>(maxColors)) ||
        !TryResize(tag, kCells))
        return nullptr;
    DibPtr dest(DibCreate(DibWidth(src24), DibHeight(src24), 8, nullptr, DibIsTopDown(src24)));
    if (!dest) return nullptr;

    if (!BuildHistogram(src24, m, keys.get())) return nullptr;
    CumulateMoments(m);
    const int boxes = Partition(cube, m, maxColors);

    RgbQuad* table = DibColors(dest.get());
    std::memset(table, 0, 4 * static_cast<std::size_t>(DibColorCount(dest.get())));
    for (int k = 0; k < boxes; ++k) {
        LabelBox(cube[static_cast<std::size_t>(k)], static_cast<std::uint8_t>(k), tag);
        table[k] = MeanColor(cube[static_cast<std::size_t>(k)], m);
    }
    MapPixels(dest.get(), keys.get(), tag);
    if (colorsMade) *colorsMade = boxes;
    return dest.release();
}

}  // namespace vorlin
