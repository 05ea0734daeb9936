// Everything the palette bar knows and decides: its palette copy, the Left, Mid and
// Right selections, the active slot, the 16-colour bank, the bits per channel and the
// channel edits. The widget only draws this state and forwards input to it.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "app/palette_bar_geometry.h"

namespace vorlin {

// The bar's sixteen-colour mode, bank and selections: what a bank change alters and what
// undoing the move it causes puts back.
struct PaletteBarBankState {
    bool sixteen = false;
    int bank = -1;
    std::array<int, 4> indices{};  // Left, Mid, Right at [1] … [3]
    int active = 0;
};

// What the bar reports to its owner (the document, through the application).
class PaletteBarListener {
  public:
    virtual ~PaletteBarListener() = default;
    // The active entry's colour was edited in the bar.
    virtual void OnActiveColorEdited(int index, ColorRef color) = 0;
    // Asked before a 16-colour bank is picked; false leaves the bar as it was before the
    // click (mode, bank, selections).
    virtual bool MayChangeBank(int /*bank*/) { return true; }
    // A 16-colour bank was picked with sixteen-colour mode on; `before` is the bar's state
    // before the click.
    virtual void OnBankSelected(int bank, const PaletteBarBankState& before) = 0;
};

struct ChannelEditResult {
    bool rewritten = false;  // the text was out of range and must be replaced by `text`
    std::string text;
    int sliderPosition = 0;
};

inline constexpr int kChannelRed = 0;
inline constexpr int kChannelGreen = 1;
inline constexpr int kChannelBlue = 2;

class PaletteBarModel {
  public:
    static constexpr int kDefaultBitsPerChannel = 5;

    PaletteBarModel();

    void SetListener(PaletteBarListener* listener) { listener_ = listener; }
    // Called after every change of what the bar shows.
    void SetChangedHandler(std::function<void()> handler) { changed_ = std::move(handler); }

    // --- queries ---
    int GetSlotIndex(int slot) const;  // 1 … 3; 0: the active slot's index
    int ActiveSlot() const { return active_; }
    int Bank() const { return bank_; }  // −1: none
    bool SixteenMode() const { return sixteen_; }
    int BitsPerChannel() const { return 8 - shift_; }
    int Shift() const { return shift_; }
    int ChannelMax() const { return maximum_; }
    ColorRef Color(int index) const { return palette_[static_cast<std::size_t>(index & 0xFF)]; }
    const std::array<ColorRef, 256>& Palette() const { return palette_; }
    // The active colour's channel at the bar's depth, and the matching slider position.
    int ChannelValue(int channel) const;
    int SliderPosition(int channel) const { return maximum_ - ChannelValue(channel); }
    std::string ChannelText(int channel) const;
    const std::string& IndexText() const { return indexText_; }
    const std::string& ColorText() const { return colorText_; }
    // Frames are drawn Right, Mid, Left, then the active one again on top.
    std::array<int, 4> FrameDrawOrder() const { return {kSlotRight, kSlotMid, kSlotLeft, active_}; }

    // --- operations ---
    // 256 colours, or null for the built-in default palette.
    void SetPalette(const ColorRef* colors);
    int SetBitsPerChannel(int bits);  // returns the previous value
    void SetSixteenMode(bool on);
    void ToggleSixteenMode() { SetSixteenMode(!sixteen_); }
    void SelectBank(int bank);
    void Select(int slot, int value);
    PaletteBarBankState BankState() const { return {sixteen_, bank_, slots_, active_}; }
    // Puts back a saved state without telling the listener (undo of a bank move).
    void RestoreBankState(const PaletteBarBankState& state);

    // --- input from the widget ---
    ChannelEditResult OnChannelEdited(int channel, std::string_view text);
    // Returns the text the channel's edit gets; the widget feeds it back as an edit.
    std::string OnSliderMoved(int channel, int position) const;
    // slot: 1 left button, 2 middle, 3 right.
    void OnMousePress(int slot, int x, int y);
    void OnMouseMove(int x, int y);

  private:
    int ChannelByte(int channel) const;
    void StoreActiveChannel(int channel, int byte);
    // Moves the slots into `bank` once the listener agrees; otherwise restores `before`.
    void ChangeBank(int bank, const PaletteBarBankState& before);
    void Changed() const;

    std::array<ColorRef, 256> palette_{};
    std::array<int, 4> slots_{0, 1, 15, 0};  // [0] unused
    int active_ = kSlotLeft;
    int bank_ = -1;
    bool sixteen_ = false;
    int shift_ = 8 - kDefaultBitsPerChannel;
    int maximum_ = (1 << kDefaultBitsPerChannel) - 1;
    std::string indexText_ = "00h";
    std::string colorText_ = "r0, g0, b0";
    PaletteBarListener* listener_ = nullptr;
    std::function<void()> changed_;
};

}  // namespace vorlin
