// The application: settings file, the one document, the main frame, the command line, and
// the application's own commands (About, Help).
#pragma once

#include <QStringList>
#include <memory>

#include "app/command_router.h"

namespace vorlin {

class CMainFrame;
class CVorlinDoc;
class HelpWindow;
class QtUiServices;

class VorlinApp : public CommandTarget {
  public:
    VorlinApp();
    ~VorlinApp() override;

    // Start-up: settings, document, frame, command line; false ends the program.
    bool InitInstance(const QStringList& arguments);

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CommandState& state) override;

    CMainFrame* Frame() const { return frame_.get(); }
    CVorlinDoc* Document() const { return doc_.get(); }
    HelpWindow* Help() const { return help_; }

  private:
    void ShowHelp();

    std::unique_ptr<QtUiServices> services_;
    std::unique_ptr<CVorlinDoc> doc_;
    std::unique_ptr<CMainFrame> frame_;
    HelpWindow* help_ = nullptr;  // owned by the frame
};

}  // namespace vorlin
