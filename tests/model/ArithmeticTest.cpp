#include "model/Arithmetic.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

// The full-width blank in code page 932.
const std::string W = "\x81\x40";

TEST(Arithmetic, EvaluatesStrictlyFromLeftToRight)
{
    struct Case {
        std::string text;
        double value;
    };
    const Case cases[] = {
        {"2+3*4", 20},
        {"1/4*2", 0.5},
        {"10-2-3", 5},
        {"100/3+5", 100.0 / 3 + 5},
        {"-5", -5},
        {"+7", 7},
        {"-5*2", -10},
        {"12.5", 12.5},
        {".5+1", 1.5},
        {"5.", 5},
        {"1.2.3", 1.2},             // the longest number the operand begins with
        {"1.2.3+1", 2.2},
        {"0", 0},
        {"5-5", 0},
        {".", 0},                   // a first operand without a number counts as 0
        {"1 2 . 5", 12.5},          // ASCII blanks
        {"1" + W + "2" + W + "." + W + "5", 12.5},  // full-width blanks
        {" 1" + W + "2 .5 ", 12.5}, // both, leading and trailing too
        {"1+1+1+1+1+1+1+1+1+1+1", 11},                        // eleven operands
        {"1+2+3+4+5+6+7+8+9+10+11+12+13+14+15+16+17+18+19", 190}, // nineteen in one field
        {"123456789012345678901234.5", 123456789012345678901234.5}, // an operand past 20 characters
        {"0.000000000000000000000000000000000001", 1e-36},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<double> v = EvaluateExpression(c.text);
        ASSERT_TRUE(v.has_value());
        EXPECT_DOUBLE_EQ(*v, c.value);
    }
}

TEST(Arithmetic, RefusesWhatIsNotAnExpression)
{
    const std::string refused[] = {
        "",           // nothing typed
        "   ",        // blanks only: refused like a bad character
        W + W,
        "12a",
        "1,5",
        "1e5",        // no exponents
        "(1+2)",
        "\x82\x50",   // a full-width digit one
        "5+",         // an operator with nothing after it
        "2*-3",
        "3+.",
        "-",
        "1/0",        // not finite
        "0/0",
        "-1/0",
        "1/0*0",
        std::string("5\0" "1", 3),  // an embedded NUL is not a blank
        "5\x81",      // a lone lead byte at the end stays and is refused
    };
    for (const std::string& text : refused) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(EvaluateExpression(text).has_value());
    }
}

TEST(Arithmetic, TokenizeRecordsOperatorCodesAndOperands)
{
    std::vector<std::string> operands;
    std::vector<int> operators;
    EXPECT_EQ(TokenizeExpression("-12.5*3/4+1-", operands, operators), 5);
    EXPECT_EQ(operands, (std::vector<std::string>{"", "12.5", "3", "4", "1", ""}));
    EXPECT_EQ(operators, (std::vector<int>{ArithmeticSubtract, ArithmeticMultiply, ArithmeticDivide,
                                           ArithmeticAdd, ArithmeticSubtract}));
    EXPECT_EQ(TokenizeExpression("", operands, operators), 0);
    EXPECT_EQ(operands, std::vector<std::string>{""});
    EXPECT_TRUE(operators.empty());
}

TEST(Arithmetic, BlankRemovalKeepsEverythingElse)
{
    EXPECT_EQ(RemoveExpressionBlanks(" 1" + W + "2\x81"), "12\x81");
    EXPECT_EQ(RemoveExpressionBlanks("\x81\x41"), "\x81\x41");
}

TEST(Arithmetic, FieldValuesDropTrailingZeros)
{
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {25.5, "25.5"}, {10.0, "10"}, {12.5, "12.5"}, {0.0, "0"}, {-3.25, "-3.25"}, {1.005, "1"},
        {0.126, "0.13"}, {100.0, "100"}, {1e30, "1000000000000000019884624838656"},
        {1e300, "1e+300"},  // too long for the field: the short form, which the field then refuses
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FormatFieldValue(c.value), c.text);
    }
}

} // namespace
