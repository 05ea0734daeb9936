// The palette bar's surface: swatches, bank strip, Left/Mid/Right indicators, the "16"
// button, the hover texts and one slider and edit per colour channel. It only shows its
// model and forwards mouse, slider and edit input to it.
#pragma once

#include <QWidget>
#include <array>
#include <utility>
#include <vector>

#include "app/palette_bar_model.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace vorlin {

class CPaletteBar : public QWidget {
    Q_OBJECT
  public:
    explicit CPaletteBar(PaletteBarModel& model, QWidget* parent = nullptr);

    QSlider* Slider(int channel) const { return sliders_.at(static_cast<std::size_t>(channel)); }
    QLineEdit* Edit(int channel) const { return edits_.at(static_cast<std::size_t>(channel)); }
    QPushButton* SixteenButton() const { return sixteen_; }
    QLabel* IndexLabel() const { return indexText_; }
    QLabel* ColorLabel() const { return colorText_; }

    // Every length times `scale` (1 to 3): larger swatches for fine screens.
    void SetScale(int scale);
    int Scale() const { return scale_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

  signals:
    // The "16" button was pressed; the document decides what follows.
    void sixteenClicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    void CreateChannelControls();
    void CreateHoverTexts();
    // Puts the model's state into the child controls and repaints.
    void SyncFromModel();
    void OnEditChanged(int channel, const QString& text);
    void OnSliderMoved(int channel, int position);
    // Puts a child at `r` of the unscaled layout, now and after each change of scale.
    void Place(QWidget* w, const IRect& r, int id);
    void Fit(QWidget* w, const IRect& r) const;
    void PlaceAll();
    // Whole units of the unscaled layout (QPoint's division would round).
    QPoint Unscaled(QPoint p) const { return {p.x() / scale_, p.y() / scale_}; }

    PaletteBarModel& model_;
    std::array<QSlider*, 3> sliders_{};
    std::array<QLineEdit*, 3> edits_{};
    QPushButton* sixteen_ = nullptr;
    QLabel* indexText_ = nullptr;
    QLabel* colorText_ = nullptr;
    // The channel whose edit is being handled: its text is the user's and stays as typed.
    int editing_ = -1;
    int scale_ = 1;
    std::vector<std::pair<QWidget*, IRect>> placed_;
};

}  // namespace vorlin
