#include "common/numbers.h"

#include <cmath>

namespace morva {
namespace {

class NumberScanner {
public:
    explicit NumberScanner(const QString &text) : text_(text) {}

    // Nothing when the text does not begin with a number.
    std::optional<double> read()
    {
        skipBlanks();
        const bool negative = accept(u'-');
        if (!negative)
            accept(u'+');

        double value = 0;
        const int integerDigits = digits([&](int d) { value = value * 10 + d; });
        int fractionDigits = 0;
        if (accept(u'.')) {
            double scale = 0.1;
            fractionDigits = digits([&](int d) { value += d * scale; scale /= 10; });
        }
        if (integerDigits + fractionDigits == 0)
            return std::nullopt;
        if (const int power = exponent(); power != 0)
            value *= std::pow(10.0, power);
        return negative ? -value : value;
    }

    // Whether nothing but blanks follows what was read.
    bool atEnd()
    {
        skipBlanks();
        return pos_ == text_.size();
    }

private:
    void skipBlanks()
    {
        while (pos_ < text_.size() && text_[pos_].isSpace())
            ++pos_;
    }

    bool accept(char16_t c)
    {
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    template <class F> int digits(F add)
    {
        int count = 0;
        while (pos_ < text_.size() && text_[pos_].isDigit()) {
            add(text_[pos_].digitValue());
            ++pos_;
            ++count;
        }
        return count;
    }

    // An exponent counts only when at least one digit follows "e" and its sign.
    int exponent()
    {
        const qsizetype start = pos_;
        if (!accept(u'e') && !accept(u'E'))
            return 0;
        const bool negative = accept(u'-');
        if (!negative)
            accept(u'+');
        int value = 0;
        if (digits([&](int d) { value = std::min(value * 10 + d, 400); }) == 0) {
            pos_ = start;
            return 0;
        }
        return negative ? -value : value;
    }

    const QString &text_;
    qsizetype pos_ = 0;
};

} // namespace

double LeadingNumber(const QString &text)
{
    // Most texts read so are an answer of one digit: a long table is scored without the scan.
    if (text.size() == 1 && text[0] >= u'0' && text[0] <= u'9')
        return text[0].unicode() - u'0';
    return NumberScanner(text).read().value_or(0);
}

std::optional<double> WholeNumber(const QString &text)
{
    NumberScanner scanner(text);
    const std::optional<double> value = scanner.read();
    return value && scanner.atEnd() ? value : std::nullopt;
}

} // namespace morva
