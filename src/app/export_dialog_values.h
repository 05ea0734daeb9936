// The export dialog's settings as a plain record, and the transfers between it
// and an ExportJob. The Qt dialog only fills and reads this record, so every
// rule of the transfers lives in the engine and is tested without widgets.
#pragma once

#include <string>
#include <vector>

#include "core/packed_dib.h"
#include "export/export_job.h"
#include "export/export_names.h"

namespace vorlin {

enum MapLayoutChoice { MAP_LAYOUT_FLAT = 0, MAP_LAYOUT_SBB = 1, MAP_LAYOUT_AFFINE = 2 };
enum AreaChoice { AREA_CUSTOM = 0, AREA_AS_IMAGE = 1, AREA_AS_SELECTION = 2 };

// Defaults are the dialog's first-time values.
struct ExportDialogValues {
    // palette group
    bool palEnabled = true;  // "&Pal"
    int palStart = 0;        // "start", 0..255
    int palNum = 256;        // "num", 0..256
    // image group
    bool imgEnabled = true;  // "&Image"
    bool imgBitmap = false;  // "bitmap" radio (else "tiles")
    int bppIndex = 3;        // "bpp" list: 0..4 for 1, 2, 4, 8, 16
    int imgCompression = 0;  // image "cprs" list index
    // map group
    bool mapEnabled = false;  // "&Map"
    int mapLayout = MAP_LAYOUT_FLAT;
    bool reduce = true;        // "reduce"
    bool reducePal = true;     // "pal"
    bool reduceFlip = true;    // "flip"
    bool metaTilePal = false;  // "meta-tile pal"
    int mapCompression = 0;    // map "cprs" list index
    int tileOffset = 0;        // "ofs"
    // tile group
    int groupShape = 0;        // "sqr", "wide", "tall"
    int groupSize = 0;         // "1", "2", "4", "8"
    bool groupCustom = false;  // "cstm"
    int groupWidth = 1;        // "n&x", 0..256
    int groupHeight = 1;       // "n&y", 0..256
    // area
    int areaMode = AREA_AS_IMAGE;
    int areaLeft = 0, areaTop = 0, areaWidth = 8, areaHeight = 8;
    // file
    std::string path;             // path box
    int fileType = 0;             // "type" list: file kind 0..3
    int sizeCode = BLK_SIZE_U16;  // "u8", "u16", "u32"
    bool header = true;           // "h file"
    bool append = false;          // "&append"
    bool smallestLz77 = false;    // "smallest LZ77 (slower)"
    bool useName = false;         // "&name"
    std::string name = "bar";     // name box
    // "Also export": further picture files exported with the open picture
    std::vector<std::string> alsoExport;
    // members that are not controls
    std::string folder;
    std::string title;
    // Where an output name typed without a folder goes: the document's folder,
    // or the current folder for a picture never saved.
    std::string documentFolder;
};

// Bits per pixel for a "bpp" list index (1 << index).
int BppFromIndex(int index);
// The tile group the record asks for (custom size or preset).
TileGroupSize DialogTileGroup(const ExportDialogValues& values);

// Splits a proposed output path: folder (documentFolder for a bare name),
// title (a ".bin" name also loses one more extension) and, for a known
// extension, the type; then rewrites the path box as folder/title.ext.
// Returns true when the type changed.
bool SetOutputPath(ExportDialogValues& values, const std::string& path);
// Reads the path box as typed with the same rules, but leaves its text alone.
void ParsePathBox(ExportDialogValues& values);
// The type list changed: folder and title come from the path box, which gets
// the new type's extension.
void ChangeOutputType(ExportDialogValues& values, int newType);
// The folder of a document path: its directory, or `currentFolder` when the
// document was never saved or names no folder.
std::string DocumentFolder(const std::string& documentPath, const std::string& currentFolder);

// Dialog to job. The flag words and outFlags are cleared first; image is
// replaced by a copy of picture (may be null); fields the dialog does not
// touch (bpp while "&Image" is off) are kept. Returns false when the picture
// cannot be copied.
bool TransferToJob(const ExportDialogValues& values, const std::string& documentPath,
                   PackedDib picture, ExportJob& job);
// Job to dialog after validation's adjustments were accepted: only the fields
// validation may change are copied back.
void TransferFromJob(const ExportJob& job, ExportDialogValues& values);

}  // namespace vorlin
