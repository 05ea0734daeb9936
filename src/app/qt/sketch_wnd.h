// The sketch window: a floating tool window showing the picture at 1x or 2x, following the
// main view's scroll position.
#pragma once

#include <QPoint>
#include <QWidget>

namespace vorlin {

class CIndexImage;
class Profile;

class CSketchWnd : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kFollowMargin = 16;

    explicit CSketchWnd(QWidget* owner);

    // False (ignored) for no image.
    bool SetSketchImage(const CIndexImage* image);
    void Show(bool visible);
    bool IsShown() const { return visible_; }
    bool FollowOrigin(int x, int y);
    bool Refresh();
    int Zoom() const { return zoom_; }
    void SetZoom(int zoom);
    QPoint SketchOrigin() const { return origin_; }

    void LoadSettings(const Profile& profile);
    void SaveSettings(Profile& profile) const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    const CIndexImage* image_ = nullptr;
    QPoint origin_;
    int zoom_ = 1;
    bool visible_ = false;
};

}  // namespace vorlin
