// The zoom steps that the zoom keys walk and that Fit chooses from: the zoom box's factors,
// halved below 1 and doubled above 16 up to the wheel's limits.
#pragma once

#include <span>

namespace vorlin {

class ImageViewport;

// Ascending: 1/16 ... 1/2, then the zoom box's 1, 2, 4, 6, 8, 16, then 32 and 64.
std::span<const double> ZoomSteps();
// The next step above (zoomIn) or below the current factor, which need not be a step itself;
// the current factor when there is none further.
double NextZoomStep(double current, bool zoomIn);
// The largest step at which the viewport's whole picture fits its client area; the smallest
// step when none does.
double FitZoomStep(const ImageViewport& viewport);

}  // namespace vorlin
