#pragma once
// The arithmetic of the numeric input fields: decimal numbers and the four
// operators, evaluated strictly from left to right without precedence, so
// that "2+3*4" gives 20 and "100/3+5" gives 38.333….

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Operator codes, as TokenizeExpression records them.
enum ArithmeticOperator : int {
    ArithmeticAdd = 1,
    ArithmeticSubtract = 2,
    ArithmeticMultiply = 3,
    ArithmeticDivide = 4,
};

// Most characters a numeric input field takes.
inline constexpr int ExpressionFieldLength = 40;

// The message of a refused expression (UTF-8).
inline constexpr const char* ExpressionRefusedMessage = "入力文字に誤りがあります。[0-9 . +-*/]";

// The text without ASCII blanks and full-width blanks (the code page 932
// pair 0x81 0x40). A lone 0x81 at the end stays.
std::string RemoveExpressionBlanks(std::string_view cp932);

// Splits a cleaned expression from left to right: digits and points go to the
// current operand, each operator records its code and starts a new, empty
// operand. Returns the number of operators n; operands gets n + 1 entries and
// operators n. Characters other than digits, points and operators are kept
// in the operand they appear in.
int TokenizeExpression(std::string_view text, std::vector<std::string>& operands, std::vector<int>& operators);

// Evaluates a field's text (code page 932): blanks removed, each operand read
// as the longest decimal number it begins with ("1.2.3" reads 1.2), then
// combined left to right. An empty first operand counts as 0, so "-5" gives
// -5. Refused (nullopt): an empty text, any character other than 0-9 . + - * /,
// an operand after an operator that holds no number ("5+", "2*-3", "3+."),
// and a result that is not finite ("1/0", "0/0").
std::optional<double> EvaluateExpression(std::string_view cp932);

// A value as a field shows it: two decimals, then trailing zeros and a
// trailing point dropped (25.50 shows 25.5, 10.00 shows 10). A value whose
// text would not fit the field is shown in the shortest form instead.
std::string FormatFieldValue(double value);
