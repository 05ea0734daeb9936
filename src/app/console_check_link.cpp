#include "app/console_check_link.h"

#include <algorithm>

#include "app/command_ids.h"
#include "platform/profile.h"

namespace vorlin {

namespace {

constexpr const char* kSection = "consolecheck";

}  // namespace

std::optional<CheckRules> CheckRulesFor(const ExportDialogValues& values, PackedDib picture,
                                        VramPlacement placement) {
    ExportJobPtr job(ExportJobNew());
    if (!job || !TransferToJob(values, values.path, picture, *job)) return std::nullopt;
    // Only the rules are wanted: no names to derive, nothing to write.
    job->outFlags |= OUT_CONVERT_ONLY;
    if (!ExportValidate(job.get())) return std::nullopt;
    return CheckRulesOf(*job, placement);
}

ConsoleCheckLink::ConsoleCheckLink(CVorlinDoc& doc) : doc_(doc) {
    doc_.AddView(this);
}

ConsoleCheckLink::~ConsoleCheckLink() {
    doc_.RemoveView(this);
}

void ConsoleCheckLink::LoadSettings(const Profile& profile) {
    SetEnabled(profile.GetInt(kSection, "on", 0) != 0);
}

void ConsoleCheckLink::SaveSettings(Profile& profile) const {
    profile.WriteInt(kSection, "on", enabled_ ? 1 : 0);
}

void ConsoleCheckLink::SetEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    if (enabled_) Rebuild();
    Tell(nullptr);
}

void ConsoleCheckLink::SettingsChanged() {
    if (!enabled_) return;
    Rebuild();
    Tell(nullptr);
}

void ConsoleCheckLink::Rebuild() {
    const CIndexImage& image = doc_.GetImage();
    DibPtr picture(image.ToDib(8, 0));
    const std::optional<CheckRules> rules =
        picture ? CheckRulesFor(settings_ ? settings_() : ExportDialogValues{}, picture.get())
                : std::nullopt;
    valid_ = rules.has_value();
    width_ = image.Width();
    height_ = image.Height();
    if (valid_) check_.Reset(*rules, RowsOf(image.Surface()));
}

void ConsoleCheckLink::UpdateRect(const IRect& rect) {
    const std::vector<std::size_t> cells =
        check_.Update(RowsOf(doc_.GetImage().Surface()), rect.left, rect.top, rect.right, rect.bottom);
    if (cells.empty()) {
        Tell(&rect);  // the figures may still have changed
        return;
    }
    // One rectangle around the tiles that changed and the pixels that did.
    const CheckRules& r = check_.Rules();
    IRect bound = rect;
    for (const std::size_t cell : cells) {
        const int x = r.left + static_cast<int>(cell % r.across) * 8;
        const int y = r.top + static_cast<int>(cell / r.across) * 8;
        bound = {std::min(bound.left, x), std::min(bound.top, y), std::max(bound.right, x + 8),
                 std::max(bound.bottom, y + 8)};
    }
    Tell(&bound);
}

void ConsoleCheckLink::OnUpdate(int hint, const void* object) {
    if (!enabled_ || hint == HINT_PALETTE || hint == HINT_GEOMETRY) return;
    const CIndexImage& image = doc_.GetImage();
    const bool samePicture = valid_ && image.Width() == width_ && image.Height() == height_;
    if (hint == HINT_REGION && object && samePicture) {
        UpdateRect(*static_cast<const IRect*>(object));
    } else if (samePicture) {
        UpdateRect(image.Bounds());
    } else {
        Rebuild();
        Tell(nullptr);
    }
}

bool ConsoleCheckLink::OnCommand(int id) {
    if (id != ID_VIEW_CONSOLE_CHECK) return false;
    SetEnabled(!enabled_);
    return true;
}

bool ConsoleCheckLink::OnUpdateCommand(int id, CommandState& state) {
    if (id != ID_VIEW_CONSOLE_CHECK) return false;
    state.checked = enabled_;
    return true;
}

std::string ConsoleCheckLink::PaneText() const {
    if (!enabled_) return {};
    if (!valid_) return "export settings cannot be used";
    return CheckFiguresText(check_.Figures(), check_.Rules());
}

std::string ConsoleCheckLink::ProblemsAt(int x, int y) const {
    if (!Active()) return {};
    std::string text;
    for (const std::string& problem : check_.ProblemsAt(RowsOf(doc_.GetImage().Surface()), x, y))
        text += (text.empty() ? "" : " | ") + problem;
    return text;
}

void ConsoleCheckLink::Tell(const IRect* changed) const {
    if (changed_) changed_(changed);
}

}  // namespace vorlin
