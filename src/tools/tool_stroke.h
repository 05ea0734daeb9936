// The one stroke state every tool shares, and the pointer flags it records.
#pragma once

#include <cstdint>

#include "core/index_surface.h"

namespace vorlin {

inline constexpr std::uint32_t kPointerLeft = 0x01;
inline constexpr std::uint32_t kPointerRight = 0x02;
inline constexpr std::uint32_t kPointerShift = 0x04;
inline constexpr std::uint32_t kPointerCtrl = 0x08;
inline constexpr std::uint32_t kPointerMiddle = 0x10;
inline constexpr std::uint32_t kPointerButtons = kPointerLeft | kPointerRight | kPointerMiddle;

// Palette-bar slots by mouse button.
inline constexpr int kSlotLeft = 1;
inline constexpr int kSlotMid = 2;
inline constexpr int kSlotRight = 3;

struct ToolStroke {
    IPoint anchor;              // where the stroke started
    IRect shapeRect;            // what the stroke's shape covers; empty without a stroke
    IPoint current;             // last pointer position, also tracked between strokes
    IRect dirtyRect;            // what the stroke has changed so far
    std::uint32_t buttons = 0;  // flags captured at the press; 0 without a stroke

    bool Active() const { return (buttons & kPointerButtons) != 0; }
};

// Right alone picks the Right slot, middle alone the Mid slot, anything else the Left slot.
inline int ButtonSlot(std::uint32_t flags) {
    const std::uint32_t pressed = flags & kPointerButtons;
    if (pressed == kPointerRight) return kSlotRight;
    if (pressed == kPointerMiddle) return kSlotMid;
    return kSlotLeft;
}

}  // namespace vorlin
