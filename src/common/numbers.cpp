// Number reading with the rules of the old Basic runtime: skipped blanks, "&H"/"&O", banker's rounding.
#include "common/numbers.h"

#include "common/failure.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace quirlwerk::common {
namespace {

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

int digitValue(char16_t c, int radix)
{
    int value = -1;
    if (isDigit(c))
        value = c - u'0';
    else if (c >= u'A' && c <= u'F')
        value = c - u'A' + 10;
    else if (c >= u'a' && c <= u'f')
        value = c - u'a' + 10;
    return value < radix ? value : -1;
}

// Reads the text while stepping over the characters the leading number ignores.
class SkippingReader {
public:
    explicit SkippingReader(TextView text) : m_text(text) { skip(); }

    char16_t peek() const { return m_pos < m_text.size() ? m_text[m_pos] : char16_t(0); }
    void advance() { ++m_pos; skip(); }
    bool atEnd() const { return m_pos >= m_text.size(); }

private:
    void skip()
    {
        while (m_pos < m_text.size() && (m_text[m_pos] == u' ' || m_text[m_pos] == u'\t' || m_text[m_pos] == u'\n'))
            ++m_pos;
    }

    TextView m_text;
    std::size_t m_pos = 0;
};

double checkedFinite(double value)
{
    if (!std::isfinite(value))
        throw Failure::overflow();
    return value;
}

double radixDigits(SkippingReader& reader, int radix)
{
    double value = 0;
    for (int digit = digitValue(reader.peek(), radix); digit >= 0; digit = digitValue(reader.peek(), radix)) {
        value = value * radix + digit;
        reader.advance();
    }
    return checkedFinite(value);
}

// Collects "[sign]digits[.digits][e[sign]digits]" as ASCII for strtod; empty when no digit was found.
std::string decimalLiteral(SkippingReader& reader)
{
    std::string literal;
    if (reader.peek() == u'+' || reader.peek() == u'-') {
        literal += static_cast<char>(reader.peek());
        reader.advance();
    }
    bool anyDigit = false;
    auto digits = [&] {
        while (isDigit(reader.peek())) {
            literal += static_cast<char>(reader.peek());
            anyDigit = true;
            reader.advance();
        }
    };
    digits();
    if (reader.peek() == u'.') {
        literal += '.';
        reader.advance();
        digits();
    }
    if (!anyDigit)
        return {};
    const char16_t e = reader.peek();
    if (e == u'e' || e == u'E' || e == u'd' || e == u'D') {
        std::string exponent = "e";
        reader.advance();
        if (reader.peek() == u'+' || reader.peek() == u'-') {
            exponent += static_cast<char>(reader.peek());
            reader.advance();
        }
        bool exponentDigits = false;
        while (isDigit(reader.peek())) {
            exponent += static_cast<char>(reader.peek());
            exponentDigits = true;
            reader.advance();
        }
        if (exponentDigits)
            literal += exponent;
    }
    return literal;
}

double parseDecimal(const std::string& literal)
{
    return checkedFinite(std::strtod(literal.c_str(), nullptr));
}

} // namespace

double leadingNumber(TextView text)
{
    SkippingReader reader(text);
    if (reader.peek() == u'&') {
        reader.advance();
        const char16_t kind = reader.peek();
        if (kind == u'H' || kind == u'h') {
            reader.advance();
            return radixDigits(reader, 16);
        }
        if (kind == u'O' || kind == u'o') {
            reader.advance();
            return radixDigits(reader, 8);
        }
        return 0;
    }
    const std::string literal = decimalLiteral(reader);
    return literal.empty() ? 0 : parseDecimal(literal);
}

std::int32_t roundToInt32(double value)
{
    // The default floating-point environment rounds halves to the even neighbour.
    const double rounded = std::nearbyint(value);
    if (!std::isfinite(rounded) || rounded < std::numeric_limits<std::int32_t>::min()
        || rounded > std::numeric_limits<std::int32_t>::max())
        throw Failure::overflow();
    return static_cast<std::int32_t>(rounded);
}

std::int32_t leadingWholeNumber(TextView text)
{
    return roundToInt32(leadingNumber(text));
}

std::int32_t wholeNumberValue(TextView text)
{
    auto isBlank = [](char16_t c) { return c == u' ' || c == u'\t'; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);

    if (text.size() > 2 && text[0] == u'&' && (text[1] == u'H' || text[1] == u'h')) {
        double value = 0;
        for (const char16_t c : text.substr(2)) {
            const int digit = digitValue(c, 16);
            if (digit < 0)
                throw Failure::typeMismatch();
            value = value * 16 + digit;
        }
        return roundToInt32(value);
    }

    // A strict decimal: the whole text must be the literal, without inner blanks.
    std::string literal;
    std::size_t pos = 0;
    auto take = [&](auto accept) {
        std::size_t taken = 0;
        while (pos < text.size() && accept(text[pos])) {
            literal += static_cast<char>(text[pos++]);
            ++taken;
        }
        return taken;
    };
    auto sign = [](char16_t c) { return c == u'+' || c == u'-'; };
    if (pos < text.size() && sign(text[pos]))
        literal += static_cast<char>(text[pos++]);
    std::size_t digits = take(isDigit);
    if (pos < text.size() && text[pos] == u'.') {
        literal += '.';
        ++pos;
        digits += take(isDigit);
    }
    if (digits == 0)
        throw Failure::typeMismatch();
    if (pos < text.size() && (text[pos] == u'e' || text[pos] == u'E')) {
        literal += 'e';
        ++pos;
        if (pos < text.size() && sign(text[pos]))
            literal += static_cast<char>(text[pos++]);
        if (take(isDigit) == 0)
            throw Failure::typeMismatch();
    }
    if (pos != text.size())
        throw Failure::typeMismatch();
    return roundToInt32(parseDecimal(literal));
}

} // namespace quirlwerk::common
