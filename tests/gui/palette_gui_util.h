// Helpers for driving the palette bar and the palette dialogs with real events.
#pragma once

#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QtTest>
#include <memory>

#include "app/palette_bar_geometry.h"
#include "app/qt/main_frame.h"
#include "app/qt/palette_bar.h"
#include "app/qt/palette_bar_dock.h"
#include "document/vorlin_doc.h"
#include "support/fake_ui_services.h"
#include "support/temp_profile.h"

namespace vorlin {

// A shown main window on a new document with scripted message boxes.
struct PaletteWindow {
    ScopedTempProfile profile;
    FakeUiServices ui;
    ScopedUiServices installed{ui};
    CVorlinDoc doc;
    std::unique_ptr<CMainFrame> frame = std::make_unique<CMainFrame>(doc);

    PaletteWindow() {
        frame->resize(900, 650);
        frame->show();
        frame->Commands().NewDocument();
    }
    CPaletteBar& Bar() { return frame->PaletteBarWindow().Bar(); }
    PaletteBarModel& Model() { return frame->PaletteBar(); }
    // Sets an entry without an undo record, as if the picture had come with it.
    void SetColour(int index, int r, int g, int b) {
        doc.image.Palette()[index] = RgbQuad{static_cast<std::uint8_t>(b),
                                             static_cast<std::uint8_t>(g),
                                             static_cast<std::uint8_t>(r), 0};
        doc.RefreshPaletteBar();
    }
    int Red(int index) const { return doc.image.Palette()[index].rgbRed; }
};

inline QPoint Centre(const IRect& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The slider's handle as its style places it.
inline QRect SliderHandle(QSlider* s) {
    QStyleOptionSlider opt;
    opt.initFrom(s);
    opt.orientation = s->orientation();
    opt.minimum = s->minimum();
    opt.maximum = s->maximum();
    opt.sliderPosition = s->sliderPosition();
    opt.sliderValue = s->value();
    opt.singleStep = s->singleStep();
    opt.pageStep = s->pageStep();
    opt.tickPosition = s->tickPosition();
    opt.tickInterval = s->tickInterval();
    opt.upsideDown = s->orientation() == Qt::Horizontal ? s->invertedAppearance()
                                                         : !s->invertedAppearance();
    if (s->orientation() == Qt::Horizontal) opt.state |= QStyle::State_Horizontal;
    return s->style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, s);
}

// Presses the handle and drags it to `to` (slider coordinates) with the left button.
inline void DragSlider(QSlider* s, QPoint to) {
    const QPoint from = SliderHandle(s).center();
    QTest::mousePress(s, Qt::LeftButton, Qt::NoModifier, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), s->mapToGlobal(QPointF(to)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(s, &move);
    QTest::mouseRelease(s, Qt::LeftButton, Qt::NoModifier, to);
}

}  // namespace vorlin
