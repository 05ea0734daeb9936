// What needs a person: message boxes, questions and file choices. The desktop
// application implements it with real dialogs, tests with a scripted fake. Only
// the application layer uses it: operations below return their results.
#pragma once

#include <string>
#include <string_view>

#include "app/file_requests.h"
#include "core/operation_result.h"

namespace vorlin {

// Caption of the program's own message boxes.
inline constexpr std::string_view kAppCaption = "Vorlin";

enum class UiButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class UiIcon { None, Information, Warning, Error, Question };
enum class UiAnswer { Ok, Cancel, Yes, No };

// One file dialog: what to show and, after a choice, what was chosen.
struct FileDialogRequest {
    bool open = true;         // open: path and file must exist; save: confirm overwrite
    bool confirmOverwrite = true;  // save: off when the caller asks about replacing itself
    std::string caption;      // window title
    std::string filter;       // filters joined: "Description|*.a;*.b|Other|*.c|"
    int filterIndex = 1;      // in: filter shown first; out: filter chosen (counted from 1)
    std::string initialDir;   // folder the dialog starts in (empty: the platform's choice)
    std::string initialName;  // proposed file name (save dialogs)
    std::string path;         // out: the chosen file
};

class UiServices {
  public:
    virtual ~UiServices() = default;

    // A modal box with the given text, caption, buttons and icon; the button pressed.
    virtual UiAnswer Message(std::string_view text, std::string_view caption, UiButtons buttons,
                             UiIcon icon) = 0;
    // Shows a file dialog; false when cancelled (then `request.path` is untouched).
    virtual bool ChooseFile(FileDialogRequest& request) = 0;
    // The file commands' option dialogs; false when cancelled (the request is
    // then untouched). Without a dialog to show, they are cancelled.
    virtual bool AskExportOptions(ExportOptionsRequest& /*request*/) { return false; }
    virtual bool AskPaletteImport(PaletteImportRequest& /*request*/) { return false; }
    virtual bool AskPaletteExport(PaletteExportRequest& /*request*/) { return false; }
    // A line in the main window's status bar that stays until the next one;
    // nothing where there is no status bar.
    virtual void ShowStatus(std::string_view /*text*/) {}

    // The usual forms of Message.
    void Inform(std::string_view text, UiIcon icon = UiIcon::Warning) {
        Message(text, kAppCaption, UiButtons::Ok, icon);
    }
    UiAnswer AskYesNoCancel(std::string_view text) {
        return Message(text, kAppCaption, UiButtons::YesNoCancel, UiIcon::Question);
    }
    UiAnswer AskYesNo(std::string_view text) {
        return Message(text, kAppCaption, UiButtons::YesNo, UiIcon::Question);
    }
    // Shows the message of a failed operation; nothing for a success. The result's ok flag.
    bool Report(const OperationResult& result, UiIcon icon = UiIcon::Warning) {
        if (!result.ok && !result.message.empty()) Inform(result.message, icon);
        return result.ok;
    }
};

// The installed services, or a silent stand-in (answers Cancel, No or Ok and
// chooses no file) when none is installed, as in the command-line tool.
UiServices& UiServicesInstance();
// Installs `services` (null: the silent stand-in); returns the one it replaces.
UiServices* InstallUiServices(UiServices* services);

// Installs services for the lifetime of the guard.
class ScopedUiServices {
  public:
    explicit ScopedUiServices(UiServices& services) : previous_(InstallUiServices(&services)) {}
    ~ScopedUiServices() { InstallUiServices(previous_); }
    ScopedUiServices(const ScopedUiServices&) = delete;
    ScopedUiServices& operator=(const ScopedUiServices&) = delete;

  private:
    UiServices* previous_;
};

}  // namespace vorlin
