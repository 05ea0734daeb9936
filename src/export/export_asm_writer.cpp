#include "export/export_blocks.h"
#include "export/export_items.h"
#include "export/export_summary.h"
#include "export/export_text_writers.h"

namespace vorlin {

std::string AsmSourceText(const ExportJob& job, const std::tm& when) {
    std::string out = SummaryComment(job, "@", when);
    for (const WriteBlock& block : BlocksToWrite(job)) {
        if (!WriteBlockHasData(block)) continue;
        out += "\t.section .rodata\n\t.align\t2\n";
        out += "\t.global " + block.name + "\t\t@ " +
               std::to_string(static_cast<long long>(block.unit) * block.items) + " bytes\n";
        out += block.name + ':';
        const ItemStyle style{std::string("\n\t") + UnitDirective(block.unit) + " 0x", ",0x", ""};
        AppendItems(out, block, style);
        out += "\n\n";
    }
    return out;
}

}  // namespace vorlin
