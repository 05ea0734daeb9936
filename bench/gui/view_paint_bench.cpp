// Painting cost of the main view: a full repaint of a 1000 x 700 view at zoom 8 with both
// grids must follow the visible area, not the size of the picture.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "document/vorlin_doc.h"
#include "app/palette_bar_model.h"
#include "app/palette_bar_slots.h"
#include "app/qt/vorlin_view.h"
#include "view_bench_setup.h"

namespace {

void RepaintAtZoom8(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    vorlin::CVorlinDoc doc;
    vorlin::bench::FillPattern(doc, side);
    vorlin::PaletteBarModel bar;
    vorlin::PaletteBarButtonSlots buttons(bar);
    vorlin::CVorlinView view(doc, buttons);
    vorlin::bench::ShowAt(view, 8, side / 2, side / 2);
    vorlin::bench::RepaintEachIteration(state, view);
    state.SetLabel(std::to_string(side) + "x" + std::to_string(side));
}

BENCHMARK(RepaintAtZoom8)->Arg(256)->Arg(4096)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    // Measured offscreen: no display is needed and none is touched.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Views save their options when they close: a scratch settings file keeps the user's own
    // settings out of reach (an explicit VORLIN_INI is honoured).
    char scratch[] = "/tmp/vorlin-gui-bench.XXXXXX";
    const bool ownSettings = getenv("VORLIN_INI") == nullptr && mkdtemp(scratch) != nullptr;
    const std::string settings = std::string(scratch) + "/vorlin.ini";
    if (ownSettings) setenv("VORLIN_INI", settings.c_str(), 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (ownSettings) std::filesystem::remove_all(scratch);
    return 0;
}
