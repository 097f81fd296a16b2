#pragma once
// How the property dialogs show numbers in their edit fields and test them
// at OK: every field is tested for emptiness first, in the dialog's order,
// then every field for its characters, each refusal with the field's own
// message and the focus on the field.

#include <QString>

#include <span>

class QLineEdit;
class QWidget;

// Longest text a numeric property field takes unless its dialog says otherwise.
inline constexpr int PropertyFieldLength = 14;

// "%0.2f" with trailing zeros and then a trailing point removed:
// 12.50 -> "12.5", 100.00 -> "100", -0.001 -> "-0".
QString FormatFieldValue(double value);

// One numeric edit field of a property dialog.
struct NumericField {
    QLineEdit* edit = nullptr;
    double* value = nullptr;      // receives the number once the field passed
    QString emptyMessage;         // "…が入力されていません！"
    QString badMessage;           // "…の入力に誤りがあります！"
    bool positive = false;        // a value <= 0 is refused with badMessage too
};

// The number a field's whole text holds in "C" notation: an optional minus,
// digits and at most one point, nothing else; false for anything else
// ("", "-", ".", "+5", "1e3", "1.2.3").
bool ParseFieldNumber(const QString& text, double& value);

// Tests one field's characters; on success stores the number. On refusal
// shows the field's second message over dialog and focuses the field.
bool CheckNumericField(QWidget* dialog, const NumericField& field);

// The two passes over fields: emptiness of every field first, then the
// characters of every field. True when every field passed (and was stored).
bool CheckNumericFields(QWidget* dialog, std::span<const NumericField> fields);

// An edit field with its numeric id, taking at most maxLength characters
// (0: no limit).
QLineEdit* MakeNumericEdit(QWidget* parent, int id, int maxLength = PropertyFieldLength);
