// What the view painting benchmarks share: a picture that uses every index and a view
// shown at the size they measure.
#pragma once

#include <benchmark/benchmark.h>

#include <QImage>
#include <cstdint>

#include "app/qt/vorlin_view.h"
#include "document/vorlin_doc.h"

namespace vorlin::bench {

// A square picture whose indices vary from pixel to pixel and cover all 256 entries.
inline void FillPattern(CVorlinDoc& doc, int side) {
    doc.image.Create(side, side, nullptr, nullptr);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            doc.image.Row(y)[x] = static_cast<std::uint8_t>((x * 7 + y * 13) & 0xFF);
}

// Shows `view` at 1000 x 700 and `zoom`, with image point (x, y) at its top-left corner.
inline void ShowAt(CVorlinView& view, double zoom, int x, int y) {
    view.resize(1000, 700);
    view.show();
    view.OnInitialUpdate();
    view.Viewport().SetClientSize(view.viewport()->width(), view.viewport()->height());
    view.SetZoom(zoom);
    view.Viewport().SetOrigin(x, y);
}

// One full repaint of the view per iteration.
inline void RepaintEachIteration(benchmark::State& state, CVorlinView& view) {
    QImage target(view.viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        view.viewport()->render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}

}  // namespace vorlin::bench
