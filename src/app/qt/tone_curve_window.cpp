#include "app/qt/tone_curve_window.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "app/palette_dialogs.h"
#include "app/qt/mnemonic_buddies.h"
#include "app/ui_services.h"

namespace vorlin {
namespace {

constexpr int kSliderIds[] = {IDC_TONE_BRIGHTNESS_SLIDER, IDC_TONE_CONTRAST_SLIDER,
                              IDC_TONE_INTENSITY_SLIDER, IDC_TONE_GAMMA_SLIDER};
constexpr int kEditIds[] = {IDC_TONE_BRIGHTNESS_EDIT, IDC_TONE_CONTRAST_EDIT,
                            IDC_TONE_INTENSITY_EDIT, IDC_TONE_GAMMA_EDIT};

QLineEdit* RangeEdit(DialogIntField& field, QWidget* parent) {
    auto* edit = new QLineEdit(QString::fromStdString(field.text), parent);
    edit->setObjectName(QString::number(field.id));
    edit->setMaxLength(12);
    // The preview reads the range when a value changes; typing here alone previews nothing.
    QObject::connect(edit, &QLineEdit::textChanged,
                     [&field](const QString& text) { field.text = text.toStdString(); });
    return edit;
}

void Refuse(const std::string& refusal) {
    if (!refusal.empty()) UiServicesInstance().Inform(refusal, UiIcon::Warning);
}

}  // namespace

ToneCurveWindow::ToneCurveWindow(ToneCurveDialogModel& model, QWidget* parent)
    : QDialog(parent), model_(model) {
    setWindowTitle(kToneCurveCaption);
    first_ = RangeEdit(model_.First(), this);
    last_ = RangeEdit(model_.Last(), this);
    fromBar_ = new QPushButton("I", this);
    fromBar_->setObjectName(QString::number(IDC_PAL_FROM_BAR));
    fromBar_->setAutoDefault(false);
    fromBar_->setToolTip("Take the range between the palette bar's Left and Right colours");
    connect(fromBar_, &QPushButton::clicked, this, &ToneCurveWindow::TakeFromBar);
    auto* range = new QHBoxLayout;
    range->addWidget(first_);
    range->addWidget(last_);
    range->addWidget(fromBar_);

    auto* form = new QFormLayout;
    form->addRow("first / last", range);
    AddControlRow(form, ToneControl::Brightness, "&brightness");
    AddControlRow(form, ToneControl::Contrast, "&contrast");
    AddControlRow(form, ToneControl::Intensity, "&intensity");
    AddControlRow(form, ToneControl::Gamma, "&gamma");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &ToneCurveWindow::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ToneCurveWindow::reject);
    auto* body = new QVBoxLayout(this);
    body->addLayout(form);
    body->addWidget(buttons);
    // Rows whose field is a slider with its edit get no buddy from the form.
    AssignBuddies(this);
}

void ToneCurveWindow::AddControlRow(QFormLayout* form, ToneControl control, const char* label) {
    const std::size_t i = Index(control);
    auto* slider = new QSlider(Qt::Horizontal, this);
    slider->setObjectName(QString::number(kSliderIds[i]));
    slider->setRange(kToneSliderMin, kToneSliderMax);
    slider->setTickInterval(kToneSliderTick);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setMinimumWidth(200);
    slider->setValue(model_.SliderPosition(control));
    auto* edit = new QLineEdit(QString::fromStdString(model_.EditText(control)), this);
    edit->setObjectName(QString::number(kEditIds[i]));
    edit->setMaxLength(12);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance("-100.00") + 16);
    // The slider writes its edit; the edit's handler previews and moves the slider back.
    connect(slider, &QSlider::valueChanged, this, [this, control](int position) {
        Edit(control)->setText(QString::fromStdString(model_.OnSliderMoved(control, position)));
    });
    connect(edit, &QLineEdit::textChanged, this,
            [this, control](const QString& text) { OnEditChanged(control, text); });
    auto* row = new QHBoxLayout;
    row->addWidget(slider);
    row->addWidget(edit);
    form->addRow(label, row);
    sliders_[i] = slider;
    edits_[i] = edit;
}

void ToneCurveWindow::OnEditChanged(ToneControl control, const QString& text) {
    const ToneEditResult result = model_.OnEditChanged(control, text.toStdString());
    if (result.rewritten) {
        QLineEdit* edit = Edit(control);
        const QSignalBlocker block(edit);
        edit->setText(QString::fromStdString(result.text));
        edit->selectAll();
    }
    {
        const QSignalBlocker block(Slider(control));
        Slider(control)->setValue(result.sliderPosition);
    }
    Refuse(result.refusal);
}

void ToneCurveWindow::TakeFromBar() {
    model_.GetFromBar();
    first_->setText(QString::fromStdString(model_.First().text));
    last_->setText(QString::fromStdString(model_.Last().text));
}

void ToneCurveWindow::accept() {
    const std::string refusal = model_.Close(true);
    if (!refusal.empty()) return Refuse(refusal);
    QDialog::accept();
}

void ToneCurveWindow::reject() {
    model_.Close(false);
    QDialog::reject();
}

}  // namespace vorlin
