#include "app/ui_services.h"

namespace vorlin {

namespace {

// Without a person to ask, every question takes its safe way out.
class SilentUiServices final : public UiServices {
  public:
    UiAnswer Message(std::string_view, std::string_view, UiButtons buttons, UiIcon) override {
        switch (buttons) {
            case UiButtons::Ok:
                return UiAnswer::Ok;
            case UiButtons::YesNo:
                return UiAnswer::No;
            default:
                return UiAnswer::Cancel;
        }
    }
    bool ChooseFile(FileDialogRequest&) override { return false; }
};

SilentUiServices& Silent() {
    static SilentUiServices silent;
    return silent;
}

UiServices* g_installed = nullptr;

}  // namespace

UiServices& UiServicesInstance() {
    return g_installed ? *g_installed : Silent();
}

UiServices* InstallUiServices(UiServices* services) {
    UiServices* previous = g_installed;
    g_installed = services;
    return previous;
}

}  // namespace vorlin
