#pragma once
// A number shown in an edit is rounded to what the edit shows. The edit
// remembers the number behind the text it was given, so that reading it back
// while it still shows that text gives the number itself: a field the user
// did not touch keeps its full value. DataExchange::Number reads its edits
// this way.

#include <QString>

#include <optional>

class QLineEdit;

namespace platform {

// Shows text in edit as the form of value.
void showNumber(QLineEdit* edit, double value, const QString& text);
// The value shown in edit while its text is still the one showNumber put
// there; nullopt once it was changed.
std::optional<double> untouchedNumber(const QLineEdit* edit);

} // namespace platform
