// The main view: the picture magnified with texel and tile grids, scrolling, wheel zoom,
// panning, tile snap, the grid and sketch commands and the three status-pane texts.
#pragma once

#include <QAbstractScrollArea>
#include <QPoint>
#include <functional>
#include <memory>

#include "document/vorlin_doc.h"
#include "tools/tool_box.h"
#include "app/command_router.h"
#include "app/image_viewport.h"

namespace vorlin {

class ButtonSlots;
class ConsoleCheckLink;
class ConsoleCheckOverlay;
class CSketchWnd;
class Profile;
class ViewToolHost;

// View mode bits.
enum ViewModeBits : int {
    VIEW_PAN = 0x01,      // the middle button pans
    VIEW_PANNING = 0x02,  // a pan is in progress
    VIEW_SNAP = 0x04,     // pointer positions snap to tile corners
};

class CVorlinView : public QAbstractScrollArea, public ViewObserver, public CommandTarget {
    Q_OBJECT
  public:
    CVorlinView(CVorlinDoc& doc, ButtonSlots& buttons, QWidget* parent = nullptr);
    ~CVorlinView() override;

    // ViewObserver
    void OnUpdate(int hint, const void* object) override;
    // CommandTarget
    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CommandState& state) override;

    // A document was created or opened: zoom 1, then a full update.
    void OnInitialUpdate();
    // Returns the previous factor.
    double SetZoom(double factor);
    // The largest zoom step at which the whole picture fits the view without scroll bars.
    void FitToView();

    ImageViewport& Viewport() { return viewport_; }
    const ImageViewport& Viewport() const { return viewport_; }
    CVorlinDoc& Document() { return doc_; }
    CSketchWnd& Sketch() { return *sketch_; }
    int ViewMode() const { return viewMode_; }
    // Image position used by tools: unsnapped, or snapped to tile corners in snap mode.
    IPoint ToolPoint(QPoint client) const;

    // Status-pane texts for the pointer position last seen: "pos", "size", "clrid".
    QString PositionText() const;
    QString SizeText() const;
    QString IndexText() const;

    void SaveSettings(Profile& profile) const;
    // The console check whose marks the view paints (not owned; may be null).
    void SetConsoleCheck(const ConsoleCheckLink* check) { check_ = check; }
    // The picture pixel under the pointer; false when the pointer is off the picture.
    bool PointerPixel(IPoint& at) const;

    // Tool switch; -1 is the previous tool. False when no tool has the identifier.
    bool SelectTool(int id);
    // The tools bar's option list picked another entry for the current tool.
    void ChooseToolOption(unsigned index);
    CTool& CurrentTool() const { return tools_.Current(); }
    ViewToolHost& Host() { return *host_; }

  signals:
    void zoomChanged(double factor);
    void statusChanged();
    // A tool handled a press or release: Undo, Copy and the others may have changed state.
    void toolActed();
    // The current tool's option list should show this entry.
    void toolOptionShown(unsigned index);
    void toolChanged(int id);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void LoadSettings(const Profile& profile);
    void GeometryUpdate();
    void SyncScrollBars();
    void ScrollTo(ScrollCode code, int position, ScrollBar bar);
    void AfterScroll(IPoint oldOrigin);
    void PanStep(QPoint client);
    // Starts a pan with `button` (the middle button in pan mode, the left one with Space held).
    void StartPan(Qt::MouseButton button, QPoint client);
    void StopPan();
    // The cursor while no pan runs: an open hand while Space is held.
    void RestoreCursor();
    // The zoom box, the view and the sketch follow a zoom change.
    void AfterZoom();
    // Steps the zoom about the middle of the view.
    void StepZoom(bool zoomIn);
    bool PickToolByKey(const QKeyEvent& event);
    void ToggleMode(int bit);
    void ShowGridSettings();
    void SetPointer(QPoint client);
    void ClearPointer();
    std::uint32_t PointerFlags(const QMouseEvent* event) const;
    bool ForwardsButton(Qt::MouseButton button) const;
    bool EditCommand(int id);
    bool UpdateEditCommand(int id, CommandState& state);

    CVorlinDoc& doc_;
    ImageViewport viewport_;
    CSketchWnd* sketch_;
    int viewMode_ = 0;
    std::unique_ptr<ViewToolHost> host_;
    ToolSwitch tools_;
    QPoint panReference_;
    Qt::MouseButton panButton_ = Qt::NoButton;
    bool spaceHeld_ = false;
    // "Fit new pictures" waits for the window's first layout.
    bool fitPending_ = false;
    bool syncingBars_ = false;
    bool hasPointer_ = false;
    QPoint pointer_;
    const ConsoleCheckLink* check_ = nullptr;
    std::unique_ptr<ConsoleCheckOverlay> checkOverlay_;
};

}  // namespace vorlin
