// A modeless palette dialog over its model: one edit per numbered field, the small "I"
// button that takes the palette bar's selections, the action button and Exit. Exit,
// Escape and the close box only hide it; Return applies and then hides.
#pragma once

#include <QDialog>
#include <QMap>
#include <vector>

class QFormLayout;
class QLineEdit;
class QPushButton;

namespace vorlin {

class PaletteDialogModel;

struct FieldLabel {
    int id;
    const char* label;
};

class PaletteToolDialog : public QDialog {
    Q_OBJECT
  public:
    PaletteToolDialog(PaletteDialogModel& model, const std::vector<FieldLabel>& fields,
                      QWidget* parent);

    // First use takes the bar's selections; later uses show the kept values again.
    void ShowDialog();

    QLineEdit* FieldEdit(int id) const { return edits_.value(id, nullptr); }
    QPushButton* ApplyButton() const { return apply_; }
    QPushButton* FromBarButton() const { return fromBar_; }
    QPushButton* ExitButton() const { return exit_; }

    void reject() override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    QFormLayout* Form() const { return form_; }
    // Check boxes and choices beyond the numbered fields.
    virtual void ReadExtras() {}
    virtual void WriteExtras() {}

  private:
    // Runs the operation; false (after saying why) when a field was refused.
    bool Apply();
    void TakeFromBar();
    void ReadFields();
    void WriteFields();

    PaletteDialogModel& model_;
    QFormLayout* form_;
    QMap<int, QLineEdit*> edits_;
    QPushButton* apply_;
    QPushButton* fromBar_;
    QPushButton* exit_;
};

}  // namespace vorlin
