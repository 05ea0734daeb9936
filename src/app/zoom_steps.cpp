#include "app/zoom_steps.h"

#include "app/image_viewport.h"

namespace vorlin {

namespace {

constexpr double kSteps[] = {1.0 / 16, 1.0 / 8, 1.0 / 4, 1.0 / 2, 1, 2, 4, 6, 8, 16, 32, 64};

// Factors are compared as the viewport keeps them, in 1/256 units, so 1.5 typed into the
// zoom box is neither below nor above a step it equals there.
int Fixed(double factor) {
    return static_cast<int>(factor * ImageViewport::kUnit);
}

}  // namespace

std::span<const double> ZoomSteps() {
    return kSteps;
}

double NextZoomStep(double current, bool zoomIn) {
    const int now = Fixed(current);
    if (zoomIn) {
        for (double step : kSteps)
            if (Fixed(step) > now) return step;
    } else {
        for (auto it = std::rbegin(kSteps); it != std::rend(kSteps); ++it)
            if (Fixed(*it) < now) return *it;
    }
    return current;
}

double FitZoomStep(const ImageViewport& viewport) {
    ImageViewport probe = viewport;
    for (auto it = std::rbegin(kSteps); it != std::rend(kSteps); ++it) {
        probe.SetZoom(*it);
        if (probe.ImageFits()) return *it;
    }
    return kSteps[0];
}

}  // namespace vorlin
