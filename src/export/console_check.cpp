#include "export/console_check.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <cstring>

#include "export/export_stats.h"
#include "export/export_warnings.h"
#include "export/tile_arrangement.h"
#include "export/tile_ops.h"

namespace vorlin {

namespace {

// The tile whose top-left pixel is (x, y); pixels beyond the picture are 0, as
// the export reads them.
void ReadTile(const PictureRows& picture, int x, int y, std::uint8_t* out) {
    const int width = picture.width, height = picture.height;
    for (int i = 0; i < kTileSide; ++i) {
        std::uint8_t* row = out + i * kTileSide;
        if (y + i >= height || x >= width) {
            std::memset(row, 0, kTileSide);
            continue;
        }
        const std::uint8_t* source = picture.Row(y + i) + x;
        const int inside = std::min(kTileSide, width - x);
        std::memcpy(row, source, static_cast<std::size_t>(inside));
        std::memset(row + inside, 0, static_cast<std::size_t>(kTileSide - inside));
    }
}

using ColourSet = std::array<std::uint64_t, 4>;

ColourSet ColoursOf(const std::uint8_t* tile) {
    ColourSet set{};
    for (int p = 0; p < kTileBytes; ++p) set[tile[p] >> 6] |= 1ull << (tile[p] & 63);
    return set;
}

std::vector<int> Colours(const ColourSet& set, bool (*wanted)(int, const CheckRules&),
                         const CheckRules& rules) {
    std::vector<int> colours;
    for (int c = 0; c < kPaletteEntries; ++c)
        if ((set[static_cast<std::size_t>(c >> 6)] >> (c & 63) & 1) && wanted(c, rules))
            colours.push_back(c);
    return colours;
}

bool OutsidePalette(int colour, const CheckRules& rules) {
    return colour < rules.palStart || colour >= rules.palEnd;
}

bool BankColourZero(int colour, const CheckRules&) {
    return colour != 0 && (colour & kBankMask) == 0;
}

std::uint16_t BanksOf(const std::uint8_t* tile) {
    std::uint16_t banks = 0;
    for (int p = 0; p < kTileBytes; ++p)
        if (tile[p] & kBankMask) banks |= static_cast<std::uint16_t>(1u << (tile[p] >> 4));
    return banks;
}

std::uint8_t MarksOf(const std::uint8_t* tile, std::uint16_t banks, const CheckRules& rules) {
    std::uint8_t marks = 0;
    if (rules.fourBpp && std::popcount(banks) > 1) marks |= kMarkMixedBanks;
    if (!rules.exportsPalette && !rules.fourBpp) return marks;
    const ColourSet set = ColoursOf(tile);
    if (rules.exportsPalette && !Colours(set, OutsidePalette, rules).empty())
        marks |= kMarkOutsidePalette;
    if (rules.fourBpp && !Colours(set, BankColourZero, rules).empty())
        marks |= kMarkBankColourZero;
    return marks;
}

std::size_t PastAt(const CheckRules& rules) {
    return std::min(rules.wrapAt, rules.vramAt);
}

std::string Kilobytes(double bytes, bool whole) {
    char text[32];
    const double kb = bytes / 1024.0;
    if (whole && kb == static_cast<double>(static_cast<std::uint64_t>(kb)))
        std::snprintf(text, sizeof text, "%.0f", kb);
    else
        std::snprintf(text, sizeof text, "%.1f", kb);
    return text;
}

// Export-order number of every area cell: the export's own tile order.
std::vector<std::uint32_t> CellOrder(const ExportJob& job, int across, int down) {
    const std::size_t cells = static_cast<std::size_t>(across) * static_cast<std::size_t>(down);
    std::vector<std::uint32_t> order(cells);
    for (std::size_t c = 0; c < cells; ++c) order[c] = static_cast<std::uint32_t>(c);
    if (job.imgFlags & IMG_BITMAP) return order;
    const std::vector<TileSpot> spots = TileSpots(job);
    if (spots.size() != cells) return order;
    for (std::size_t n = 0; n < spots.size(); ++n) {
        const std::size_t cell = static_cast<std::size_t>(spots[n].y / kTileSide) * across +
                                 static_cast<std::size_t>(spots[n].x / kTileSide);
        if (cell < cells) order[cell] = static_cast<std::uint32_t>(n);
    }
    return order;
}

void PlaceInVram(CheckRules& rules, VramPlacement placement, const ExportJob& job) {
    if (rules.bitmap) {
        rules.vramAvailable = kBitmapVramBytes;
        return;
    }
    const std::uint32_t base = static_cast<std::uint32_t>(placement.charBlock) * kCharBlockBytes;
    const std::uint32_t start = base + GraphicsLoadOffset(job, rules.reading);
    const std::uint32_t slot = static_cast<std::uint32_t>(rules.reading.slotBytes);
    rules.vramAt = start < kBgVramBytes ? (kBgVramBytes - start) / slot : 0;
    const std::uint32_t window = static_cast<std::uint32_t>(rules.reading.slotCount) * slot;
    rules.vramAvailable = rules.mapped ? std::min(window, kBgVramBytes - base) : kBgVramBytes - base;
}

}  // namespace

PictureRows RowsOf(PackedDib picture) {
    PictureRows rows;
    if (!picture || DibBitCount(picture) != 8) return rows;
    rows.width = DibWidth(picture);
    rows.height = DibHeight(picture);
    rows.top = DibPictureRow(picture, 0);
    if (rows.height > 1) rows.stride = DibPictureRow(picture, 1) - rows.top;
    return rows;
}

PictureRows RowsOf(const IndexSurface& surface) {
    return {surface.Row(0), static_cast<std::ptrdiff_t>(surface.stride), surface.width,
            surface.height};
}

CheckRules CheckRulesOf(const ExportJob& job, VramPlacement placement) {
    CheckRules r;
    r.bitmap = (job.imgFlags & IMG_BITMAP) != 0;
    r.mapped = !r.bitmap && ExportsMap(job);
    r.reading = TileReadingOf(job);
    r.reduce = r.mapped && (job.mapFlags & MAP_REDUCE);
    r.flips = r.reduce && (job.mapFlags & MAP_FLIP);
    // 8-bpp tiles keep their whole indices whatever the bank option says.
    r.keyMask = (job.mapFlags & MAP_PALBANK) && r.reading.bpp == 4 ? kBankMask : 0xFF;
    r.fourBpp = !r.bitmap && job.bpp == 4 && !r.reading.affine;
    r.exportsPalette = ExportsPalette(job);
    r.palStart = job.palStart;
    r.palEnd = job.palEnd;
    r.exportBpp = job.bpp;
    r.tileOffset = job.tileOffset;
    r.left = job.left;
    r.top = job.top;
    r.across = std::max(0, (job.right - job.left + kTileSide - 1) / kTileSide);
    r.down = std::max(0, (job.bottom - job.top + kTileSide - 1) / kTileSide);
    if (r.mapped) r.wrapAt = FirstWrappedTile(job, r.reading);
    PlaceInVram(r, placement, job);
    r.cellOrder = CellOrder(job, r.across, r.down);
    return r;
}

std::string CheckFiguresText(const CheckFigures& f, const CheckRules& rules) {
    const std::string memory =
        Kilobytes(static_cast<double>(f.vramBytes), false) + " of " +
        Kilobytes(static_cast<double>(f.vramAvailable), true) + " KB";
    if (rules.bitmap) return "bitmap · " + memory;
    std::string text = "tiles " + std::to_string(f.graphicsTiles);
    if (f.tileLimit > 0) text += "/" + std::to_string(f.tileLimit);
    if (rules.fourBpp) text += " · banks " + std::to_string(f.banks);
    return text + " · " + memory;
}

void ConsoleCheck::Reset(CheckRules rules, const PictureRows& picture) {
    rules_ = std::move(rules);
    const std::size_t count = rules_.cellOrder.size();
    cells_.assign(count, Cell{});
    orderToCell_.assign(count, 0);
    for (std::size_t c = 0; c < count; ++c) orderToCell_[rules_.cellOrder[c]] = static_cast<std::uint32_t>(c);
    keys_.clear();
    keys_.reserve(rules_.reduce ? count + 1 : 0);
    std::fill(std::begin(bankTiles_), std::end(bankTiles_), 0u);
    broken_ = 0;
    ranked_ = false;
    std::vector<std::size_t> changed;
    for (std::size_t c = 0; c < count; ++c) Examine(picture, c, changed);
    if (rules_.reduce) RankKeys(changed);
    Refigure();
}

std::vector<std::size_t> ConsoleCheck::Update(const PictureRows& picture, int x0, int y0, int x1, int y1) {
    std::vector<std::size_t> changed;
    const int c0 = std::max(0, (x0 - rules_.left) / kTileSide);
    const int r0 = std::max(0, (y0 - rules_.top) / kTileSide);
    const int c1 = std::min(rules_.across, (x1 - rules_.left + kTileSide - 1) / kTileSide);
    const int r1 = std::min(rules_.down, (y1 - rules_.top + kTileSide - 1) / kTileSide);
    for (int row = r0; row < r1; ++row)
        for (int column = c0; column < c1; ++column)
            Examine(picture, static_cast<std::size_t>(row) * rules_.across + column, changed);
    if (rules_.reduce) RankKeys(changed);
    Refigure();
    return changed;
}

void ConsoleCheck::SetMark(std::size_t cell, std::uint8_t mark, bool on,
                           std::vector<std::size_t>& changed) {
    Cell& c = cells_[cell];
    const auto marks = static_cast<std::uint8_t>(on ? c.marks | mark : c.marks & ~mark);
    if (marks == c.marks) return;
    broken_ = broken_ + (marks != 0) - (c.marks != 0);
    c.marks = marks;
    changed.push_back(cell);
}

void ConsoleCheck::Release(Cell& cell) {
    for (int b = 0; b < 16; ++b) bankTiles_[b] -= (cell.banks >> b) & 1u;
    if (cell.key && --cell.key->second.count == 0) {
        const TileKey unused = cell.key->first;
        keys_.erase(unused);
    }
    cell.key = nullptr;
}

void ConsoleCheck::Examine(const PictureRows& picture, std::size_t cell, std::vector<std::size_t>& changed) {
    const int column = static_cast<int>(cell % rules_.across);
    const int row = static_cast<int>(cell / rules_.across);
    std::uint8_t tile[kTileBytes];
    ReadTile(picture, rules_.left + column * kTileSide, rules_.top + row * kTileSide, tile);
    Cell& c = cells_[cell];
    Release(c);
    c.banks = rules_.bitmap ? 0 : BanksOf(tile);
    for (int b = 0; b < 16; ++b) bankTiles_[b] += (c.banks >> b) & 1u;
    if (rules_.reduce) {
        TileKey key = MaskedRows(tile, rules_.keyMask);
        if (rules_.flips) key = FlipClassKey(key);
        auto found = keys_.try_emplace(key).first;
        ++found->second.count;
        c.key = &*found;
    }
    const std::uint8_t rest = MarksOf(tile, c.banks, rules_);
    const std::uint8_t past = rules_.reduce ? c.marks & kMarkPastLimit
                              : rules_.cellOrder[cell] >= PastAt(rules_) ? kMarkPastLimit : 0;
    const auto marks = static_cast<std::uint8_t>(rest | past);
    if (marks != c.marks) {
        broken_ = broken_ + (marks != 0) - (c.marks != 0);
        c.marks = marks;
        changed.push_back(cell);
    }
}

// Numbers the distinct tiles in the order the export meets them, as its
// reduction does (the blank tile is always tile 0), and marks those past the
// limit. Runs only while some tile is or was past it: the count alone says when.
void ConsoleCheck::RankKeys(std::vector<std::size_t>& changed) {
    const std::size_t pastAt = PastAt(rules_);
    const std::size_t graphics = keys_.size() + (keys_.contains(TileKey{}) ? 0 : 1);
    const bool past = graphics > pastAt;
    if (!past && !ranked_) return;
    ranked_ = past;
    ++stamp_;
    std::uint32_t next = 1;
    for (const std::uint32_t cell : orderToCell_) {
        KeyUse& use = cells_[cell].key->second;
        if (use.stamp != stamp_) {
            use.stamp = stamp_;
            use.rank = cells_[cell].key->first == TileKey{} ? 0 : next++;
        }
        SetMark(cell, kMarkPastLimit, past && use.rank >= pastAt, changed);
    }
}

void ConsoleCheck::Refigure() {
    CheckFigures& f = figures_;
    const std::size_t cells = cells_.size();
    if (rules_.bitmap) {
        f.graphicsTiles = 0;
        f.vramBytes = static_cast<std::uint64_t>(rules_.across) * rules_.down * kTileBytes *
                      rules_.exportBpp / 8;
    } else {
        f.graphicsTiles = static_cast<int>(
            rules_.reduce ? keys_.size() + (keys_.contains(TileKey{}) ? 0 : 1) : cells);
        f.vramBytes = static_cast<std::uint64_t>(f.graphicsTiles) * rules_.reading.slotBytes;
    }
    f.tileLimit = rules_.mapped ? rules_.reading.slotCount : 0;
    f.banks = 0;
    for (const std::uint32_t n : bankTiles_) f.banks += n > 0;
    f.vramAvailable = rules_.vramAvailable;
    f.brokenTiles = static_cast<int>(broken_);
    f.limitPassed = f.vramBytes > f.vramAvailable ||
                    (!rules_.bitmap && static_cast<std::size_t>(f.graphicsTiles) > PastAt(rules_));
}

std::uint8_t ConsoleCheck::MarksAt(int column, int row) const {
    if (column < 0 || row < 0 || column >= rules_.across || row >= rules_.down) return 0;
    return cells_[static_cast<std::size_t>(row) * rules_.across + column].marks;
}

std::size_t ConsoleCheck::GraphicsTileOf(std::size_t cell) const {
    return rules_.reduce ? cells_[cell].key->second.rank : rules_.cellOrder[cell];
}

std::vector<std::string> ConsoleCheck::ProblemsAt(const PictureRows& picture, int x, int y) const {
    std::vector<std::string> problems;
    if (x < rules_.left || y < rules_.top) return problems;
    const int column = (x - rules_.left) / kTileSide, row = (y - rules_.top) / kTileSide;
    const std::uint8_t marks = MarksAt(column, row);
    if (!marks) return problems;
    const std::size_t cell = static_cast<std::size_t>(row) * rules_.across + column;
    std::uint8_t tile[kTileBytes];
    ReadTile(picture, rules_.left + column * kTileSide, rules_.top + row * kTileSide, tile);
    const ColourSet colours = ColoursOf(tile);
    if (marks & kMarkMixedBanks)
        problems.push_back(MixedBanksText(cells_[cell].banks, TileBank(tile) >> 12));
    if (marks & kMarkPastLimit)
        problems.push_back(GraphicsTileOf(cell) >= rules_.wrapAt
                               ? IndexLimitText({rules_.reading.affine, rules_.tileOffset,
                                                 figures_.graphicsTiles,
                                                 rules_.reading.slotCount,
                                                 rules_.wrapAt ==
                                                     static_cast<std::size_t>(
                                                         rules_.reading.slotCount)})
                               : std::string(kTilesPastVramText));
    if (marks & kMarkOutsidePalette)
        problems.push_back(PaletteRangeText(Colours(colours, OutsidePalette, rules_),
                                            rules_.palStart, rules_.palEnd));
    if (marks & kMarkBankColourZero)
        problems.push_back(BankColourZeroText(Colours(colours, BankColourZero, rules_)));
    return problems;
}

std::vector<BrokenTile> ConsoleCheck::BrokenTiles(const PictureRows& picture) const {
    std::vector<BrokenTile> tiles;
    for (int row = 0; row < rules_.down; ++row)
        for (int column = 0; column < rules_.across; ++column) {
            if (!MarksAt(column, row)) continue;
            const int x = rules_.left + column * kTileSide, y = rules_.top + row * kTileSide;
            tiles.push_back({x, y, ProblemsAt(picture, x, y)});
        }
    return tiles;
}

}  // namespace vorlin
