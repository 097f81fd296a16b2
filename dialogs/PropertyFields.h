#pragma once
// How the property dialogs read and show the numbers of their edit fields:
// one plain decimal number in "C" notation, shown with two decimals at
// most. The dialogs list their fields in their data exchange with the rule
// PropertyFieldRule makes, so every field is tested for emptiness first,
// then for its characters, each refusal with the field's own message and
// the focus on the field.

#include "platform/DialogExchange.h"

#include <QString>

class QLineEdit;
class QWidget;

// Longest text a numeric property field takes unless its dialog says otherwise.
inline constexpr int PropertyFieldLength = 14;

// "%0.2f" with trailing zeros and then a trailing point removed:
// 12.50 -> "12.5", 100.00 -> "100", -0.001 -> "-0".
QString FormatFieldValue(double value);

// The number a field's whole text holds in "C" notation: an optional minus,
// digits and at most one point, nothing else; false for anything else
// ("", "-", ".", "+5", "1e3", "1.2.3").
bool ParseFieldNumber(const QString& text, double& value);

// The rule of one numeric property field: emptyMessage for an empty edit
// ("…が入力されていません！"), badMessage for anything ParseFieldNumber
// refuses and, when positive, for a value <= 0 ("…の入力に誤りがあります！");
// the value is shown by FormatFieldValue.
platform::DataExchange::NumberRule PropertyFieldRule(const QString& emptyMessage, const QString& badMessage,
                                                     bool positive = false);

// An edit field with its numeric id, taking at most maxLength characters
// (0: no limit).
QLineEdit* MakeNumericEdit(QWidget* parent, int id, int maxLength = PropertyFieldLength);
