#include "app/qt/palette_bar.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <algorithm>

#include "app/command_ids.h"
#include "app/qt/palette_bar_painter.h"

namespace vorlin {
namespace {

constexpr int kBarWidth = 180;
constexpr int kBarHeight = 345;
// Channel columns line up with the Left, Mid and Right indicators below them.
constexpr int kColumnLeft = 14;
constexpr int kColumnStep = 56;
constexpr int kColumnWidth = 40;
constexpr int kSliderIds[] = {2048, 2049, 2050};
constexpr int kEditIds[] = {2054, 2055, 2056};
constexpr int kIndexTextId = 2061;
constexpr int kColorTextId = 2062;
constexpr const char* kChannelNames[] = {"Red", "Green", "Blue"};

int SlotOfButton(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return kSlotLeft;
        case Qt::MiddleButton:
            return kSlotMid;
        case Qt::RightButton:
            return kSlotRight;
        default:
            return 0;
    }
}

}  // namespace

CPaletteBar::CPaletteBar(PaletteBarModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setMouseTracking(true);
    // Right clicks pick the Right colour; they must not open the frame's bar menu.
    setContextMenuPolicy(Qt::PreventContextMenu);
    setFixedSize(sizeHint());
    CreateChannelControls();
    CreateHoverTexts();
    sixteen_ = new QPushButton("16", this);
    sixteen_->setCheckable(true);
    sixteen_->setFocusPolicy(Qt::NoFocus);
    sixteen_->setToolTip("Sixteen-colour mode: pick a 16-colour bank in the strip");
    Place(sixteen_, palbar::kSixteenButton, ID_PALBAR_SIXTEEN);
    // The model decides the mode; the button only shows it.
    connect(sixteen_, &QPushButton::clicked, this, [this] {
        sixteen_->setChecked(model_.SixteenMode());
        emit sixteenClicked();
    });
    model_.SetChangedHandler([this] { SyncFromModel(); });
    SyncFromModel();
}

QSize CPaletteBar::sizeHint() const {
    return {kBarWidth * scale_, kBarHeight * scale_};
}

void CPaletteBar::Place(QWidget* w, const IRect& r, int id) {
    w->setObjectName(QString::number(id));
    placed_.emplace_back(w, r);
    Fit(w, r);
}

void CPaletteBar::Fit(QWidget* w, const IRect& r) const {
    w->setGeometry(r.left * scale_, r.top * scale_, r.Width() * scale_, r.Height() * scale_);
}

void CPaletteBar::SetScale(int scale) {
    scale = std::clamp(scale, 1, 3);
    if (scale == scale_) return;
    scale_ = scale;
    setFixedSize(sizeHint());
    PlaceAll();
    update();
}

void CPaletteBar::PlaceAll() {
    for (const auto& [w, r] : placed_) Fit(w, r);
    for (QLabel* label : {indexText_, colorText_}) {
        QFont small = label->font();
        small.setPixelSize(10 * scale_);
        label->setFont(small);
    }
}

void CPaletteBar::CreateChannelControls() {
    for (int ch = kChannelRed; ch <= kChannelBlue; ++ch) {
        const auto i = static_cast<std::size_t>(ch);
        const int left = kColumnLeft + ch * kColumnStep;
        auto* slider = new QSlider(Qt::Vertical, this);
        // Position 0 at the top: the top is the channel maximum.
        slider->setInvertedAppearance(true);
        slider->setInvertedControls(true);
        slider->setFocusPolicy(Qt::NoFocus);
        slider->setToolTip(kChannelNames[i]);
        Place(slider, IRect{left + 10, 6, left + 30, 110}, kSliderIds[i]);
        connect(slider, &QSlider::valueChanged, this,
                [this, ch](int position) { OnSliderMoved(ch, position); });
        auto* edit = new QLineEdit(this);
        edit->setAlignment(Qt::AlignRight);
        edit->setMaxLength(8);
        edit->setToolTip(kChannelNames[i]);
        Place(edit, IRect{left, 114, left + kColumnWidth, 136}, kEditIds[i]);
        connect(edit, &QLineEdit::textChanged, this,
                [this, ch](const QString& text) { OnEditChanged(ch, text); });
        sliders_[i] = slider;
        edits_[i] = edit;
    }
}

void CPaletteBar::CreateHoverTexts() {
    indexText_ = new QLabel(this);
    colorText_ = new QLabel(this);
    Place(indexText_, palbar::kIndexText, kIndexTextId);
    Place(colorText_, palbar::kColorText, kColorTextId);
    for (QLabel* label : {indexText_, colorText_}) {
        QFont small = label->font();
        small.setPixelSize(10);
        label->setFont(small);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
}

void CPaletteBar::SyncFromModel() {
    for (int ch = kChannelRed; ch <= kChannelBlue; ++ch) {
        const auto i = static_cast<std::size_t>(ch);
        {
            const QSignalBlocker block(sliders_[i]);
            sliders_[i]->setRange(0, model_.ChannelMax());
            sliders_[i]->setValue(model_.SliderPosition(ch));
        }
        const QString text = QString::fromStdString(model_.ChannelText(ch));
        // Rewriting an edit runs its handler, which finds the values matching and stores nothing.
        if (ch != editing_ && edits_[i]->text() != text) edits_[i]->setText(text);
    }
    indexText_->setText(QString::fromStdString(model_.IndexText()));
    colorText_->setText(QString::fromStdString(model_.ColorText()));
    sixteen_->setChecked(model_.SixteenMode());
    update();
}

void CPaletteBar::OnEditChanged(int channel, const QString& text) {
    const int previous = editing_;
    editing_ = channel;
    const ChannelEditResult result = model_.OnChannelEdited(channel, text.toStdString());
    editing_ = previous;
    QLineEdit* edit = Edit(channel);
    if (result.rewritten) {
        edit->setText(QString::fromStdString(result.text));
        edit->selectAll();
    }
    const QSignalBlocker block(Slider(channel));
    Slider(channel)->setValue(result.sliderPosition);
}

void CPaletteBar::OnSliderMoved(int channel, int position) {
    Edit(channel)->setText(QString::fromStdString(model_.OnSliderMoved(channel, position)));
}

void CPaletteBar::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.scale(scale_, scale_);
    const QRect r = event->rect();
    PaintPaletteBar(painter, model_, palette(),
                    QRect(Unscaled(r.topLeft()), Unscaled(r.bottomRight()) + QPoint(1, 1)));
}

void CPaletteBar::mousePressEvent(QMouseEvent* event) {
    const int slot = SlotOfButton(event->button());
    if (slot == 0) return QWidget::mousePressEvent(event);
    const QPoint at = Unscaled(event->position().toPoint());
    model_.OnMousePress(slot, at.x(), at.y());
    event->accept();
}

void CPaletteBar::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = Unscaled(event->position().toPoint());
    model_.OnMouseMove(at.x(), at.y());
}

}  // namespace vorlin
