#include "app/tool_texts.h"

#include <cctype>

#include "tools/tool_catalog.h"

namespace vorlin {

namespace {

// "Pencil (O)" -> 'O'.
char KeyOfTip(std::string_view tip) {
    if (tip.size() < 3 || tip.back() != ')' || tip[tip.size() - 3] != '(') return 0;
    const auto letter = static_cast<unsigned char>(tip[tip.size() - 2]);
    return std::isupper(letter) ? static_cast<char>(letter) : 0;
}

}  // namespace

ToolTexts TextsOf(const ToolInfo& info) {
    const std::string_view text = info.description;
    const std::size_t split = text.find('\n');
    ToolTexts texts;
    texts.prompt = std::string(text.substr(0, split));
    if (split != std::string_view::npos) texts.tip = std::string(text.substr(split + 1));
    texts.key = KeyOfTip(texts.tip);
    return texts;
}

int ToolForKey(char letter) {
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    if (upper == 0) return 0;
    for (const ToolInfo& info : kToolTable)
        if (TextsOf(info).key == upper) return info.id;
    return 0;
}

}  // namespace vorlin
