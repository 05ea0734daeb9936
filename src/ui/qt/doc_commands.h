// The document's commands as the menus reach them: New, Redo and the Image menu's dialogs.
// The dialogs live here because the engine document never shows a window.
#pragma once

#include "ui/command_router.h"
#include "ui/qt/tile_reduction_dialog.h"

class QWidget;

namespace vorlin {

class CVorlinDoc;
class CVorlinView;

class DocCommands : public CommandTarget {
  public:
    DocCommands(CVorlinDoc& doc, CVorlinView& view, QWidget* dialogParent);

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CommandState& state) override;

    // File > New: asks to save a modified document; Cancel abandons. True when a new picture was
    // made.
    bool NewDocument();

  private:
    void ResizeImage();
    void Rearrange();
    void ReduceTiles();

    CVorlinDoc& doc_;
    CVorlinView& view_;
    QWidget* dialogParent_;
    TileReductionValues reduction_;  // kept from one use to the next
};

}  // namespace vorlin
