// The "View options" bar: the zoom box (33221) and the texel grid, tile grid and pan buttons.
#pragma once

#include <QToolBar>

class QComboBox;

namespace vorlin {

class ViewBar : public QToolBar {
    Q_OBJECT
  public:
    static constexpr int kZoomFactors[] = {1, 2, 4, 6, 8, 16};

    explicit ViewBar(QWidget* parent = nullptr);
    QComboBox* ZoomBox() const { return zoomBox_; }
    // Shows the factor as "%gx" in the edit field.
    void ShowZoom(double factor);
    // The first list entry, as after a new or opened document.
    void SelectFirstZoom();

  signals:
    // A zoom chosen from the list or typed (factors of 0 or less are passed on; the view ignores
    // them).
    void zoomRequested(double factor);

  private:
    void OnEnter();

    QComboBox* zoomBox_;
};

}  // namespace vorlin
