// Painting with the console check on must stay as fluid as without: a full
// repaint of a 1000 x 700 view of a 1024 x 1024 picture whose every tile is
// marked (colours of many banks at 4 bpp), with the marks (second argument 1)
// and without (0), at the zooms that show tile gaps (1, 2, 4: marks from the
// view-sized layer) and those that do not (5, 8: marks drawn directly). CPU time
// counts every thread: zoomed in, Qt scales the picture in its thread pool.
#include <benchmark/benchmark.h>

#include "app/console_check_link.h"
#include "app/palette_bar_model.h"
#include "app/palette_bar_slots.h"
#include "app/qt/vorlin_view.h"
#include "document/vorlin_doc.h"
#include "view_bench_setup.h"

namespace {

void RepaintWithMarks(benchmark::State& state) {
    const int zoom = static_cast<int>(state.range(0));
    const bool marks = state.range(1) != 0;
    constexpr int kSide = 1024;
    vorlin::CVorlinDoc doc;
    vorlin::bench::FillPattern(doc, kSide);
    vorlin::PaletteBarModel bar;
    vorlin::PaletteBarButtonSlots buttons(bar);
    vorlin::CVorlinView view(doc, buttons);
    vorlin::ConsoleCheckLink check(doc);
    check.SetSettingsSource([] {
        vorlin::ExportDialogValues values;
        values.bppIndex = 2;
        values.mapEnabled = true;
        return values;
    });
    check.SetEnabled(marks);
    view.SetConsoleCheck(&check);
    vorlin::bench::ShowAt(view, zoom, kSide / 4, kSide / 4);
    vorlin::bench::RepaintEachIteration(state, view);
    state.SetLabel(marks ? std::to_string(check.Check().Figures().brokenTiles) + " marked tiles"
                         : "check off");
}

BENCHMARK(RepaintWithMarks)
    ->Args({1, 0})
    ->Args({1, 1})
    ->Args({2, 0})
    ->Args({2, 1})
    ->Args({4, 0})
    ->Args({4, 1})
    ->Args({5, 0})
    ->Args({5, 1})
    ->Args({8, 0})
    ->Args({8, 1})
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace
