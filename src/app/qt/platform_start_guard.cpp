#include "app/qt/platform_start_guard.h"

#include <cstdio>
#include <cstdlib>

#include "platform/display_check.h"

namespace vorlin {

QtMessageHandler PlatformStartGuard::previous_ = nullptr;
QStringList PlatformStartGuard::held_;

PlatformStartGuard::PlatformStartGuard() {
    held_.clear();
    previous_ = qInstallMessageHandler(&PlatformStartGuard::Handle);
}

PlatformStartGuard::~PlatformStartGuard() {
    qInstallMessageHandler(previous_);
    for (const QString& text : held_) std::fprintf(stderr, "%s\n", qPrintable(text));
    held_.clear();
}

void PlatformStartGuard::Handle(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtFatalMsg) {
        held_.append(text);
        return;
    }
    const QString reason = held_.isEmpty() ? text : held_.first();
    std::fprintf(stderr, "%s (%s)\n", kDisplayUnusableMessage, qPrintable(reason.simplified()));
    std::fflush(stderr);
    // Qt would abort after this handler; a failed start is an ordinary failure.
    std::_Exit(1);
}

}  // namespace vorlin
