// The editor's live console check: follows every change of the document's
// pixels and the export dialog's settings, and says which tiles to repaint.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/command_router.h"
#include "app/export_dialog_values.h"
#include "document/vorlin_doc.h"
#include "export/console_check.h"

namespace vorlin {

class Profile;

// The rules the export settings set for `picture`; none when they cannot be used.
std::optional<CheckRules> CheckRulesFor(const ExportDialogValues& values, PackedDib picture,
                                        VramPlacement placement = {});

class ConsoleCheckLink : public ViewObserver, public CommandTarget {
  public:
    // The export dialog's values for this document (its defaults when never opened).
    using SettingsSource = std::function<ExportDialogValues()>;
    // Tiles whose marks changed (picture rectangles), or everything.
    using ChangedHandler = std::function<void(const IRect* changed)>;

    explicit ConsoleCheckLink(CVorlinDoc& doc);
    ~ConsoleCheckLink() override;

    void SetSettingsSource(SettingsSource source) { settings_ = std::move(source); }
    void SetChangedHandler(ChangedHandler handler) { changed_ = std::move(handler); }
    void LoadSettings(const Profile& profile);
    void SaveSettings(Profile& profile) const;

    void SetEnabled(bool on);
    bool Enabled() const { return enabled_; }
    // The check is on and the settings could be used.
    bool Active() const { return enabled_ && valid_; }
    // The export settings may have changed.
    void SettingsChanged();

    void OnUpdate(int hint, const void* object) override;
    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CommandState& state) override;

    const ConsoleCheck& Check() const { return check_; }
    // "tiles 812/1024 · banks 5 · 26.0 of 32 KB"; "" when not active.
    std::string PaneText() const;
    bool LimitPassed() const { return Active() && check_.Figures().limitPassed; }
    // What is wrong with the tile under picture pixel (x, y), problems joined by " | ".
    std::string ProblemsAt(int x, int y) const;

  private:
    void Rebuild();
    void UpdateRect(const IRect& rect);
    void Tell(const IRect* changed) const;

    CVorlinDoc& doc_;
    SettingsSource settings_;
    ChangedHandler changed_;
    ConsoleCheck check_;
    bool enabled_ = false;
    bool valid_ = false;
    int width_ = 0, height_ = 0;  // the picture the rules were made for
};

}  // namespace vorlin
