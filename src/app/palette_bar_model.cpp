#include "app/palette_bar_model.h"

#include <algorithm>
#include <cstdio>

#include "document/color_ref.h"
#include "document/index_image.h"
#include "app/dialog_text.h"

namespace vorlin {
namespace {

constexpr int kMinBits = 4;
constexpr int kMaxBits = 8;

bool IsButtonSlot(int slot) {
    return slot >= kSlotLeft && slot <= kSlotRight;
}
bool IsIndex(int value) {
    return value >= 0 && value <= 255;
}
bool IsChannel(int channel) {
    return channel >= kChannelRed && channel <= kChannelBlue;
}

int ByteOf(ColorRef c, int channel) {
    return static_cast<int>((c >> (8 * channel)) & 0xFF);
}

ColorRef WithByte(ColorRef c, int channel, int byte) {
    const int shift = 8 * channel;
    return (c & ~(ColorRef{0xFF} << shift)) | (static_cast<ColorRef>(byte & 0xFF) << shift);
}

}  // namespace

PaletteBarModel::PaletteBarModel() = default;

int PaletteBarModel::GetSlotIndex(int slot) const {
    if (slot == kSlotActive) slot = active_;
    return IsButtonSlot(slot) ? slots_[static_cast<std::size_t>(slot)] : 0;
}

int PaletteBarModel::ChannelByte(int channel) const {
    return ByteOf(Color(GetSlotIndex(kSlotActive)), channel);
}

int PaletteBarModel::ChannelValue(int channel) const {
    return IsChannel(channel) ? (ChannelByte(channel) >> shift_) & maximum_ : 0;
}

std::string PaletteBarModel::ChannelText(int channel) const {
    return FormatDialogInt(ChannelValue(channel));
}

void PaletteBarModel::Changed() const {
    if (changed_) changed_();
}

void PaletteBarModel::SetPalette(const ColorRef* colors) {
    if (colors) {
        std::copy(colors, colors + 256, palette_.begin());
    } else {
        const Palette256& def = DefaultPalette();
        std::transform(def.begin(), def.end(), palette_.begin(),
                       [](const RgbQuad& q) { return ToColorRef(q); });
    }
    Changed();
}

void PaletteBarModel::StoreActiveChannel(int channel, int byte) {
    auto& entry = palette_[static_cast<std::size_t>(GetSlotIndex(kSlotActive))];
    entry = WithByte(entry, channel, byte);
}

int PaletteBarModel::SetBitsPerChannel(int bits) {
    const int previous = BitsPerChannel();
    bits = std::clamp(bits, kMinBits, kMaxBits);
    if (bits == previous) return previous;
    maximum_ = (1 << bits) - 1;
    shift_ = 8 - bits;
    // Re-store the active colour at the new depth so the document keeps exactly
    // what the bar can show and edit.
    const int index = GetSlotIndex(kSlotActive);
    const ColorRef old = Color(index);
    for (int ch = kChannelRed; ch <= kChannelBlue; ++ch)
        StoreActiveChannel(ch, (ByteOf(old, ch) >> shift_) * 255 / maximum_);
    if (Color(index) != old && listener_) listener_->OnActiveColorEdited(index, Color(index));
    Changed();
    return previous;
}

void PaletteBarModel::SetSixteenMode(bool on) {
    if (on == sixteen_) return;
    const PaletteBarBankState before = BankState();
    sixteen_ = on;
    if (on) {
        ChangeBank(GetSlotIndex(kSlotActive) / 16, before);
    } else {
        bank_ = -1;
        Changed();
    }
}

void PaletteBarModel::SelectBank(int bank) {
    if (bank == bank_ || !sixteen_ || bank < 0 || bank > 15) return;
    ChangeBank(bank, BankState());
}

void PaletteBarModel::ChangeBank(int bank, const PaletteBarBankState& before) {
    if (listener_ && !listener_->MayChangeBank(bank)) return RestoreBankState(before);
    bank_ = bank;
    for (int slot = kSlotLeft; slot <= kSlotRight; ++slot) {
        int& index = slots_[static_cast<std::size_t>(slot)];
        index = 16 * bank + index % 16;
    }
    Changed();
    if (listener_) listener_->OnBankSelected(bank, before);
}

void PaletteBarModel::RestoreBankState(const PaletteBarBankState& state) {
    sixteen_ = state.sixteen;
    bank_ = state.sixteen ? std::clamp(state.bank, 0, 15) : -1;
    for (int slot = kSlotLeft; slot <= kSlotRight; ++slot)
        slots_[static_cast<std::size_t>(slot)] =
            state.indices[static_cast<std::size_t>(slot)] & 0xFF;
    active_ = IsButtonSlot(state.active) ? state.active : kSlotLeft;
    Changed();
}

void PaletteBarModel::Select(int slot, int value) {
    if (slot == kSlotBank) return SelectBank(value);
    if (slot == kSlotActive) {
        if (!IsButtonSlot(value)) return;
        active_ = value;
        return Changed();
    }
    if (!IsButtonSlot(slot) || !IsIndex(value)) return;
    if (active_ == slot && GetSlotIndex(slot) == value) return;
    const PaletteBarBankState before = BankState();
    active_ = slot;
    slots_[static_cast<std::size_t>(slot)] = value;
    if (sixteen_ && value / 16 != bank_) return ChangeBank(value / 16, before);
    Changed();
}

ChannelEditResult PaletteBarModel::OnChannelEdited(int channel, std::string_view text) {
    ChannelEditResult result;
    if (!IsChannel(channel)) return result;
    const int typed = ParseDialogInt(text);
    const int v = std::clamp(typed, 0, maximum_);
    if (v != typed) {
        result.rewritten = true;
        result.text = FormatDialogInt(v);
    }
    result.sliderPosition = maximum_ - v;
    if (v != ChannelByte(channel) >> shift_) {
        StoreActiveChannel(channel, v * 255 / maximum_);
        const int index = GetSlotIndex(kSlotActive);
        if (listener_) listener_->OnActiveColorEdited(index, Color(index));
        Changed();
    }
    return result;
}

std::string PaletteBarModel::OnSliderMoved(int /*channel*/, int position) const {
    return FormatDialogInt(maximum_ - std::clamp(position, 0, maximum_));
}

void PaletteBarModel::OnMousePress(int slot, int x, int y) {
    if (!IsButtonSlot(slot)) return;
    const PaletteBarHit hit = HitTestPaletteBar(x, y);
    switch (hit.kind) {
        case PaletteBarHit::Swatch:
            return Select(slot, hit.value);
        case PaletteBarHit::Bank:
            return SelectBank(hit.value);
        case PaletteBarHit::Indicator:
            return Select(kSlotActive, hit.value);
        case PaletteBarHit::None:
            return;
    }
}

void PaletteBarModel::OnMouseMove(int x, int y) {
    const PaletteBarHit hit = HitTestPaletteBar(x, y);
    if (hit.kind == PaletteBarHit::Swatch) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%02xh", hit.value);
        indexText_ = buf;
        const ColorRef c = Color(hit.value);
        std::snprintf(buf, sizeof buf, "r%d, g%d, b%d", (ByteOf(c, 0) >> shift_) & maximum_,
                      (ByteOf(c, 1) >> shift_) & maximum_, (ByteOf(c, 2) >> shift_) & maximum_);
        colorText_ = buf;
    } else if (hit.kind == PaletteBarHit::Bank && sixteen_) {
        colorText_ = "Palette " + std::to_string(hit.value);
    } else {
        indexText_.clear();
        colorText_.clear();
    }
    Changed();
}

}  // namespace vorlin
