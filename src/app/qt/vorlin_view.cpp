#include "app/qt/vorlin_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>

#include "app/command_ids.h"
#include "app/console_check_link.h"
#include "app/qt/console_check_overlay.h"
#include "platform/profile.h"
#include "app/qt/grid_settings_dialog.h"
#include "app/qt/indexed_painter.h"
#include "app/qt/sketch_wnd.h"
#include "app/qt/view_tool_host.h"
#include "app/tool_texts.h"
#include "app/view_settings.h"
#include "app/zoom_steps.h"

namespace vorlin {

namespace {

constexpr const char* kSection = kSectionMainView;
constexpr int kStoredModeBits = VIEW_PAN | VIEW_SNAP;

// Keys that move the view as the scroll bars' arrows and page areas do.
struct KeyScroll {
    int key;
    ScrollCode code;
    ScrollBar bar;
};
constexpr KeyScroll kKeyScrolls[] = {
    {Qt::Key_PageUp, SCROLL_PAGE_UP, SCROLL_VERT},
    {Qt::Key_PageDown, SCROLL_PAGE_DOWN, SCROLL_VERT},
    {Qt::Key_Home, SCROLL_PAGE_UP, SCROLL_HORZ},
    {Qt::Key_End, SCROLL_PAGE_DOWN, SCROLL_HORZ},
    {Qt::Key_Left, SCROLL_LINE_UP, SCROLL_HORZ},
    {Qt::Key_Right, SCROLL_LINE_DOWN, SCROLL_HORZ},
    {Qt::Key_Up, SCROLL_LINE_UP, SCROLL_VERT},
    {Qt::Key_Down, SCROLL_LINE_DOWN, SCROLL_VERT},
};

// The Paste mode items and what each makes Paste do; the stored value is the item's id.
struct PasteModeItem {
    int id;
    CSelectTool::PasteMode mode;
};
constexpr PasteModeItem kPasteModes[] = {
    {ID_PASTE_BY_PALETTE, CSelectTool::PasteMode::ByPalette},
    {ID_PASTE_BY_COLOR, CSelectTool::PasteMode::ByColor},
    {ID_PASTE_BY_SOURCE, CSelectTool::PasteMode::BySource},
};

const PasteModeItem* FindPasteMode(int id) {
    for (const PasteModeItem& item : kPasteModes)
        if (item.id == id) return &item;
    return nullptr;
}

ISize SizeOf(const CIndexImage& image) {
    return {image.Width(), image.Height()};
}

}  // namespace

CVorlinView::CVorlinView(CVorlinDoc& doc, ButtonSlots& buttons, QWidget* parent)
    : QAbstractScrollArea(parent),
      doc_(doc),
      sketch_(nullptr),
      host_(std::make_unique<ViewToolHost>(*this, buttons)),
      tools_(ProgramTools()),
      checkOverlay_(std::make_unique<ConsoleCheckOverlay>()) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFrameShape(QFrame::NoFrame);
    LoadSettings(AppProfile());
    sketch_ = new CSketchWnd(this);
    sketch_->LoadSettings(AppProfile());
    doc_.AddView(this);
}

CVorlinView::~CVorlinView() {
    tools_.Current().Finish(*host_);
    doc_.RemoveView(this);
    SaveSettings(AppProfile());
    sketch_->SaveSettings(AppProfile());
}

void CVorlinView::LoadSettings(const Profile& profile) {
    viewport_.SetTexelGrid(profile.GetInt(kSection, "grid", 1) != 0);
    viewport_.SetTileGrid(profile.GetInt(kSection, "tile", 1) != 0);
    // The file may hold anything; keep the sizes the Grid Settings dialog allows.
    const auto tile = [&](const char* key) {
        return std::clamp(profile.GetInt(kSection, key, 8), GridSettingsDialog::kMinTile,
                          GridSettingsDialog::kMaxTile);
    };
    viewport_.SetTileSize(tile("tilewidth"), tile("tileheight"));
    viewMode_ = profile.GetInt(kSection, "viewmode", 0) & kStoredModeBits;
    // Anything but an item's id pastes by colour, as before there was a choice.
    const PasteModeItem* paste = FindPasteMode(profile.GetInt(kSection, kKeyPasteMode, 0));
    ProgramTools().Select().SetPasteMode(paste ? paste->mode : CSelectTool::PasteMode::ByColor);
}

