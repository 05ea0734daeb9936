#include "app/bank_dialog.h"

#include <charconv>

#include "app/dialog_text.h"
#include "palette/bank_command.h"

namespace vorlin {
namespace {

constexpr std::size_t kListedTiles = 8;

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

bool ParseIndex(std::string_view text, int& index) {
    text = Trimmed(text);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), index);
    return error == std::errc() && end == text.data() + text.size() && index >= 0 && index <= 255;
}

std::string Plural(int n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

// "2 tiles need more than 15 colours: (8,16), (40,0)" for the misfits of one kind.
std::string MisfitList(const BankArrangement& result, bool fixedApart) {
    std::string places;
    int count = 0;
    for (const TileMisfit& m : result.misfits) {
        if (m.fixedApart != fixedApart) continue;
        if (static_cast<std::size_t>(count++) < kListedTiles)
            places += (places.empty() ? "" : ", ") + ("(" + std::to_string(m.x) + "," +
                                                      std::to_string(m.y) + ")");
    }
    if (count == 0) return {};
    if (static_cast<std::size_t>(count) > kListedTiles) places += ", ...";
    const std::string what =
        fixedApart ? (count == 1 ? " holds" : " hold") + std::string(" fixed colours no one bank can take")
                   : (count == 1 ? " needs" : " need") + std::string(" more than ") +
                         std::to_string(result.capacity) + " colours";
    return "; " + Plural(count, "tile", "tiles") + what + ": " + places;
}

}  // namespace

bool ParseIndexList(std::string_view text, std::vector<int>& indices) {
    std::vector<int> parsed;
    while (!Trimmed(text).empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
        const std::size_t dash = item.find('-');
        int first = 0, last = 0;
        if (!ParseIndex(item.substr(0, dash), first)) return false;
        last = first;
        if (dash != std::string_view::npos && (!ParseIndex(item.substr(dash + 1), last) || last < first))
            return false;
        for (int i = first; i <= last; ++i) parsed.push_back(i);
        if (comma != std::string_view::npos && Trimmed(text).empty()) return false;
    }
    indices = std::move(parsed);
    return true;
}

bool IsBankTileSide(int side) {
    return side >= 8 && side <= kMaxBankTileSide && side % 8 == 0;
}

std::string BankOptionsFromValues(const BankDialogValues& values, BankOptions& options) {
    if (!IsBankTileSide(values.tileWidth) || !IsBankTileSide(values.tileHeight))
        return kBankTileSizeMessage;
    if (values.maxBanks < 1 || values.maxBanks > kBankCount)
        return RangeValidationMessage(1, kBankCount);
    BankOptions o;
    if (!ParseIndexList(values.fixedEntries, o.fixedIndices)) return kBankFixedListMessage;
    o.tileWidth = values.tileWidth;
    o.tileHeight = values.tileHeight;
    o.maxBanks = values.maxBanks;
    o.sharedZero = values.sharedZero;
    o.acceptPartial = values.acceptPartial;
    options = std::move(o);
    return {};
}

std::string BankResultLine(const BankArrangement& result) {
    switch (result.status) {
        case BankStatus::BadFixedIndex:
            return "Entry " + std::to_string(result.badIndex) +
                   " is its bank's transparent entry and cannot stay fixed; nothing changed";
        case BankStatus::TooManyBanks:
            return "The tiles need " + std::to_string(result.banksNeeded) + " banks, at most " +
                   Plural(result.bankLimit, "is", "are") +
                   " allowed" + MisfitList(result, false) + MisfitList(result, true) +
                   "; nothing changed";
        default:
            break;
    }
    std::string line = Plural(result.tiles, "tile", "tiles") + " in " +
                       Plural(result.banks, "bank", "banks");
    if (result.tilesOverLimit > 0)
        line += "; " + Plural(result.tilesOverLimit, "tile", "tiles") + " beyond the bank limit";
    line += MisfitList(result, false) + MisfitList(result, true);
    if (result.droppedColours > 0)
        line += "; " + Plural(result.droppedColours, "unused colour", "unused colours") +
                " no longer fit the palette";
    if (result.status == BankStatus::PaletteFull)
        line += "; the tiles that do not fit need more entries than the palette has";
    if (!ChangesPicture(result)) line += "; nothing changed";
    return line;
}

std::string ApplyBankDialog(CVorlinDoc& doc, const BankDialogValues& values) {
    BankOptions options;
    const std::string refusal = BankOptionsFromValues(values, options);
    if (!refusal.empty()) return refusal;
    return BankResultLine(ArrangePaletteBanks(doc, options));
}

}  // namespace vorlin
