#include "app/qt/doc_commands.h"

#include <QCheckBox>

#include "document/image_operations.h"
#include "document/vorlin_doc.h"
#include "app/file_commands.h"
#include "app/command_ids.h"
#include "app/ui_services.h"
#include "app/qt/image_size_dialog.h"
#include "app/qt/tile_image_dialog.h"
#include "app/qt/vorlin_view.h"

namespace vorlin {

DocCommands::DocCommands(CVorlinDoc& doc, FileCommands& files, CVorlinView& view,
                         QWidget* dialogParent)
    : doc_(doc), files_(files), view_(view), dialogParent_(dialogParent) {}

bool DocCommands::Fresh(bool done) {
    if (done) view_.OnInitialUpdate();
    return done;
}

bool DocCommands::NewDocument() {
    return Fresh(files_.New());
}

bool DocCommands::OpenDocument(const std::string& path) {
    return Fresh(files_.Open(path));
}

void DocCommands::ResizeImage() {
    ImageSizeDialog dialog(doc_.GetImage().Width(), doc_.GetImage().Height(), dialogParent_);
    if (dialog.exec() != QDialog::Accepted) return;
    const ImageSizeValues& v = dialog.Values();
    doc_.ResizeImage(v.width, v.height, v.stretch ? 1 : 0);
}

void DocCommands::Rearrange() {
    const ImageViewport& vp = view_.Viewport();
    TileImageDialog dialog(vp.TileWidth(), vp.TileHeight(), dialogParent_);
    if (dialog.exec() != QDialog::Accepted) return;
    UiServicesInstance().Report(RearrangeImage(doc_, dialog.TileWidth(), dialog.TileHeight()));
}

void DocCommands::ReduceTiles() {
    TileReductionDialog dialog(reduction_, dialogParent_);
    if (dialog.exec() != QDialog::Accepted) return;
    reduction_ = dialog.Values();
    UiServicesInstance().Report(ReduceImageTiles(doc_, reduction_.pal, reduction_.flip, reduction_.metaWidth,
                                 reduction_.metaHeight));
}

bool DocCommands::OnCommand(int id) {
    switch (id) {
        case ID_FILE_NEW:
            NewDocument();
            return true;
        case ID_FILE_OPEN:
            OpenDocument({});
            return true;
        case ID_FILE_SAVE:
            files_.Save();
            return true;
        case ID_FILE_SAVE_AS:
            files_.SaveAs();
            return true;
        case ID_FILE_REVERT:
            Fresh(files_.Revert());
            return true;
        case ID_FILE_IMPORT:
            files_.Import();
            return true;
        case ID_FILE_EXPORT:
            files_.Export();
            return true;
        case ID_EDIT_REDO:
            doc_.Redo();
            return true;
        case ID_IMAGE_SIZE:
            ResizeImage();
            return true;
        case ID_IMAGE_REARRANGE:
            Rearrange();
            return true;
        case ID_IMAGE_REDUCE_TILES:
            ReduceTiles();
            return true;
        default:
            return false;
    }
}

bool DocCommands::OnUpdateCommand(int id, CommandState& state) {
    switch (id) {
        case ID_FILE_NEW:
        case ID_FILE_OPEN:
        case ID_FILE_SAVE:
        case ID_FILE_SAVE_AS:
        case ID_FILE_IMPORT:
        case ID_FILE_EXPORT:
        case ID_IMAGE_SIZE:
        case ID_IMAGE_REARRANGE:
        case ID_IMAGE_REDUCE_TILES:
            return true;
        case ID_FILE_REVERT:
            state.enabled = files_.CanRevert();
            return true;
        case ID_EDIT_REDO:
            state.enabled = doc_.history.CanRedo();
            return true;
        default:
            return false;
    }
}

}  // namespace vorlin
