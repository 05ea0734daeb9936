// A number box with the dialog-exchange checks: text that is no integer, or a value outside
// the range, shows the standard message, puts the focus back on the box and stops the exchange.
#pragma once

#include <QLineEdit>

namespace vorlin {

inline constexpr const char* kRangeMessage = "Please enter an integer between %1 and %2.";
inline constexpr const char* kIntegerMessage = "Please enter an integer.";

class IntField : public QLineEdit {
    Q_OBJECT
  public:
    IntField(int minimum, int maximum, QWidget* parent = nullptr);

    void SetValue(int value);
    // The typed value, or false after telling the user (focus on the box).
    bool Read(int* value);
    // The accepted values may follow other settings (an area must lie on the picture).
    void SetRange(int minimum, int maximum) {
        minimum_ = minimum;
        maximum_ = maximum;
    }
    int Minimum() const { return minimum_; }
    int Maximum() const { return maximum_; }

  private:
    int minimum_;
    int maximum_;
};

// Reads every field in order; stops at the first refusal.
bool ReadFields(std::initializer_list<std::pair<IntField*, int*>> fields);

}  // namespace vorlin
