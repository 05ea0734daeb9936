#include "core/quantize.h"

#include "core/error_diffusion.h"
#include "core/palette_refine.h"
#include "core/true_color.h"
#include "core/wu_quantizer.h"

namespace vorlin {

namespace {

// Each refinement pass maps every pixel once more; past a handful the error hardly moves.
constexpr int kMaxRefinePasses = 6;

}  // namespace

PackedDib DibQuantize(PackedDib src, int bpp, const QuantizeOptions& options) {
    if (!src || !DibIsLegalDepth(bpp) || bpp > 8) return nullptr;
    DibPtr rgb;
    if (DibBitCount(src) != 24) {
        rgb.reset(DibConvertTrueColor(src, 24));
        if (!rgb) return nullptr;
        src = rgb.get();
    }
    int colors = 0;
    DibPtr eight(WuQuantize(src, 1 << bpp, &colors));
    if (!eight) return nullptr;
    if (options.quality == QuantizeQuality::kBest &&
        !RefinePalette(src, eight.get(), colors, kMaxRefinePasses))
        return nullptr;
    if (options.dither && !DiffuseToPalette(src, eight.get(), colors)) return nullptr;
    if (bpp == 8) return eight.release();
    return DibConvert(eight.get(), bpp, 0);
}

}  // namespace vorlin
