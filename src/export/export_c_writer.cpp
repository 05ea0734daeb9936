#include "export/export_blocks.h"
#include "export/export_items.h"
#include "export/export_summary.h"
#include "export/export_text_writers.h"

namespace vorlin {

TextPlan TextPlanOf(const ExportJob& job, const std::tm& when) {
    return {job.symbol, BlocksToWrite(job),
            [&job, when](const char* prefix) { return SummaryComment(job, prefix, when); }};
}

std::string CSourceText(const TextPlan& plan) {
    std::string out = plan.summary("//");
    const ItemStyle style{"\n\t0x", "0x", ","};
    for (const WriteBlock& block : plan.blocks) {
        if (!WriteBlockHasData(block)) continue;
        out += "const unsigned ";
        out += UnitCType(block.unit);
        // Word alignment: the BIOS decompression calls and 32-bit DMA need it, and a
        // compiler optimising for size packs short and char arrays tighter.
        out += ' ' + block.name + '[' + std::to_string(block.items) +
               "] __attribute__((aligned(4)))=\n{";
        AppendItems(out, block, style);
        out += "\n};\n\n";
    }
    return out;
}

}  // namespace vorlin
