// Entry point of the desktop application.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "app/qt/app_icon.h"
#include "app/qt/platform_start_guard.h"
#include "app/qt/vorlin_app.h"
#include "platform/display_check.h"
#include "platform/file_size_signal.h"

namespace {
const char* Env(const char* name) {
    return std::getenv(name);
}
}  // namespace

int main(int argc, char* argv[]) {
    vorlin::IgnoreFileSizeSignal();
    // Without a display Qt would abort with a long report; one line says it better.
    const std::string reason = vorlin::MissingDisplayReason(Env);
    if (!reason.empty()) {
        std::fprintf(stderr, "%s\n", reason.c_str());
        return 1;
    }
    // A named display can still be unreachable; that is found out only by trying.
    std::optional<vorlin::PlatformStartGuard> guard(std::in_place);
    QApplication app(argc, argv);
    guard.reset();
    // Lets the desktop match the window with the installed launcher and icon.
    QGuiApplication::setDesktopFileName(vorlin::kDesktopAppId);
    QApplication::setWindowIcon(vorlin::AppIcon());
    vorlin::VorlinApp vorlinApp;
    if (!vorlinApp.InitInstance(app.arguments())) return 1;
    return app.exec();
}
