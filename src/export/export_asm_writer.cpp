#include "export/export_blocks.h"
#include "export/export_items.h"
#include "export/export_summary.h"
#include "export/export_text_writers.h"

namespace vorlin {

std::string AsmSourceText(const TextPlan& plan) {
    std::string out = plan.summary("@");
    for (const WriteBlock& block : plan.blocks) {
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
