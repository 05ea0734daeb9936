// A scripted stand-in for the person in front of the program: answers come from
// queues, and every message and file dialog shown is recorded.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/ui_services.h"

namespace vorlin {

class FakeUiServices : public UiServices {
  public:
    struct ShownMessage {
        std::string text;
        std::string caption;
        UiButtons buttons;
        UiIcon icon;
    };
    // One scripted file dialog outcome: a chosen path and filter, or a cancel.
    struct FileAnswer {
        bool cancel = false;
        std::string path;
        int filterIndex = 1;  // counted from 1, as the dialog reports it
    };

    UiAnswer Message(std::string_view text, std::string_view caption, UiButtons buttons,
                     UiIcon icon) override;
    bool ChooseFile(FileDialogRequest& request) override;
    // Each option dialog takes the next scripted record (nullopt or an empty
    // queue: cancel); every request shown is recorded as it came in.
    bool AskExportOptions(ExportOptionsRequest& request) override;
    bool AskPaletteImport(PaletteImportRequest& request) override;
    bool AskPaletteExport(PaletteExportRequest& request) override;
    void ShowStatus(std::string_view text) override { statusTexts.emplace_back(text); }

    // Scripting. With an empty queue a box answers Ok when it only has Ok, else
    // Cancel; a file dialog is cancelled.
    void QueueAnswer(UiAnswer answer) { answers.push_back(answer); }
    void QueueFile(std::string path, int filterIndex = 1) {
        files.push_back(FileAnswer{false, std::move(path), filterIndex});
    }
    void QueueFileCancel() { files.push_back(FileAnswer{true, {}, 1}); }

    // The texts shown, in order.
    std::vector<std::string> Texts() const;

    std::deque<UiAnswer> answers;
    std::deque<FileAnswer> files;
    std::vector<ShownMessage> messages;
    std::vector<FileDialogRequest> fileRequests;
    std::vector<std::string> statusTexts;
    std::deque<std::optional<ExportOptionsRequest>> exportOptionAnswers;
    std::vector<ExportOptionsRequest> exportOptionRequests;
    std::deque<std::optional<PaletteImportRequest>> paletteImportAnswers;
    std::vector<PaletteImportRequest> paletteImportRequests;
    std::deque<std::optional<PaletteExportRequest>> paletteExportAnswers;
    std::vector<PaletteExportRequest> paletteExportRequests;
};

}  // namespace vorlin