void CVorlinView::SaveSettings(Profile& profile) const {
    profile.WriteInt(kSection, "grid", viewport_.TexelGrid() ? 1 : 0);
    profile.WriteInt(kSection, "tile", viewport_.TileGrid() ? 1 : 0);
    profile.WriteInt(kSection, "tilewidth", viewport_.TileWidth());
    profile.WriteInt(kSection, "tileheight", viewport_.TileHeight());
    profile.WriteInt(kSection, "viewmode", viewMode_ & kStoredModeBits);
    const CSelectTool::PasteMode mode = ProgramTools().Select().GetPasteMode();
    for (const PasteModeItem& item : kPasteModes)
        if (item.mode == mode) profile.WriteInt(kSection, kKeyPasteMode, item.id);
}

void CVorlinView::OnInitialUpdate() {
    if (viewport_.HasImage()) {
        SetZoom(1);
    } else {
        const ISize size = SizeOf(doc_.GetImage());
        viewport_.Attach(viewport()->width(), viewport()->height(), 1, &size);
        emit zoomChanged(1);
    }
    OnUpdate(0, &doc_.GetImage());
    if (AppProfile().GetInt(kSectionMainView, kKeyFitNew, 0) == 0) return;
    // Before the window is laid out the view's size means nothing.
    if (isVisible())
        FitToView();
    else
        fitPending_ = true;
}

void CVorlinView::FitToView() {
    // The size the picture gets once a fit makes the scroll bars go.
    const QSize room = maximumViewportSize();
    viewport_.SetClientSize(room.width(), room.height());
    SetZoom(FitZoomStep(viewport_));
}

void CVorlinView::showEvent(QShowEvent* event) {
    QAbstractScrollArea::showEvent(event);
    if (!fitPending_) return;
    fitPending_ = false;
    QTimer::singleShot(0, this, &CVorlinView::FitToView);
}

void CVorlinView::OnUpdate(int hint, const void* object) {
    switch (hint) {
        case 0:
        case HINT_IMAGE: {
            // Hints carry the document's picture; its size is read from the document.
            const ISize size = SizeOf(doc_.GetImage());
            viewport_.SetImage(&size);
            GeometryUpdate();
            sketch_->SetSketchImage(&doc_.GetImage());
            sketch_->Refresh();
            tools_.Current().Finish(*host_);
            viewport()->update();
            break;
        }
        case HINT_PALETTE:
            sketch_->Refresh();
            viewport()->update();
            break;
        case HINT_REGION:
            if (object) {
                IRect r = viewport_.ImageRectToClient(*static_cast<const IRect*>(object));
                viewport()->update(QRect(r.left - 1, r.top - 1, r.Width() + 2, r.Height() + 2));
            } else {
                viewport()->update();
            }
            sketch_->Refresh();
            break;
        case HINT_GEOMETRY:
            GeometryUpdate();
            break;
        default:
            break;
    }
}

void CVorlinView::GeometryUpdate() {
    viewport_.Layout();
    SyncScrollBars();
    emit statusChanged();
    viewport()->update();
}

void CVorlinView::SyncScrollBars() {
    syncingBars_ = true;
    for (ScrollBar bar : {SCROLL_HORZ, SCROLL_VERT}) {
        QScrollBar* sb = bar == SCROLL_HORZ ? horizontalScrollBar() : verticalScrollBar();
        const ScrollInfo info = viewport_.GetScrollInfo(bar);
        // Qt counts the last thumb position, the viewport the last image pixel.
        sb->setRange(0, info.enabled ? info.maximum - info.page + 1 : 0);
        sb->setPageStep(std::max(info.page, 1));
        sb->setValue(info.position);
        sb->setEnabled(info.enabled);
    }
    syncingBars_ = false;
}

double CVorlinView::SetZoom(double factor) {
    const double previous = viewport_.Zoom();
    const double now = viewport_.SetZoom(factor);
    emit zoomChanged(now);
    OnUpdate(HINT_GEOMETRY, nullptr);
    return previous;
}

