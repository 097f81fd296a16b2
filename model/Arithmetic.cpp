#include "model/Arithmetic.h"

#include <array>
#include <charconv>
#include <cmath>

namespace {

int OperatorCode(char c)
{
    switch (c) {
    case '+':
        return ArithmeticAdd;
    case '-':
        return ArithmeticSubtract;
    case '*':
        return ArithmeticMultiply;
    case '/':
        return ArithmeticDivide;
    default:
        return 0;
    }
}

bool IsNumberChar(char c)
{
    return (c >= '0' && c <= '9') || c == '.';
}

// The longest decimal number the operand begins with; nullopt when it begins
// with none.
std::optional<double> ReadOperand(const std::string& operand)
{
    double v = 0.0;
    const char* first = operand.data();
    const char* last = first + operand.size();
    const auto [end, ec] = std::from_chars(first, last, v, std::chars_format::fixed);
    if (ec != std::errc() || end == first)
        return std::nullopt;
    return v;
}

} // namespace

std::string RemoveExpressionBlanks(std::string_view cp932)
{
    std::string out;
    out.reserve(cp932.size());
    for (size_t i = 0; i < cp932.size(); ++i) {
        const auto c = static_cast<unsigned char>(cp932[i]);
        if (c == 0x20)
            continue;
        if (c == 0x81 && i + 1 < cp932.size() && static_cast<unsigned char>(cp932[i + 1]) == 0x40) {
            ++i;
            continue;
        }
        out.push_back(cp932[i]);
    }
    return out;
}

int TokenizeExpression(std::string_view text, std::vector<std::string>& operands, std::vector<int>& operators)
{
    operands.assign(1, std::string());
    operators.clear();
    for (const char c : text) {
        if (const int op = OperatorCode(c)) {
            operators.push_back(op);
            operands.emplace_back();
        } else {
            operands.back().push_back(c);
        }
    }
    return static_cast<int>(operators.size());
}

std::optional<double> EvaluateExpression(std::string_view cp932)
{
    const std::string text = RemoveExpressionBlanks(cp932);
    if (text.empty())
        return std::nullopt;
    for (const char c : text)
        if (!IsNumberChar(c) && OperatorCode(c) == 0)
            return std::nullopt;

    std::vector<std::string> operands;
    std::vector<int> operators;
    const int n = TokenizeExpression(text, operands, operators);
    // A first operand without a number (empty before a leading sign) is 0.
    double result = ReadOperand(operands[0]).value_or(0.0);
    for (int k = 1; k <= n; ++k) {
        const std::optional<double> v = ReadOperand(operands[static_cast<size_t>(k)]);
        if (!v)
            return std::nullopt;
        switch (operators[static_cast<size_t>(k - 1)]) {
        case ArithmeticAdd:
            result += *v;
            break;
        case ArithmeticSubtract:
            result -= *v;
            break;
        case ArithmeticMultiply:
            result *= *v;
            break;
        default:
            result /= *v;
            break;
        }
    }
    if (!std::isfinite(result))
        return std::nullopt;
    return result;
}

std::string FormatFieldValue(double value)
{
    std::array<char, 400> buf{};
    auto r = std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::fixed, 2);
    std::string text(buf.data(), r.ec == std::errc() ? r.ptr : buf.data());
    if (text.find('.') != std::string::npos) {
        while (!text.empty() && text.back() == '0')
            text.pop_back();
        if (!text.empty() && text.back() == '.')
            text.pop_back();
    }
    if (text.empty() || text.size() > static_cast<size_t>(ExpressionFieldLength)) {
        r = std::to_chars(buf.data(), buf.data() + buf.size(), value);
        text.assign(buf.data(), r.ec == std::errc() ? r.ptr : buf.data());
    }
    return text;
}
