// A test picture every GBA mode can show as it is: tiles of five asymmetric
// patterns, flipped and put in palette banks 1-3 from tile to tile; pattern
// nibble 0 is index 0, so every mode shows it as the backdrop colour.
#pragma once

namespace vorlin::testing {

inline int BankedTileIndex(int x, int y) {
    const int tx = x / 8, ty = y / 8;
    const int pattern = (tx * 7 + ty * 3) % 5, flip = (tx + 2 * ty) % 4, bank = (tx ^ ty) % 3 + 1;
    const int px = (flip & 1) ? 7 - x % 8 : x % 8, py = (flip & 2) ? 7 - y % 8 : y % 8;
    const int nibble = (px * (pattern + 1) + py * (pattern + 2) * 3 + pattern) % 16;
    return nibble == 0 ? 0 : bank * 16 + nibble;
}

}  // namespace vorlin::testing
