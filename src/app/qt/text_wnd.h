// The text tool's floating editor: a font tool bar above an edit field. Every change of the
// text or the font, and closing the window, is reported to the owner.
#pragma once

#include <QWidget>
#include <functional>

#include "tools/text_ports.h"

class QComboBox;
class QPlainTextEdit;
class QToolButton;

namespace vorlin {

class CTextWnd : public QWidget, public TextEditorPort {
    Q_OBJECT
  public:
    static constexpr int kSizes[] = {6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16,
                                     18, 22, 24, 26, 28, 30, 32, 36, 48, 60};
    static constexpr int kDefaultSize = 10;

    explicit CTextWnd(QWidget* owner);
    void SetChangedHandler(std::function<void()> handler) { changed_ = std::move(handler); }

    // TextEditorPort: the window exists from construction on.
    bool Exists() const override { return true; }
    bool Create() override { return true; }
    void Show() override;
    void Hide() override;
    bool IsVisible() const override { return isVisible(); }
    std::string Text() const override;
    FontDescription Font() const override { return font_; }

    QPlainTextEdit* Edit() const { return edit_; }
    QComboBox* FaceBox() const { return faceBox_; }
    QComboBox* SizeBox() const { return sizeBox_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void FontChanged();
    void Changed();

    QComboBox* faceBox_;
    QComboBox* sizeBox_;
    QToolButton* bold_;
    QToolButton* italic_;
    QToolButton* underline_;
    QPlainTextEdit* edit_;
    FontDescription font_;
    std::function<void()> changed_;
};

}  // namespace vorlin