IPoint CVorlinView::ToolPoint(QPoint client) const {
    return (viewMode_ & VIEW_SNAP) ? viewport_.SnapToTile(client.x(), client.y())
                                   : viewport_.ClientToImage(client.x(), client.y());
}

void CVorlinView::paintEvent(QPaintEvent* event) {
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), palette().color(QPalette::Dark));
    if (!viewport_.HasImage()) return;
    const QImage image = IndexedView(doc_.GetImage());
    IndexedPainter painter(p, image);
    viewport_.PaintImage(painter);
    viewport_.PaintGrids(painter);
    if (check_ && check_->Active())
        checkOverlay_->Paint(p, event->rect(), viewport_, check_->Check());
    else
        checkOverlay_->Release();
    ViewOverlayPainter overlay(p, viewport_);
    tools_.Current().DrawOverlay(*host_, overlay);
}

void CVorlinView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    viewport_.SetClientSize(viewport()->width(), viewport()->height());
    GeometryUpdate();
}

void CVorlinView::scrollContentsBy(int, int) {
    if (syncingBars_) return;
    const IPoint old = viewport_.Origin();
    viewport_.SetOrigin(horizontalScrollBar()->value(), verticalScrollBar()->value());
    AfterScroll(old);
}

void CVorlinView::ScrollTo(ScrollCode code, int position, ScrollBar bar) {
    const IPoint old = viewport_.Origin();
    if (!viewport_.Scroll(code, position, bar)) return;
    syncingBars_ = true;
    horizontalScrollBar()->setValue(viewport_.Origin().x);
    verticalScrollBar()->setValue(viewport_.Origin().y);
    syncingBars_ = false;
    AfterScroll(old);
}

void CVorlinView::AfterScroll(IPoint oldOrigin) {
    if (viewport_.Origin().x == oldOrigin.x && viewport_.Origin().y == oldOrigin.y) return;
    viewport()->update();
    sketch_->FollowOrigin(viewport_.Origin().x, viewport_.Origin().y);
    sketch_->Refresh();
    emit statusChanged();
}

void CVorlinView::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    const QPoint at = event->position().toPoint();
    if (delta != 0 && viewport_.WheelZoom(delta > 0, at.x(), at.y())) AfterZoom();
}

void CVorlinView::StepZoom(bool zoomIn) {
    const QPoint middle = viewport()->rect().center();
    if (viewport_.ZoomAbout(NextZoomStep(viewport_.Zoom(), zoomIn), middle.x(), middle.y()))
        AfterZoom();
}

void CVorlinView::AfterZoom() {
    emit zoomChanged(viewport_.Zoom());
    OnUpdate(HINT_GEOMETRY, nullptr);
    sketch_->FollowOrigin(viewport_.Origin().x, viewport_.Origin().y);
    sketch_->Refresh();
}

std::uint32_t CVorlinView::PointerFlags(const QMouseEvent* event) const {
    const Qt::MouseButtons buttons = event->buttons() | event->button();
    std::uint32_t flags = 0;
    if (buttons & Qt::LeftButton) flags |= kPointerLeft;
    if (buttons & Qt::RightButton) flags |= kPointerRight;
    if (buttons & Qt::MiddleButton) flags |= kPointerMiddle;
    if (event->modifiers() & Qt::ShiftModifier) flags |= kPointerShift;
    if (event->modifiers() & Qt::ControlModifier) flags |= kPointerCtrl;
    return flags;
}

bool CVorlinView::ForwardsButton(Qt::MouseButton button) const {
    return button == Qt::LeftButton || button == Qt::RightButton ||
           (button == Qt::MiddleButton && !(viewMode_ & VIEW_PAN));
}

void CVorlinView::StartPan(Qt::MouseButton button, QPoint client) {
    viewMode_ |= VIEW_PANNING;
    panButton_ = button;
    panReference_ = client;
    viewport()->setCursor(button == Qt::MiddleButton ? Qt::SizeAllCursor : Qt::ClosedHandCursor);
}

void CVorlinView::StopPan() {
    viewMode_ &= ~VIEW_PANNING;
    panButton_ = Qt::NoButton;
    RestoreCursor();
}

