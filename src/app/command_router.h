// Command routing: a command goes to each target in turn (view, document, frame, application)
// until one handles it. A command that no target claims is shown disabled.
#pragma once

#include <vector>

namespace vorlin {

// How a menu item or bar button is shown.
struct CommandState {
    bool enabled = true;
    bool checked = false;
};

class CommandTarget {
  public:
    virtual ~CommandTarget() = default;
    // True when the command was handled here.
    virtual bool OnCommand(int id) = 0;
    // True when this target handles the command; it may then adjust `state`.
    virtual bool OnUpdateCommand(int id, CommandState& state) = 0;
};

class CommandRouter {
  public:
    // Targets are asked in the order added; none is owned.
    void AddTarget(CommandTarget* target);
    void RemoveTarget(CommandTarget* target);

    // False when no target handled the command.
    bool Execute(int id);
    // The state of the first target that claims the command; disabled when none does.
    CommandState Query(int id) const;

  private:
    std::vector<CommandTarget*> targets_;
};

}  // namespace vorlin
