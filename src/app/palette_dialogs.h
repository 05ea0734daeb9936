// The four modeless palette dialogs as plain models: their fields with ranges and
// initial values, "I" (take the bar's selections) and the apply button. The windows
// only show these fields and hand the typed texts back.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/dialog_text.h"
#include "palette/palette_sort.h"

namespace vorlin {

class CVorlinDoc;
class PaletteBarModel;

// Control ids shared by the dialog windows and their models.
enum PaletteDialogControl : int {
    IDC_PAL_EXIT = 2,
    IDC_PAL_FROM_BAR = 4,  // the "I" button
    IDC_PAL_FIRST = 1006,
    IDC_PAL_LAST = 1007,
    IDC_PAL_COUNT = 1008,
    IDC_PAL_SWAP_A = 1009,
    IDC_PAL_SWAP_B = 1010,
    IDC_PAL_HUE_ROTATE = 1011,
    IDC_PAL_ASCENDING = 1080,
    IDC_PAL_KEY_HUE = 1081,
    IDC_PAL_KEY_BRIGHTNESS = 1082,
    IDC_PAL_KEY_POPULATION = 1083,
    IDC_PAL_KEY_APPEARANCE = 1084,
    IDC_PAL_COPY_SOURCE = 2057,
    IDC_PAL_HUE_FROM = 2058,
    IDC_PAL_COPY_DEST = 2059,
    IDC_PAL_APPLY = 12321,
};

inline constexpr std::string_view kCantCreateSorter = "Can't create Sorter dialog";
inline constexpr std::string_view kCantCreateSwapper = "Can't create Swapper dialog";
inline constexpr std::string_view kCantCreateGradient = "Can't create Gradient dialog";
inline constexpr std::string_view kCantCreateCopy = "Can't create Copy dialog";

class PaletteDialogModel {
  public:
    PaletteDialogModel(CVorlinDoc* doc, const PaletteBarModel* bar) : doc_(doc), bar_(bar) {}
    virtual ~PaletteDialogModel() = default;

    virtual const char* Caption() const = 0;
    virtual const char* ApplyLabel() const = 0;
    virtual const char* CreateFailedMessage() const = 0;

    std::vector<DialogIntField>& Fields() { return fields_; }
    DialogIntField* Field(int id);
    const DialogIntField* Field(int id) const;
    bool SetFieldText(int id, std::string_view text);

    // The first use takes the bar's selections; a hidden dialog keeps its values.
    void Show();
    void Hide() { visible_ = false; }
    bool IsVisible() const { return visible_; }

    // Copies the bar's selections into the fields (nothing without a bar).
    virtual void GetFromBar() = 0;
    // Validates every field, then runs the operation. Empty on success, else the
    // refusal to show (the operation did not run).
    std::string Apply();
    // OK: apply, then hide when it ran.
    std::string Ok();

  protected:
    virtual void OnApply() = 0;
    int SlotIndex(int slot) const;
    // Puts the bar's Left and Right selections into two fields; nothing without a bar.
    void TakeLeftAndRight(int leftField, int rightField);
    int Value(int id) const { return Field(id)->Value(); }
    void Set(int id, int value) { Field(id)->Set(value); }

    CVorlinDoc* doc_;
    const PaletteBarModel* bar_;
    std::vector<DialogIntField> fields_;

  private:
    bool visible_ = false;
    bool shown_ = false;
};

class PaletteSorterModel final : public PaletteDialogModel {
  public:
    PaletteSorterModel(CVorlinDoc* doc, const PaletteBarModel* bar);
    const char* Caption() const override { return "Palette Sorter"; }
    const char* ApplyLabel() const override { return "&Sort"; }
    const char* CreateFailedMessage() const override { return kCantCreateSorter.data(); }
    void GetFromBar() override;

    bool ascending = false;
    PaletteSortKey key = PaletteSortKey::Hue;

  protected:
    void OnApply() override;
};

class PaletteSwapperModel final : public PaletteDialogModel {
  public:
    PaletteSwapperModel(CVorlinDoc* doc, const PaletteBarModel* bar);
    const char* Caption() const override { return "Palette-index swap"; }
    const char* ApplyLabel() const override { return "Swap"; }
    const char* CreateFailedMessage() const override { return kCantCreateSwapper.data(); }
    void GetFromBar() override;

  protected:
    void OnApply() override;
};

class PaletteGradientModel final : public PaletteDialogModel {
  public:
    PaletteGradientModel(CVorlinDoc* doc, const PaletteBarModel* bar);
    const char* Caption() const override { return "Gradient"; }
    const char* ApplyLabel() const override { return "&Apply"; }
    const char* CreateFailedMessage() const override { return kCantCreateGradient.data(); }
    void GetFromBar() override;

  protected:
    void OnApply() override;
};

class PaletteCopyModel final : public PaletteDialogModel {
  public:
    PaletteCopyModel(CVorlinDoc* doc, const PaletteBarModel* bar);
    const char* Caption() const override { return "Palette copy (experimental)"; }
    const char* ApplyLabel() const override { return "Copy"; }
    const char* CreateFailedMessage() const override { return kCantCreateCopy.data(); }
    void GetFromBar() override;
    // "Use hue from" is enabled only while hue rotate is on.
    bool HueSourceEnabled() const { return hueRotate; }

    bool hueRotate = false;

  protected:
    void OnApply() override;
};

}  // namespace vorlin