void CVorlinView::RestoreCursor() {
    if (spaceHeld_)
        viewport()->setCursor(Qt::OpenHandCursor);
    else
        viewport()->unsetCursor();
}

void CVorlinView::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    SetPointer(at);
    if (viewMode_ & VIEW_PANNING) return;  // other buttons wait for the pan to end
    if (event->button() == Qt::MiddleButton && (viewMode_ & VIEW_PAN)) {
        StartPan(Qt::MiddleButton, at);
        return;
    }
    // Space held: any tool's left button pans, as in other editors.
    if (event->button() == Qt::LeftButton && spaceHeld_) {
        StartPan(Qt::LeftButton, at);
        return;
    }
    if (!ForwardsButton(event->button())) return;
    const IPoint p = ToolPoint(at);
    CTool& tool = tools_.Current();
    // The press works where the pointer is, also when no move preceded it.
    if (!tool.Stroke().Active()) tool.OnMove(*host_, 0, p.x, p.y);
    tool.OnPress(*host_, PointerFlags(event), p.x, p.y);
    emit statusChanged();
    emit toolActed();
}

void CVorlinView::mouseReleaseEvent(QMouseEvent* event) {
    if (viewMode_ & VIEW_PANNING) {
        if (event->button() == panButton_) StopPan();
        return;
    }
    if (!ForwardsButton(event->button())) return;
    const IPoint p = ToolPoint(event->position().toPoint());
    tools_.Current().OnRelease(*host_, PointerFlags(event), p.x, p.y);
    emit statusChanged();
    emit toolActed();
}

void CVorlinView::mouseDoubleClickEvent(QMouseEvent*) {
    // The second press of a double click never reaches the tool.
}

void CVorlinView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (viewMode_ & VIEW_PANNING) {
        PanStep(at);
        SetPointer(at);
        return;
    }
    if (spaceHeld_) {
        SetPointer(at);
        return;
    }
    const IPoint p = ToolPoint(at);
    tools_.Current().OnMove(*host_, PointerFlags(event), p.x, p.y);
    SetPointer(at);  // after the tool, so the shape size pane is current
    const IPoint raw = viewport_.ClientToImage(at.x(), at.y());
    if (!viewport_.IsVisible(raw) || !tools_.Current().SetToolCursor(*host_))
        viewport()->unsetCursor();
}

void CVorlinView::leaveEvent(QEvent* event) {
    ClearPointer();
    QAbstractScrollArea::leaveEvent(event);
}

void CVorlinView::PanStep(QPoint client) {
    const IPoint before = viewport_.ClientToImage(panReference_.x(), panReference_.y());
    const IPoint after = viewport_.ClientToImage(client.x(), client.y());
    if (before.x == after.x && before.y == after.y) return;
    panReference_ = client;
    const IPoint origin = viewport_.Origin();
    if (before.x != after.x)
        ScrollTo(SCROLL_THUMB_TRACK, origin.x + before.x - after.x, SCROLL_HORZ);
    if (before.y != after.y)
        ScrollTo(SCROLL_THUMB_TRACK, origin.y + before.y - after.y, SCROLL_VERT);
}

void CVorlinView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space) {
        // Not while a tool's stroke runs: the tool would miss its release.
        if (!event->isAutoRepeat() && !tools_.Current().Stroke().Active()) {
            spaceHeld_ = true;
            if (!(viewMode_ & VIEW_PANNING)) RestoreCursor();
        }
        return;
    }
    for (const KeyScroll& scroll : kKeyScrolls) {
        if (scroll.key == event->key()) {
            ScrollTo(scroll.code, 0, scroll.bar);
            return;
        }
    }
    switch (event->key()) {
        case Qt::Key_Escape:
            tools_.Current().Finish(*host_);
            break;
        case Qt::Key_Delete:
            if (tools_.CurrentId() == ID_TOOL_SELECT)
                ProgramTools().Select().DeleteSelection(*host_);
            break;
        default:
            if (!PickToolByKey(*event)) QAbstractScrollArea::keyPressEvent(event);
            return;
    }
}

