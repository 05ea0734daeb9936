// The document's commands as the menus reach them: the file commands, Redo and the Image
// menu's dialogs. The dialogs live here because the engine document never shows a window.
#pragma once

#include <string>

#include "app/command_router.h"
#include "app/qt/tile_reduction_dialog.h"

class QWidget;

namespace vorlin {

class CVorlinDoc;
class CVorlinView;
class FileCommands;

class DocCommands : public CommandTarget {
  public:
    DocCommands(CVorlinDoc& doc, FileCommands& files, CVorlinView& view, QWidget* dialogParent);

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CommandState& state) override;

    // File > New: a modified document is asked about first; Cancel abandons. True when done.
    bool NewDocument();
    // Open with a path (command line, dropped file, recent list) or, when empty, the dialog.
    bool OpenDocument(const std::string& path);

  private:
    // After a picture replaced the old one: zoom 1 and a full update.
    bool Fresh(bool done);
    void ResizeImage();
    void Rearrange();
    void ReduceTiles();

    CVorlinDoc& doc_;
    FileCommands& files_;
    CVorlinView& view_;
    QWidget* dialogParent_;
    TileReductionValues reduction_;  // kept from one use to the next
};

}  // namespace vorlin
