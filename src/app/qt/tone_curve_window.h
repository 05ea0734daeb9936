// "Adjust tone curve": four sliders with their edits preview the palette live in every
// view; OK keeps the result, Cancel and the close box bring the palette back.
#pragma once

#include <QDialog>
#include <array>

#include "app/tone_curve_dialog.h"

class QFormLayout;
class QLineEdit;
class QPushButton;
class QSlider;

namespace vorlin {

class ToneCurveWindow : public QDialog {
    Q_OBJECT
  public:
    // The model is opened (undo state, saved palette, neutral preview) before the window.
    ToneCurveWindow(ToneCurveDialogModel& model, QWidget* parent);

    QSlider* Slider(ToneControl control) const { return sliders_[Index(control)]; }
    QLineEdit* Edit(ToneControl control) const { return edits_[Index(control)]; }
    QLineEdit* FirstEdit() const { return first_; }
    QLineEdit* LastEdit() const { return last_; }
    QPushButton* FromBarButton() const { return fromBar_; }

    void accept() override;
    void reject() override;

  private:
    static std::size_t Index(ToneControl control) { return static_cast<std::size_t>(control); }
    void AddControlRow(QFormLayout* form, ToneControl control, const char* label);
    void OnEditChanged(ToneControl control, const QString& text);
    void TakeFromBar();

    ToneCurveDialogModel& model_;
    std::array<QSlider*, 4> sliders_{};
    std::array<QLineEdit*, 4> edits_{};
    QLineEdit* first_;
    QLineEdit* last_;
    QPushButton* fromBar_;
};

}  // namespace vorlin