void CVorlinView::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space || event->isAutoRepeat()) {
        QAbstractScrollArea::keyReleaseEvent(event);
        return;
    }
    spaceHeld_ = false;
    if (!(viewMode_ & VIEW_PANNING)) RestoreCursor();
}

// The Space release goes elsewhere once the focus has left.
void CVorlinView::focusOutEvent(QFocusEvent* event) {
    spaceHeld_ = false;
    if (!(viewMode_ & VIEW_PANNING)) RestoreCursor();
    QAbstractScrollArea::focusOutEvent(event);
}

// A plain letter picks the tool whose tool tip names it. Text fields never pass keys here, so
// typing elsewhere cannot switch tools.
bool CVorlinView::PickToolByKey(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event.text();
    if (text.size() != 1 || text[0].unicode() > 0x7f) return false;
    const int id = ToolForKey(static_cast<char>(text[0].unicode()));
    if (id == 0) return false;
    SelectTool(id);
    return true;
}

void CVorlinView::SetPointer(QPoint client) {
    hasPointer_ = true;
    pointer_ = client;
    emit statusChanged();
}

void CVorlinView::ClearPointer() {
    hasPointer_ = false;
    emit statusChanged();
}

bool CVorlinView::PointerPixel(IPoint& at) const {
    if (!hasPointer_) return false;
    at = viewport_.ClientToImage(pointer_.x(), pointer_.y());
    return viewport_.IsVisible(at);
}

QString CVorlinView::PositionText() const {
    if (!hasPointer_) return {};
    const IPoint p = viewport_.ClientToImage(pointer_.x(), pointer_.y());
    if (!viewport_.IsVisible(p)) return {};
    return QString::asprintf("(%3d, %3d)", p.x, p.y);
}

QString CVorlinView::SizeText() const {
    const IRect& r = ProgramTools().Stroke().shapeRect;
    if (r.IsEmpty()) return {};
    return QString::asprintf("[%d, %d]", r.Width(), r.Height());
}

bool CVorlinView::SelectTool(int id) {
    if (!tools_.Select(*host_, id)) return false;
    emit toolChanged(tools_.CurrentId());
    emit toolOptionShown(tools_.Current().Option());
    return true;
}

void CVorlinView::ChooseToolOption(unsigned index) {
    tools_.ChooseOption(*host_, index);
}

bool CVorlinView::EditCommand(int id) {
    CSelectTool& select = ProgramTools().Select();
    if (const PasteModeItem* paste = FindPasteMode(id)) {
        select.SetPasteMode(paste->mode);
        return true;
    }
    switch (id) {
        case ID_EDIT_COPY:
            select.CopyToClipboard(*host_, false);
            return true;
        case ID_EDIT_CUT:
            select.CopyToClipboard(*host_, true);
            viewport()->update();
            return true;
        case ID_EDIT_PASTE:
            select.PasteSequence(*host_);
            return true;
        case ID_IMAGE_FLIP_H:
            select.FlipSelection(*host_, true);
            return true;
        case ID_IMAGE_FLIP_V:
            select.FlipSelection(*host_, false);
            return true;
        case ID_IMAGE_ROTATE_LEFT:
            select.RotateSelection(*host_, false);
            return true;
        case ID_IMAGE_ROTATE_RIGHT:
            select.RotateSelection(*host_, true);
            return true;
        default:
            return false;
    }
}

bool CVorlinView::UpdateEditCommand(int id, CommandState& state) {
    if (const PasteModeItem* paste = FindPasteMode(id)) {
        state.checked = ProgramTools().Select().GetPasteMode() == paste->mode;
        return true;
    }
    switch (id) {
        // These act on the floating selection only; without one they would do nothing.
        case ID_EDIT_COPY:
        case ID_EDIT_CUT:
        case ID_IMAGE_FLIP_H:
        case ID_IMAGE_FLIP_V:
        case ID_IMAGE_ROTATE_LEFT:
        case ID_IMAGE_ROTATE_RIGHT:
            state.enabled = ProgramTools().Select().HasSelection();
            return true;
        case ID_EDIT_PASTE:
            state.enabled = CanPaste(host_->Clipboard());
            return true;
        default:
            return false;
    }
}

