#pragma once
// What the numeric input dialogs share: an edit that takes a short
// arithmetic expression, its evaluation, and the messages of a refusal.

#include <QString>

#include <optional>

class QLineEdit;
class QWidget;

// An expression edit with its numeric id, limited to the field's length.
QLineEdit* MakeExpressionEdit(QWidget* parent, int id);

// The field's text evaluated left to right (model/Arithmetic.h); nullopt
// when it is refused.
std::optional<double> EvaluateField(const QString& text);

// A value as the field shows it at the start.
QString FieldText(double value);

// Shows the message over the dialog, then puts the focus back on the field.
void RefuseField(QWidget* dialog, QLineEdit* field, const QString& message);

// The messages of the numeric input dialogs.
QString NoInputMessage();         // "数値の入力がありません！"
QString BadCharacterMessage();    // "入力文字に誤りがあります。[0-9 . +-*/]"
