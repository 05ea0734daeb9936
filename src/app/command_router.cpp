#include "app/command_router.h"

#include <algorithm>

namespace vorlin {

void CommandRouter::AddTarget(CommandTarget* target) {
    if (target && std::find(targets_.begin(), targets_.end(), target) == targets_.end())
        targets_.push_back(target);
}

void CommandRouter::RemoveTarget(CommandTarget* target) {
    targets_.erase(std::remove(targets_.begin(), targets_.end(), target), targets_.end());
}

bool CommandRouter::Execute(int id) {
    // Disabled commands do nothing even when reached through a key.
    for (CommandTarget* target : targets_) {
        CommandState state;
        if (!target->OnUpdateCommand(id, state)) continue;
        return state.enabled && target->OnCommand(id);
    }
    return false;
}

CommandState CommandRouter::Query(int id) const {
    for (CommandTarget* target : targets_) {
        CommandState state;
        if (target->OnUpdateCommand(id, state)) return state;
    }
    return CommandState{false, false};
}

}  // namespace vorlin
