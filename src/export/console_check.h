// The console's rules checked tile by tile on the picture itself, kept up to
// date as pixels change: which tiles break a rule of the export settings, why,
// and the figures (distinct tiles, banks, video memory) against their limits.
// The editor's live check and `vorlin-cli check` share it.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/index_surface.h"
#include "core/packed_dib.h"
#include "export/export_job.h"
#include "export/tile_key.h"
#include "export/vram_layout.h"

namespace vorlin {

// The rows of an 8-bpp picture, wherever they are kept.
struct PictureRows {
    const std::uint8_t* top = nullptr;  // row 0
    std::ptrdiff_t stride = 0;
    int width = 0, height = 0;
    const std::uint8_t* Row(int y) const { return top + y * stride; }
};
PictureRows RowsOf(PackedDib picture);
PictureRows RowsOf(const IndexSurface& surface);

// One bit per rule a tile breaks.
enum CheckMark : std::uint8_t {
    kMarkMixedBanks = 1,      // a 4-bpp tile takes colours from more than one bank
    kMarkPastLimit = 2,       // its graphics tile cannot be named or does not fit
    kMarkOutsidePalette = 4,  // it uses colours the palette does not export
    kMarkBankColourZero = 8,  // it uses colour 0 of a bank other than 0 (transparent)
};

// What the settings of a validated export job ask of each tile.
struct CheckRules {
    bool bitmap = false;
    bool mapped = false;
    bool reduce = false;
    bool flips = false;
    std::uint8_t keyMask = 0xFF;  // the pixel bits reduction compares
    bool fourBpp = false;         // tiles read at 4 bpp (bank rules apply)
    bool exportsPalette = false;
    int palStart = 0, palEnd = 256;
    int left = 0, top = 0, across = 0, down = 0;  // the area, in tiles
    int exportBpp = 8;
    TileReading reading;
    int tileOffset = 0;
    std::size_t wrapAt = SIZE_MAX;   // first graphics tile whose index wraps
    std::size_t vramAt = SIZE_MAX;   // first graphics tile past 64 KiB
    std::uint32_t vramAvailable = 0;  // bytes the tiles may take
    std::vector<std::uint32_t> cellOrder;  // export-order number of every area cell
};

CheckRules CheckRulesOf(const ExportJob& job, VramPlacement placement);

struct CheckFigures {
    int graphicsTiles = 0;  // distinct tiles as the export keeps them (its blank tile 0 too)
    int tileLimit = 0;      // indices a map entry can name; 0 without a map
    int banks = 0;          // palette banks the 4-bpp tiles use
    std::uint64_t vramBytes = 0;
    std::uint32_t vramAvailable = 0;
    int brokenTiles = 0;
    bool limitPassed = false;  // too many tiles or too many bytes
};

// "tiles 812/1024 · banks 5 · 26.0 of 32 KB"
std::string CheckFiguresText(const CheckFigures& figures, const CheckRules& rules);

struct BrokenTile {
    int x = 0, y = 0;  // picture coordinates of its top-left pixel
    std::vector<std::string> problems;
};

class ConsoleCheck {
  public:
    // Examines every tile of `picture` (8 bpp) under `rules`.
    void Reset(CheckRules rules, const PictureRows& picture);
    // Examines again the tiles that meet the picture rectangle [x0, x1) x [y0, y1)
    // and returns the area cells (row * across + column) whose marks changed.
    std::vector<std::size_t> Update(const PictureRows& picture, int x0, int y0, int x1, int y1);

    const CheckRules& Rules() const { return rules_; }
    const CheckFigures& Figures() const { return figures_; }
    // Marks of the tile at area cell (column, row); 0 outside the area.
    std::uint8_t MarksAt(int column, int row) const;
    // What is wrong with the tile holding picture pixel (x, y), in the export
    // warnings' words; empty when nothing is.
    std::vector<std::string> ProblemsAt(const PictureRows& picture, int x, int y) const;
    // Every broken tile, row by row.
    std::vector<BrokenTile> BrokenTiles(const PictureRows& picture) const;

  private:
    struct KeyUse {
        std::uint32_t count = 0;
        std::uint32_t stamp = 0;
        std::uint32_t rank = 0;  // graphics tile number after the last ranking
    };
    using KeyMap = std::unordered_map<TileKey, KeyUse, TileKeyHash>;
    struct Cell {
        std::uint16_t banks = 0;  // bit b: a pixel of bank b with a non-zero low nibble
        std::uint8_t marks = 0;
        KeyMap::value_type* key = nullptr;
    };

    void Examine(const PictureRows& picture, std::size_t cell, std::vector<std::size_t>& changed);
    void Release(Cell& cell);
    void RankKeys(std::vector<std::size_t>& changed);
    void SetMark(std::size_t cell, std::uint8_t mark, bool on, std::vector<std::size_t>& changed);
    void Refigure();
    std::size_t GraphicsTileOf(std::size_t cell) const;

    CheckRules rules_;
    std::vector<Cell> cells_;
    std::vector<std::uint32_t> orderToCell_;
    KeyMap keys_;
    std::uint32_t stamp_ = 0;
    std::uint32_t bankTiles_[16] = {};
    std::size_t broken_ = 0;
    bool ranked_ = false;  // some tile was past the limit at the last ranking
    CheckFigures figures_;
};

}  // namespace vorlin
