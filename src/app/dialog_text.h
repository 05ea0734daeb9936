// How the palette dialogs read and write the numbers in their edit boxes.
#pragma once

#include <string>
#include <string_view>

namespace vorlin {

// Leading integer of the text (blanks and a sign allowed); 0 when there is none,
// saturated at the int range.
int ParseDialogInt(std::string_view text);
// Leading decimal number of the text, independent of the user's locale; 0 when none.
double ParseDialogDouble(std::string_view text);
bool IsDialogInt(std::string_view text);

std::string FormatDialogInt(int value);        // "%d"
std::string FormatDialogFixed2(double value);  // "%.2f"

// The standard refusal shown when a field lies outside its range.
std::string RangeValidationMessage(int lo, int hi);
inline constexpr const char* kNotAnIntegerMessage = "Please enter an integer.";

// A numbered integer field of a dialog: the text the user typed and its allowed range.
struct DialogIntField {
    int id = 0;
    int lo = 0;
    int hi = 0;
    std::string text;

    int Value() const { return ParseDialogInt(text); }
    void Set(int value) { text = FormatDialogInt(value); }
    // Empty when the text is an integer inside the range, else the refusal to show.
    std::string Validate() const;
};

}  // namespace vorlin
