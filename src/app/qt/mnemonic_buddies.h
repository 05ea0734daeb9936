// Labels written with a mnemonic ("&first") move the focus to the field they name: this finds
// that field for labels that have none, so the letter is underlined and works.
#pragma once

class QWidget;

namespace vorlin {

// For every label under `root` whose text has a mnemonic and that has no buddy: the field of
// its form row (the row's first focusable widget when the field is a layout), the next cell of
// its grid row, or the next widget of its box layout.
void AssignBuddies(QWidget* root);

}  // namespace vorlin
