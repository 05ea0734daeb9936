#include <cstdio>

#include "cli/cli_commands.h"
#include "cli/cli_common.h"

namespace vorlin::cli {

const char kMainHelp[] =
    "usage: vorlin-cli COMMAND [ARGS]\n"
    "\n"
    "Commands (each has --help):\n"
    "  export INPUT -o OUTPUT [options]   GBA export of a picture (.c, .s, .bin, .gbfs)\n"
    "  convert INPUT OUTPUT [options]     open and save in another format or depth\n"
    "  info INPUT                         size, depth, colours and unique tiles\n"
    "  reduce INPUT OUTPUT [options]      reduce the picture to its unique 8x8 tiles\n"
    "  compress lz77|huff|rle IN OUT      compress a raw file as a BIOS stream (--best)\n"
    "  decompress IN OUT                  decompress a BIOS stream\n"
    "  banks INPUT OUTPUT [options]       arrange the palette in 16-colour banks\n"
    "  check PICTURE [export options]     tiles that break the console's rules\n"
    "  import -o OUTPUT --tiles FILE ...  turn GBA tiles, map and palette into a picture\n"
    "  palette INPUT OUTPUT [options]     convert a palette file, or take a picture's\n"
    "\n"
    "export, convert, info and reduce bring true-colour files to 256 colours:\n"
    "  --quantize fast|best   best refines the palette for a smaller error, slower (fast)\n"
    "  --dither               spread each pixel's error onto its neighbours (off)\n"
    "  --palette FILE         map the picture onto FILE's colours instead (any palette\n"
    "                         file or picture); exact colours keep their index\n"
    "\n"
    "Exit status: 0 success, 1 failed operation, 2 bad usage.\n";

const char kExportHelp[] =
    "usage: vorlin-cli export INPUT [INPUT...] -o OUTPUT [options]\n"
    "\n"
    "Reads INPUT (BMP, PCX, TGA or PNG) as the editor opens it and exports it as the\n"
    "export dialog does. Several INPUTs share one palette (merged by colour) and one\n"
    "tileset named after OUTPUT (levelPal, levelTiles) and each gets its own map named\n"
    "after it (forestMap, forest.map.bin); --area needs a single INPUT. OUTPUT's\n"
    "extension picks the kind: .c, .s, .bin (one file per block: TITLE.pal.bin,\n"
    ".img.bin, .map.bin, .meta.bin) or .gbfs. A bare OUTPUT name is written in the\n"
    "current folder. Defaults are the dialog's first-time values.\n"
    "\n"
    "Palette:  --pal | --no-pal            export the palette (on)\n"
    "          --pal-start N               first index, 0..255 (0)\n"
    "          --pal-count N               number of colours, 0..256 (256)\n"
    "Graphics: --img | --no-img            export the graphics (on)\n"
    "          --tiles | --bitmap          8x8 tiles or a bitmap (tiles)\n"
    "          --bpp 1|2|4|8|16            bits per pixel (8); 16 means a bitmap\n"
    "          --img-cprs none|lz77|huff|rle   compression (none)\n"
    "Map:      --map | --no-map            export a map (off)\n"
    "          --map-layout flat|sbb|affine    (flat)\n"
    "          --reduce | --no-reduce      reduce to unique tiles (on)\n"
    "          --flip | --no-flip          reduction matches flipped tiles (on)\n"
    "          --palbank | --no-palbank    reduction uses palette banks (on)\n"
    "          --meta-pal | --no-meta-pal  meta-tiles ignore banks (off)\n"
    "          --map-cprs none|lz77|huff|rle   compression (none)\n"
    "          --tile-offset N             added to every tile index (0)\n"
    "Tiles:    --meta WxH                  tile group in tiles, 0..256 each\n"
    "          --meta-shape sqr|wide|tall --meta-size 1|2|4|8   object-size presets (sqr 1)\n"
    "Area:     --area X,Y,W,H | --area-image   part of the picture (the whole image)\n"
    "File:     --unit u8|u16|u32           print unit of the arrays (u16)\n"
    "          --header | --no-header      also write TITLE.h (on)\n"
    "          --append | --no-append      append to the files / merge into the archive (off)\n"
    "          --best | --no-best          smallest LZ77 blocks, slower (off)\n"
    "          --symbol NAME               array base name (the output's title)\n"
    "Banks:    --auto-banks                arrange the palette in banks first (as vorlin-cli\n"
    "                                      banks does, tiles of the tile group's size), then\n"
    "                                      export at 4 bpp with palette banks\n"
    "Colours:  --quantize fast|best --dither   reduction of a true-colour INPUT (fast)\n"
    "          --palette FILE              map INPUT onto FILE's colours (--dither applies)\n"
    "Presets:  --preset FILE               read options from FILE, one per line\n"
    "          --save-preset FILE          write the resulting options to FILE with the outputs\n"
    "Console:  --preview FILE.png          write the picture the console will show, with the\n"
    "                                      outputs (never over INPUT or an output); with\n"
    "                                      several INPUTs a folder: DIR/TITLE.png each\n"
    "          --stats | --stats=json      print figures and warnings (x,y: text) on stdout\n"
    "          --strict                    any warning fails the export (status 1), nothing written\n"
    "          --char-block N              character block of the tiles, 0..3 (0)\n"
    "          --screen-block N            screen block of the map, 0..31 (28)\n"
    "Options apply left to right; later ones override a preset read earlier.\n";

const char kConvertHelp[] =
    "usage: vorlin-cli convert INPUT OUTPUT [--bpp 4|8|24] [--sub-palette N] [--transparent]\n"
    "                          [--quantize fast|best] [--dither] [--palette FILE]\n"
    "\n"
    "Opens INPUT as the editor does and saves it as Save As does; OUTPUT's extension\n"
    "(.bmp, .pcx, .tga, .png) picks the format.\n"
    "  --bpp 4|8|24       depth of the written file (8)\n"
    "  --sub-palette N    16-colour bank written at 4 bpp, 0..15 (0)\n"
    "  --transparent      PNG: index 0 is transparent\n"
    "  --quantize fast|best, --dither   reduction of a true-colour INPUT (fast, off)\n"
    "  --palette FILE     map INPUT onto FILE's colours (nearest colour, --dither applies)\n";

const char kInfoHelp[] =
    "usage: vorlin-cli info INPUT [--quantize fast|best] [--dither]\n"
    "\n"
    "Prints width, height, the file's depth, the number of palette indices used and the\n"
    "unique 8x8 tiles as the map reduction counts them (the blank tile included):\n"
    "plain, with flips, and with flips and palette banks.\n";

const char kReduceHelp[] =
    "usage: vorlin-cli reduce INPUT OUTPUT [--flip] [--pal] [--meta WxH]\n"
    "                         [--quantize fast|best] [--dither] [--palette FILE]\n"
    "\n"
    "Replaces the picture by its unique 8x8 tiles (or tile groups) in a column, as the\n"
    "editor's Reduce does, and saves it at 8 bpp.\n"
    "  --flip       flipped tiles count as the same tile\n"
    "  --pal        tiles that differ only in their palette bank count as the same\n"
    "  --meta WxH   reduce groups of W x H tiles (1x1)\n"
    "  --palette FILE   map INPUT onto FILE's colours first (--dither applies)\n";

const char kPaletteHelp[] =
    "usage: vorlin-cli palette INPUT OUTPUT [--start N] [--count N] [--pal-format F]\n"
    "\n"
    "Converts a palette between file layouts, each chosen by extension:\n"
    "  .pal      CLRX text, JASC-PAL or RIFF PAL (told apart by content on reading)\n"
    "  .gpl      GIMP palette            .act   Adobe colour table (768 or 772 bytes)\n"
    "  .hex      one RRGGBB per line     .gbapal, .bin   15-bit GBA colours, 2 bytes\n"
    "            each (reading also takes a BIOS-compressed stream; writing rounds\n"
    "            each channel to the nearest 5-bit value and says so)\n"
    "  .png      a strip of 8x8 swatches, 16 to a row; as INPUT any picture\n"
    "            (.bmp, .pcx, .tga, .png) gives its palette, a true-colour one its\n"
    "            colours in reading order\n"
    "  --start N        first colour of INPUT to write, 0..255 (0)\n"
    "  --count N        number of colours, 1..256 (all from --start)\n"
    "  --pal-format clrx|jasc|riff   layout of a .pal OUTPUT (clrx)\n";

const char kCompressHelp[] =
    "usage: vorlin-cli compress lz77|huff|rle INPUT OUTPUT [--best]\n"
    "\n"
    "Compresses the bytes of INPUT into a stream the GBA BIOS decompresses\n"
    "(Huffman with 8-bit symbols). INPUT may hold at most 16 MiB - 1. Every stream is\n"
    "decoded again before it is written.\n"
    "  --best   lz77 only: the smallest stream (slower)\n";

const char kDecompressHelp[] =
    "usage: vorlin-cli decompress INPUT OUTPUT\n"
    "\n"
    "Decompresses an LZ77, Huffman or run-length BIOS stream; the header tells which.\n";

const char kCheckHelp[] =
    "usage: vorlin-cli check PICTURE [export options] [--stats=json]\n"
    "\n"
    "Checks every 8x8 tile of PICTURE against the console's rules under the export\n"
    "options (those of export, with the same defaults; --preset FILE reads them) as the\n"
    "editor's View > Console check does. Prints one line per broken tile, x,y: what is\n"
    "wrong (several problems separated by |), then the figures: distinct tiles against\n"
    "the tiles a map entry can name, palette banks used at 4 bpp, and the video memory\n"
    "the graphics need against what the character block leaves them. A tile is broken\n"
    "when at 4 bpp it mixes palette banks or uses colour 0 of a bank other than 0\n"
    "(shown transparent), when its graphics tile lies past the last index the map can\n"
    "name or past video memory, or when it uses colours outside the exported palette.\n"
    "  --stats=json           the figures and the broken tiles as one JSON object\n"
    "  --char-block N         character block of the tiles, 0..3 (0)\n"
    "  --screen-block N       screen block of the map, 0..31 (28)\n"
    "  --quantize fast|best, --dither   reduction of a true-colour PICTURE (fast, off)\n"
    "Exit status: 0 no rule broken, 1 some tile breaks a rule (or a failure), 2 bad usage.\n";

const char kBanksHelp[] =
    "usage: vorlin-cli banks INPUT OUTPUT [options]\n"
    "\n"
    "Arranges the palette in 16-colour banks as the editor's Palette > Arrange in banks\n"
    "does: every tile's pixels get indices of one bank, colours are copied into several\n"
    "banks where that saves banks, and every pixel keeps its colour. Saves OUTPUT at 8 bpp\n"
    "and prints the result line. When some tiles cannot fit, nothing is written (status 1)\n"
    "unless --partial is given.\n"
    "  --max-banks N                    at most N banks, 1..16 (16)\n"
    "  --shared-zero | --no-shared-zero index 0 is every bank's transparent entry (on)\n"
    "  --tile WxH                       tile size in pixels, multiples of 8 (8x8)\n"
    "  --fixed LIST                     entries that keep their index, such as 1-3,200\n"
    "  --partial                        write the result even when some tiles do not fit\n";

bool ShowHelpIfAsked(const Args& args, const char* help) {
    for (const std::string& arg : args)
        if (IsHelp(arg)) {
            std::fputs(help, stdout);
            return true;
        }
    return false;
}

}  // namespace vorlin::cli
