// How a tile the console check marks looks: framed in magenta and, when the tile
// is large enough on screen, in black inside that with a square in the middle
// hatched by the rule it breaks, so the mark shows on any palette. Marks are
// gathered first and drawn with a few painter calls, since thousands of tiles
// can be on screen.
#pragma once

#include <QImage>
#include <QRect>
#include <array>
#include <cstdint>
#include <map>
#include <vector>

class QColor;
class QPainter;

namespace vorlin {

// The hatched squares, one image per rule and size: drawing a whole image is the
// painter's fast copy, a part of one or a patterned brush costs several times more.
class MarkHatches {
  public:
    static constexpr std::size_t kKinds = 4;
    const QImage& Of(std::size_t kind, int side);

  private:
    std::map<int, std::array<QImage, kKinds>> bySide_;
};

class MarkPieces {
  public:
    // The mark of a tile occupying `tile` on screen; marks are a ConsoleCheck mark set.
    void Add(const QRect& tile, std::uint8_t marks);
    bool Empty() const { return magenta_.tops.empty(); }
    void Paint(QPainter& painter, MarkHatches& hatches) const;

  private:
    struct Square {
        QPoint at;
        int side;
        std::size_t kind;
    };
    // One-pixel rings `inset` inside tiles, each line running the tile's full length
    // and joined with the lines of marked neighbours in the same row of tiles.
    struct Ring {
        std::vector<QRect> tops, bottoms, down;
        void Add(const QRect& outer, int inset);
        void Paint(QPainter& painter, const QColor& colour) const;
    };
    Ring magenta_;
    Ring black_;
    std::vector<Square> squares_;
};

}  // namespace vorlin