QString CVorlinView::IndexText() const {
    if (!hasPointer_) return {};
    const IPoint p = viewport_.ClientToImage(pointer_.x(), pointer_.y());
    if (!viewport_.IsVisible(p)) return {};
    return QString::asprintf("0x%02X", doc_.GetImage().GetPixel(p.x, p.y));
}

void CVorlinView::ToggleMode(int bit) {
    viewMode_ ^= bit;
}

void CVorlinView::ShowGridSettings() {
    GridSettings current{viewport_.TexelGrid(), viewport_.TileGrid(), viewport_.TileWidth(),
                         viewport_.TileHeight()};
    GridSettingsDialog dialog(current, this);
    if (dialog.exec() != QDialog::Accepted) return;
    const GridSettings& v = dialog.Values();
    viewport_.SetAutoLayout(false);
    viewport_.SetTileSize(v.tileWidth, v.tileHeight);
    viewport_.SetTexelGrid(v.texelGrid);
    viewport_.SetTileGrid(v.tileGrid);
    viewport_.SetAutoLayout(true);
    OnUpdate(HINT_GEOMETRY, nullptr);
}

bool CVorlinView::OnCommand(int id) {
    if (id >= ID_TOOL_FIRST && id <= ID_TOOL_LAST) {
        SelectTool(id);
        return true;
    }
    if (EditCommand(id)) return true;
    switch (id) {
        case ID_VIEW_TEXEL_GRID:
            viewport_.SetTexelGrid(!viewport_.TexelGrid());
            OnUpdate(HINT_GEOMETRY, nullptr);
            return true;
        case ID_VIEW_TILE_GRID:
            viewport_.SetTileGrid(!viewport_.TileGrid());
            OnUpdate(HINT_GEOMETRY, nullptr);
            return true;
        case ID_VIEW_TILE_SNAP:
            ToggleMode(VIEW_SNAP);
            return true;
        case ID_VIEW_PAN:
            ToggleMode(VIEW_PAN);
            return true;
        case ID_VIEW_GRID_SETTINGS:
            ShowGridSettings();
            return true;
        case ID_VIEW_ZOOM_UP:
        case ID_VIEW_ZOOM_DOWN:
            StepZoom(id == ID_VIEW_ZOOM_UP);
            return true;
        case ID_VIEW_ZOOM_FIT:
            FitToView();
            return true;
        case ID_VIEW_SKETCH:
            sketch_->Show(!sketch_->IsShown());
            if (sketch_->IsShown()) {
                sketch_->FollowOrigin(viewport_.Origin().x, viewport_.Origin().y);
                sketch_->Refresh();
            }
            return true;
        case ID_EDIT_UNDO:
            tools_.Current().Finish(*host_);
            doc_.Undo();
            return true;
        default:
            return false;
    }
}

bool CVorlinView::OnUpdateCommand(int id, CommandState& state) {
    if (id >= ID_TOOL_FIRST && id <= ID_TOOL_LAST) {
        state.enabled = tools_.IsEnabled(id);
        state.checked = tools_.IsPressed(id);
        return true;
    }
    if (UpdateEditCommand(id, state)) return true;
    switch (id) {
        case ID_VIEW_TEXEL_GRID:
            state.checked = viewport_.TexelGrid();
            return true;
        case ID_VIEW_TILE_GRID:
            state.checked = viewport_.TileGrid();
            return true;
        case ID_VIEW_TILE_SNAP:
            state.checked = (viewMode_ & VIEW_SNAP) != 0;
            return true;
        case ID_VIEW_PAN:
            state.checked = (viewMode_ & VIEW_PAN) != 0;
            return true;
        case ID_VIEW_GRID_SETTINGS:
        case ID_VIEW_ZOOM_UP:
        case ID_VIEW_ZOOM_DOWN:
        case ID_VIEW_ZOOM_FIT:
            return true;
        case ID_VIEW_SKETCH:
            state.checked = sketch_->IsShown();
            return true;
        case ID_EDIT_UNDO:
            state.enabled = doc_.history.CanUndo();
            return true;
        default:
            return false;
    }
}

}  // namespace vorlin
