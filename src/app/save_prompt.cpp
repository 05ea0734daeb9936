#include "app/save_prompt.h"

#include <string>

#include "app/ui_services.h"
#include "document/vorlin_doc.h"

namespace vorlin {

bool SaveModified(CVorlinDoc& doc, UiServices& ui) {
    if (!doc.IsModified()) return true;
    std::string question(kAskSaveChanges);
    const std::string name = doc.GetPathName().empty() ? std::string(kUntitled) : doc.GetPathName();
    question.replace(question.find("%s"), 2, name);
    switch (ui.AskYesNoCancel(question)) {
        case UiAnswer::Yes:
            return doc.FileHooks().SaveDocument(doc);
        case UiAnswer::No:
            return true;
        default:
            return false;
    }
}

}  // namespace vorlin
