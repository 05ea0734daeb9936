// The "Adjust tone curve" dialog's values and rules: edits clamped and rewritten,
// sliders and edits kept in step, the palette previewed live from the copy saved at
// opening, and Cancel turned into an undo that leaves the adjustment as redo.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "document/index_image.h"
#include "app/dialog_text.h"
#include "palette/tone_curve.h"

namespace vorlin {

class CVorlinDoc;
class PaletteBarModel;

enum class ToneControl { Brightness, Contrast, Intensity, Gamma };

// Control ids of the dialog.
enum ToneCurveControl : int {
    IDC_TONE_BRIGHTNESS_SLIDER = 1090,
    IDC_TONE_CONTRAST_SLIDER = 1091,
    IDC_TONE_INTENSITY_SLIDER = 1092,
    IDC_TONE_GAMMA_SLIDER = 1093,
    IDC_TONE_BRIGHTNESS_EDIT = 1094,
    IDC_TONE_CONTRAST_EDIT = 1095,
    IDC_TONE_INTENSITY_EDIT = 1096,
    IDC_TONE_GAMMA_EDIT = 1097,
};

inline constexpr const char* kToneCurveCaption = "Adjust tone curve";
inline constexpr int kToneSliderMin = -100;
inline constexpr int kToneSliderMax = 100;
inline constexpr int kToneSliderTick = 20;
inline constexpr double kGammaMin = 0.1;
inline constexpr double kGammaMax = 10.0;

// gamma = 10^(p / 100) and back: trunc(100 · log10(g)) clamped to the slider range.
double GammaForSliderPosition(int position);
int SliderPositionForGamma(double gamma);

// Replaces the colour bytes of entries first … last (any order, clamped to the
// palette) by the tone curve; no undo state of its own. Refreshes bar and views,
// marks the document modified.
void AdjustPalette(CVorlinDoc& doc, int first, int last, const ToneSettings& settings);

struct ToneEditResult {
    bool rewritten = false;  // the text was out of range; the edit now shows `text`
    std::string text;
    int sliderPosition = 0;
    std::string refusal;  // set when the range fields are invalid (no preview ran)
};

class ToneCurveDialogModel {
  public:
    ToneCurveDialogModel();

    // Pushes the undo state of all 256 entries, saves the palette, resets the four
    // values (keeping the range) and previews the neutral curve. Returns the refusal
    // to show when the kept range is invalid (no preview ran).
    std::string Open(CVorlinDoc* doc, const PaletteBarModel* bar);
    // OK keeps the adjusted palette, unless the range is invalid: then the refusal is
    // returned and the dialog stays open. Anything else brings back the palette as opened.
    std::string Close(bool ok);

    // Writing a text into an edit box calls this, as does the slider through the text it gets.
    ToneEditResult OnEditChanged(ToneControl control, std::string_view text);
    // The text the matching edit gets when its slider moved to `position`.
    std::string OnSliderMoved(ToneControl control, int position);
    // first = lower, last = higher of the bar's Left and Right; no preview.
    void GetFromBar();

    DialogIntField& First() { return first_; }
    DialogIntField& Last() { return last_; }
    const ToneSettings& Settings() const { return settings_; }
    int SliderPosition(ToneControl control) const;
    std::string EditText(ToneControl control) const;

  private:
    // Empty when first and last are integers in 0 … 255, else the refusal to show.
    std::string RangeRefusal() const;
    std::string Preview();

    CVorlinDoc* doc_ = nullptr;
    const PaletteBarModel* bar_ = nullptr;
    const void* openRecord_ = nullptr;  // the undo state pushed at opening
    DialogIntField first_;
    DialogIntField last_;
    ToneSettings settings_;
    int gammaPosition_ = 0;
    Palette256 saved_{};
};

}  // namespace vorlin
