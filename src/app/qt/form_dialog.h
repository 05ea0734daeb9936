// Base of the small modal dialogs: a form of labelled rows above OK and Cancel, where OK
// runs the dialog's exchange and closes only when every field was accepted.
#pragma once

#include <QDialog>

class QFormLayout;
class QVBoxLayout;

namespace vorlin {

class FormDialog : public QDialog {
    Q_OBJECT
  public:
    explicit FormDialog(const QString& caption, QWidget* parent = nullptr);

    void accept() override;

  protected:
    // The rows are complete by now: labels get the fields their mnemonics name.
    void showEvent(QShowEvent* event) override;

    // Reads the fields into the dialog's values; false keeps the dialog open.
    virtual bool Exchange() = 0;
    QFormLayout* Form() const { return form_; }
    // Room above the form (notes) and between form and buttons.
    QVBoxLayout* Body() const { return body_; }

  private:
    QVBoxLayout* body_;
    QFormLayout* form_;
};

}  // namespace vorlin
