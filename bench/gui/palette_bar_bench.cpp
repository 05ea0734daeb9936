// Cost of showing a palette change: the whole palette bar redrawn, and an edit in the bar
// that changes a colour of a 1024 x 1024 picture repainting the main view and the bar.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QLineEdit>
#include <array>

#include "app/palette_bar_link.h"
#include "app/palette_bar_model.h"
#include "app/palette_bar_slots.h"
#include "app/qt/palette_bar.h"
#include "app/qt/vorlin_view.h"
#include "document/vorlin_doc.h"

namespace {

void BarRedrawAfterPaletteChange(benchmark::State& state) {
    vorlin::PaletteBarModel model;
    vorlin::CPaletteBar bar(model);
    bar.show();
    std::array<vorlin::ColorRef, 256> colours{};
    QImage target(bar.size(), QImage::Format_RGB32);
    std::uint32_t step = 0;
    for (auto _ : state) {
        for (std::size_t i = 0; i < colours.size(); ++i)
            colours[i] = static_cast<vorlin::ColorRef>(i * 0x010203u + step);
        ++step;
        model.SetPalette(colours.data());
        bar.render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}

void EditRepaintsViewAndBar(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    vorlin::CVorlinDoc doc;
    doc.image.Create(side, side, nullptr, nullptr);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            doc.image.Row(y)[x] = static_cast<std::uint8_t>((x + y) & 0xFF);
    vorlin::PaletteBarModel model;
    vorlin::PaletteBarButtonSlots buttons(model);
    vorlin::PaletteBarDocumentLink link(doc, model);
    vorlin::CPaletteBar bar(model);
    bar.show();
    vorlin::CVorlinView view(doc, buttons);
    view.resize(1000, 700);
    view.show();
    view.OnInitialUpdate();
    view.Viewport().SetClientSize(view.viewport()->width(), view.viewport()->height());
    QImage viewTarget(view.viewport()->size(), QImage::Format_RGB32);
    QImage barTarget(bar.size(), QImage::Format_RGB32);
    QLineEdit* red = bar.Edit(vorlin::kChannelRed);
    int value = 0;
    for (auto _ : state) {
        // Typing a new red value: the document's entry changes and the views are told.
        value = (value + 7) % 32;
        red->setText(QString::number(value));
        view.viewport()->render(&viewTarget);
        bar.render(&barTarget);
        benchmark::DoNotOptimize(viewTarget.constBits());
        benchmark::DoNotOptimize(barTarget.constBits());
    }
    state.SetLabel(std::to_string(side) + "x" + std::to_string(side));
}

BENCHMARK(BarRedrawAfterPaletteChange)->Unit(benchmark::kMicrosecond);
BENCHMARK(EditRepaintsViewAndBar)->Arg(1024)->Unit(benchmark::kMicrosecond);

}  // namespace
