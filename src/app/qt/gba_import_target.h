// File > Import GBA data: runs the dialog, which keeps its files and options
// while the program runs, and opens the picture as a new document.
#pragma once

#include "app/command_router.h"
#include "app/gba_import.h"

class QWidget;

namespace vorlin {

class CVorlinDoc;

class GbaImportTarget : public CommandTarget {
  public:
    GbaImportTarget(CVorlinDoc& doc, QWidget* dialogParent) : doc_(doc), parent_(dialogParent) {}

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CommandState& state) override;

  private:
    CVorlinDoc& doc_;
    QWidget* parent_;
    GbaImportValues values_;
};

}  // namespace vorlin
