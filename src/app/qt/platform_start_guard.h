// Turns Qt's abort when the window system cannot be reached into the one-line failure.
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace vorlin {

// Alive while QApplication is being constructed. A display that is named but cannot be
// opened (a stale DISPLAY, a dead session, a missing platform plugin) makes Qt print a
// multi-line report and abort; under the guard the program instead prints one line with
// the first reason Qt gave and exits with status 1. Messages held back while the guard is
// alive are passed on when it ends.
class PlatformStartGuard {
  public:
    PlatformStartGuard();
    ~PlatformStartGuard();
    PlatformStartGuard(const PlatformStartGuard&) = delete;
    PlatformStartGuard& operator=(const PlatformStartGuard&) = delete;

  private:
    static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& text);

    static QtMessageHandler previous_;
    static QStringList held_;
};

}  // namespace vorlin
