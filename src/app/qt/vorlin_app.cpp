#include "app/qt/vorlin_app.h"

#include "document/document_settings.h"
#include "document/vorlin_doc.h"
#include "app/command_ids.h"
#include "platform/profile.h"
#include "app/qt/about_dialog.h"
#include "app/qt/doc_commands.h"
#include "app/qt/help_window.h"
#include "app/qt/main_frame.h"
#include "app/qt/qt_ui_services.h"
#include "app/qt/vorlin_view.h"

namespace vorlin {

VorlinApp::VorlinApp() : services_(std::make_unique<QtUiServices>()) {
    InstallUiServices(services_.get());
}

VorlinApp::~VorlinApp() {
    frame_.reset();
    doc_.reset();
    InstallUiServices(nullptr);
}

bool VorlinApp::InitInstance(const QStringList& arguments) {
    doc_ = std::make_unique<CVorlinDoc>(ReadDocumentSettings(AppProfile()));
    doc_->RecentFiles().Load(AppProfile());
    frame_ = std::make_unique<CMainFrame>(*doc_);
    frame_->AddCommandTarget(this);
    services_->SetParent(frame_.get());

    bool started;
    if (arguments.size() > 1)
        started = frame_->OpenDocument(arguments.at(1).toStdString());
    else
        started = frame_->Commands().NewDocument();
    if (!started) return false;
    frame_->show();
    return true;
}

void VorlinApp::ShowHelp() {
    if (!help_) help_ = new HelpWindow(frame_.get());
    help_->show();
    help_->raise();
    // An open help window behind the main one must take the keys too (Index focuses its list).
    help_->activateWindow();
}

bool VorlinApp::OnCommand(int id) {
    switch (id) {
        case ID_APP_ABOUT: {
            AboutDialog about(frame_.get());
            about.exec();
            return true;
        }
        case ID_HELP_CONTENTS:
            ShowHelp();
            return true;
        case ID_HELP_INDEX:
            ShowHelp();
            help_->ShowContents();
            return true;
        default:
            return false;
    }
}

bool VorlinApp::OnUpdateCommand(int id, CommandState&) {
    return id == ID_APP_ABOUT || id == ID_HELP_CONTENTS || id == ID_HELP_INDEX;
}

}  // namespace vorlin
