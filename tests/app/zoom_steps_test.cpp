#include "app/zoom_steps.h"

#include <gtest/gtest.h>

#include "app/image_viewport.h"

namespace vorlin {
namespace {

TEST(ZoomSteps, NextStepFromAnyFactor) {
    struct Row {
        double from;
        bool in;
        double to;
    };
    const Row rows[] = {
        {1, true, 2},         {2, true, 4},   {4, true, 6},     {8, true, 16},
        {3, true, 4},         {3, false, 2},  {1.5, false, 1},  {0.3, true, 0.5},
        {1, false, 0.5},      {64, true, 64}, {100, false, 64}, {0.0625, false, 0.0625},
        {0.01, true, 0.0625},
    };
    for (const Row& r : rows)
        EXPECT_EQ(NextZoomStep(r.from, r.in), r.to) << r.from << (r.in ? " in" : " out");
}

// The fit counts the gap pixels the tile grid adds below high zoom and the texel grid's
// closing line above it.
TEST(ZoomSteps, FitIsTheLargestStepShowingTheWholePicture) {
    struct Row {
        int client, picture;
        bool tileGrid;
        double fit;
    };
    const Row rows[] = {
        {520, 64, true, 8},         // 512 + the grid's last line
        {512, 64, true, 6},         // 513 would not fit
        {260, 64, true, 2},         // 4x needs 64 * 4 + 8 gaps
        {260, 64, false, 4},        // without gaps 256 fits
        {100, 256, false, 0.25},    // below 1 by halves
        {10, 4096, false, 0.0625},  // nothing fits: the smallest step
    };
    for (const Row& r : rows) {
        ImageViewport vp;
        const ISize image{r.picture, r.picture};
        vp.Attach(r.client, r.client, 1, &image);
        vp.SetTileGrid(r.tileGrid);
        EXPECT_EQ(FitZoomStep(vp), r.fit) << r.client << " " << r.picture;
        EXPECT_EQ(vp.Zoom(), 1);  // the viewport itself keeps its zoom
    }
}

}  // namespace
}  // namespace vorlin
