#include "support/fake_ui_services.h"

namespace vorlin {

UiAnswer FakeUiServices::Message(std::string_view text, std::string_view caption, UiButtons buttons,
                                 UiIcon icon) {
    messages.push_back(ShownMessage{std::string(text), std::string(caption), buttons, icon});
    if (answers.empty()) return buttons == UiButtons::Ok ? UiAnswer::Ok : UiAnswer::Cancel;
    const UiAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

bool FakeUiServices::ChooseFile(FileDialogRequest& request) {
    fileRequests.push_back(request);
    if (files.empty()) return false;
    const FileAnswer answer = files.front();
    files.pop_front();
    if (answer.cancel) return false;
    request.path = answer.path;
    request.filterIndex = answer.filterIndex;
    return true;
}

namespace {

template <typename Request>
bool Answer(Request& request, std::vector<Request>& shown,
            std::deque<std::optional<Request>>& script) {
    shown.push_back(request);
    if (script.empty()) return false;
    const std::optional<Request> answer = script.front();
    script.pop_front();
    if (!answer) return false;
    request = *answer;
    return true;
}

}  // namespace

bool FakeUiServices::AskExportOptions(ExportOptionsRequest& request) {
    return Answer(request, exportOptionRequests, exportOptionAnswers);
}

bool FakeUiServices::AskPaletteImport(PaletteImportRequest& request) {
    return Answer(request, paletteImportRequests, paletteImportAnswers);
}

bool FakeUiServices::AskPaletteExport(PaletteExportRequest& request) {
    return Answer(request, paletteExportRequests, paletteExportAnswers);
}

std::vector<std::string> FakeUiServices::Texts() const {
    std::vector<std::string> texts;
    for (const ShownMessage& m : messages) texts.push_back(m.text);
    return texts;
}

}  // namespace vorlin
