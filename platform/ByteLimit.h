#pragma once
// Edits limited to a number of bytes of code page 932 (as the drawing stores
// the text), not to a number of characters.

class QLineEdit;

// Typing or pasting beyond maxBytes is refused by the edit.
void LimitTextBytes(QLineEdit* edit, int maxBytes);
