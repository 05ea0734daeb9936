// Captions, keys, prompts and check behaviour of every menu and bar command.
#pragma once

#include <span>

namespace vorlin {

struct CommandSpec {
    int id;
    const char* text;
    const char* shortcut;  // Qt key sequence text (several separated by "; "), or ""
    const char* prompt;    // status-bar text, or ""
    bool checkable;
};

std::span<const CommandSpec> CommandSpecs();
const CommandSpec* FindCommandSpec(int id);

}  // namespace vorlin
