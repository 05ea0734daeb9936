#include "export/export_blocks.h"
#include "export/export_summary.h"
#include "export/export_text_writers.h"

namespace vorlin {

std::string HeaderGuard(const std::string& symbol) {
    std::string guard = "__";
    for (char c : symbol) guard += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    return guard + "_H__";
}

std::string HeaderText(const TextPlan& plan) {
    const std::string guard = HeaderGuard(plan.symbol);
    std::string out = plan.summary("//");
    out += "#ifndef " + guard + "\n#define " + guard + "\n\n";
    for (const WriteBlock& block : plan.blocks) {
        // Declares exactly what the source defines, so a declared array always links.
        if (!WriteBlockHasData(block)) continue;
        out += "#define " + block.name + "Len " + std::to_string(block.data->bytes.size()) + '\n';
        out += "extern const unsigned ";
        out += UnitCType(block.unit);
        out += ' ' + block.name + '[' + std::to_string(block.items) + "];\n\n";
    }
    out += "#endif // " + guard + "\n\n";
    return out;
}

}  // namespace vorlin
