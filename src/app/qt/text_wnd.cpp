#include "app/qt/text_wnd.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/command_ids.h"

namespace vorlin {

namespace {

constexpr int kMaxFaceLength = 31;

QToolButton* ToggleButton(const QString& text, int id, QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setText(text);
    b->setCheckable(true);
    b->setObjectName(QString::number(id));
    return b;
}

}  // namespace

CTextWnd::CTextWnd(QWidget* owner) : QWidget(owner, Qt::Tool) {
    setWindowTitle("Text editor");
    setGeometry(32, 32, 400, 128);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bar = new QToolBar(this);
    faceBox_ = new QComboBox(bar);
    faceBox_->setObjectName(QString::number(ID_TEXT_FONT));
    QStringList families = QFontDatabase::families();
    families.sort(Qt::CaseInsensitive);
    faceBox_->addItems(families);
    faceBox_->setMinimumContentsLength(32);
    faceBox_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    const int times = faceBox_->findText("Times New Roman");
    if (times >= 0) faceBox_->setCurrentIndex(times);
    sizeBox_ = new QComboBox(bar);
    sizeBox_->setObjectName(QString::number(ID_TEXT_SIZE));
    for (int s : kSizes) sizeBox_->addItem(QString::asprintf("%d", s), s);
    sizeBox_->setCurrentIndex(sizeBox_->findData(kDefaultSize));
    bold_ = ToggleButton("B", ID_TEXT_BOLD, bar);
    italic_ = ToggleButton("I", ID_TEXT_ITALIC, bar);
    underline_ = ToggleButton("U", ID_TEXT_UNDERLINE, bar);
    bar->addWidget(faceBox_);
    bar->addWidget(sizeBox_);
    for (QToolButton* b : {bold_, italic_, underline_}) bar->addWidget(b);
    edit_ = new QPlainTextEdit(this);
    layout->addWidget(bar);
    layout->addWidget(edit_);

    FontChanged();
    connect(faceBox_, &QComboBox::currentIndexChanged, this, [this] {
        FontChanged();
        Changed();
    });
    connect(sizeBox_, &QComboBox::currentIndexChanged, this, [this] {
        FontChanged();
        Changed();
    });
    for (QToolButton* b : {bold_, italic_, underline_})
        connect(b, &QToolButton::toggled, this, [this] {
            FontChanged();
            Changed();
        });
    connect(edit_, &QPlainTextEdit::textChanged, this, &CTextWnd::Changed);
}

void CTextWnd::FontChanged() {
    // Points to pixels at the screen's vertical resolution, as the font height is a pixel count.
    const QScreen* s = screen();
    const int dpi = s ? static_cast<int>(s->logicalDotsPerInchY()) : 96;
    font_.height = sizeBox_->currentData().toInt() * dpi / 72;
    font_.weight = bold_->isChecked() ? 700 : 400;
    font_.italic = italic_->isChecked();
    font_.underline = underline_->isChecked();
    font_.face = faceBox_->currentText().left(kMaxFaceLength).toStdString();
}

void CTextWnd::Changed() {
    if (changed_) changed_();
}

void CTextWnd::Show() {
    const QSignalBlocker quiet(edit_);
    edit_->clear();
    show();
    raise();
    edit_->setFocus();
}

void CTextWnd::Hide() {
    hide();
}

std::string CTextWnd::Text() const {
    // Line breaks as the engine expects them, whatever the platform.
    return edit_->toPlainText().toStdString();
}

void CTextWnd::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
    Changed();
}

}  // namespace vorlin
