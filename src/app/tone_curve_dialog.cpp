#include "app/tone_curve_dialog.h"

#include <algorithm>
#include <cmath>

#include "document/vorlin_doc.h"
#include "app/palette_bar_model.h"

namespace vorlin {

double GammaForSliderPosition(int position) {
    return std::pow(10.0, position * 0.01);
}

int SliderPositionForGamma(double gamma) {
    const double p = std::trunc(100 * std::log10(gamma));
    return static_cast<int>(std::clamp(p, double{kToneSliderMin}, double{kToneSliderMax}));
}

void AdjustPalette(CVorlinDoc& doc, int first, int last, const ToneSettings& settings) {
    if (first > last) std::swap(first, last);
    first = std::max(first, 0);
    last = std::min(last, 255);
    // A range wholly outside the palette touches nothing (the table would otherwise
    // swap the clamped ends back into an entry).
    if (first <= last) ApplyToneTable(doc.image.Palette(), first, last, ComposeToneCurve(settings));
    doc.RefreshPaletteBar();
    doc.UpdateAllViews(HINT_IMAGE, &doc.image);
    doc.SetModifiedFlag(true);
}

ToneCurveDialogModel::ToneCurveDialogModel()
    : first_{1006, 0, 255, FormatDialogInt(0)}, last_{1007, 0, 255, FormatDialogInt(255)} {}

std::string ToneCurveDialogModel::Open(CVorlinDoc* doc, const PaletteBarModel* bar) {
    doc_ = doc;
    bar_ = bar;
    openRecord_ = nullptr;
    if (!doc_) return {};
    if (doc_->history.Push(doc_->MakeRangeRecord(0, kPaletteSize)))
        openRecord_ = doc_->history.NewestUndo();
    std::copy(doc_->image.Palette(), doc_->image.Palette() + kPaletteSize, saved_.begin());
    settings_ = ToneSettings{};
    gammaPosition_ = 0;
    return Preview();
}

std::string ToneCurveDialogModel::Close(bool ok) {
    if (ok) return RangeRefusal();
    if (!doc_) return {};
    if (openRecord_ && doc_->history.NewestUndo() == openRecord_) {
        doc_->history.Undo();
        return {};
    }
    // No undo state was taken at opening: put the saved palette back directly.
    doc_->image.SetColors(0, kPaletteSize, saved_.data());
    doc_->RefreshPaletteBar();
    doc_->UpdateAllViews(HINT_PALETTE);
    doc_->SetModifiedFlag(true);
    return {};
}

std::string ToneCurveDialogModel::RangeRefusal() const {
    for (const DialogIntField* f : {&first_, &last_}) {
        std::string refusal = f->Validate();
        if (!refusal.empty()) return refusal;
    }
    return {};
}

std::string ToneCurveDialogModel::Preview() {
    std::string refusal = RangeRefusal();
    if (!refusal.empty() || !doc_) return refusal;
    int first = first_.Value(), last = last_.Value();
    if (first > last) std::swap(first, last);
    std::copy(saved_.begin() + first, saved_.begin() + last + 1, doc_->image.Palette() + first);
    AdjustPalette(*doc_, first, last, settings_);
    return {};
}

ToneEditResult ToneCurveDialogModel::OnEditChanged(ToneControl control, std::string_view text) {
    ToneEditResult result;
    if (control == ToneControl::Gamma) {
        const double typed = ParseDialogDouble(text);
        const double g = std::clamp(typed, kGammaMin, kGammaMax);
        if (g != typed) {
            result.rewritten = true;
            result.text = FormatDialogFixed2(g);
        }
        settings_.gamma = g;
        gammaPosition_ = SliderPositionForGamma(g);
        result.sliderPosition = gammaPosition_;
    } else {
        const int typed = ParseDialogInt(text);
        const int v = std::clamp(typed, kToneSliderMin, kToneSliderMax);
        if (v != typed) {
            result.rewritten = true;
            result.text = FormatDialogInt(v);
        }
        int& value = control == ToneControl::Brightness ? settings_.brightness
                     : control == ToneControl::Contrast ? settings_.contrast
                                                        : settings_.intensity;
        value = v;
        result.sliderPosition = v;
    }
    result.refusal = Preview();
    return result;
}

std::string ToneCurveDialogModel::OnSliderMoved(ToneControl control, int position) {
    position = std::clamp(position, kToneSliderMin, kToneSliderMax);
    if (control != ToneControl::Gamma) return FormatDialogInt(position);
    gammaPosition_ = position;
    return FormatDialogFixed2(GammaForSliderPosition(position));
}

void ToneCurveDialogModel::GetFromBar() {
    if (!bar_) return;
    const int l = bar_->GetSlotIndex(kSlotLeft), r = bar_->GetSlotIndex(kSlotRight);
    first_.Set(std::min(l, r));
    last_.Set(std::max(l, r));
}

int ToneCurveDialogModel::SliderPosition(ToneControl control) const {
    switch (control) {
        case ToneControl::Brightness:
            return settings_.brightness;
        case ToneControl::Contrast:
            return settings_.contrast;
        case ToneControl::Intensity:
            return settings_.intensity;
        case ToneControl::Gamma:
            return gammaPosition_;
    }
    return 0;
}

std::string ToneCurveDialogModel::EditText(ToneControl control) const {
    return control == ToneControl::Gamma ? FormatDialogFixed2(settings_.gamma)
                                         : FormatDialogInt(SliderPosition(control));
}

}  // namespace vorlin
