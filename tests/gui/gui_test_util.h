// Helpers for driving the real windows: modal dialogs are handled from a timer while exec() runs.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QtTest>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "document/vorlin_doc.h"
#include "support/fake_ui_services.h"
#include "support/temp_profile.h"
#include "app/qt/doc_commands.h"
#include "app/qt/main_frame.h"
#include "app/qt/qt_ui_services.h"
#include "app/qt/vorlin_view.h"

namespace vorlin {

// Runs `act` on the next modal dialog of type T once it is open and active. A dialog is
// modal from show(), but it becomes the active window only when the window system's
// activation is delivered; on a busy machine the timer can fire in between, and then keys
// miss the dialog's shortcuts and setFocus() does not move the application's focus.
template <typename T>
void WhenModal(std::function<void(T*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            // Not qWaitForWindowActive: that takes a dialog for active while its parent is.
            // Acts even when the wait fails, so that the script closes the dialog.
            QTest::qVerify(QTest::qWaitFor([dialog] { return dialog->isActiveWindow(); }),
                           "dialog->isActiveWindow()", "the modal dialog did not become active",
                           __FILE__, __LINE__);
            act(dialog);
            timer->deleteLater();  // after the nested event loops, which could delete it early
        }
    });
    timer->start();
}

// The whole content of a text file ("" when it cannot be read).
inline std::string ReadTextFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The real dialogs and message boxes, with the file chooser answered from a script.
class ScriptedFileChooser : public QtUiServices {
  public:
    std::string next;
    bool ChooseFile(FileDialogRequest& request) override {
        if (next.empty()) return false;
        request.path = next;
        next.clear();
        return true;
    }
};

// A shown main window on a new document; settings and files stay in scratch folders.
struct ScriptedWindow {
    ScriptedWindow() : installed(ui), frame(doc) {
        frame.show();
        frame.Commands().NewDocument();
    }

    ScopedTempProfile profile;
    ScopedTempDir dir;
    ScriptedFileChooser ui;
    ScopedUiServices installed;
    CVorlinDoc doc;
    CMainFrame frame;
};

// A shown main window on a new 256 x 256 picture at zoom 8, messages answered by a fake.
struct ToolWindow {
    ScopedTempProfile profile;
    FakeUiServices ui;
    ScopedUiServices installed{ui};
    CVorlinDoc doc;
    CMainFrame frame{doc};

    ToolWindow() {
        frame.resize(800, 600);
        frame.show();
        frame.Commands().NewDocument();
        View().SetZoom(8);  // high zoom: one image pixel is 8 by 8 screen pixels
    }
    CVorlinView& View() { return frame.View(); }
    QWidget* Area() { return View().viewport(); }
    // The screen point at the middle of image pixel (x, y).
    static QPoint At(int x, int y) { return {x * 8 + 4, y * 8 + 4}; }
};

}  // namespace vorlin
