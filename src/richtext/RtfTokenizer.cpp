#include "richtext/RtfTokenizer.h"

#include <algorithm>

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

RtfTokenizer::RtfTokenizer(QByteArrayView input) : input_(input) { }

RtfToken RtfTokenizer::next()
{
    RtfToken token;
    const qsizetype size = input_.size();
    if (pos_ >= size)
        return token;

    const char c = input_[pos_];
    if (c == '{') {
        ++pos_;
        token.type = RtfToken::Type::GroupOpen;
        return token;
    }
    if (c == '}') {
        ++pos_;
        token.type = RtfToken::Type::GroupClose;
        return token;
    }
    if (c == '\\')
        return readControl();

    const qsizetype start = pos_;
    while (pos_ < size && input_[pos_] != '\\' && input_[pos_] != '{' && input_[pos_] != '}')
        ++pos_;
    token.type = RtfToken::Type::Text;
    token.text = std::string_view(input_.data() + start, size_t(pos_ - start));
    return token;
}

RtfToken RtfTokenizer::readControl()
{
    RtfToken token;
    const qsizetype size = input_.size();
    ++pos_; // the backslash
    if (pos_ >= size)
        return token; // a lone backslash at the very end: nothing more to read

    const char c = input_[pos_];
    if (!isLetter(c)) {
        ++pos_;
        if (c == '\'') {
            // \'hh: take the hex digits that are there; none means nothing to emit.
            int value = 0;
            int digits = 0;
            while (digits < 2 && pos_ < size && hexValue(input_[pos_]) >= 0) {
                value = value * 16 + hexValue(input_[pos_]);
                ++pos_;
                ++digits;
            }
            if (digits == 0) {
                // A stray \' with no hex after it stands for nothing.
                token.type = RtfToken::Type::ControlSymbol;
                token.symbol = c;
                return token;
            }
            token.type = RtfToken::Type::HexByte;
            token.byte = static_cast<std::uint8_t>(value);
            return token;
        }
        if (c == '\r' || c == '\n') {
            // A backslash before a line end is an old spelling of \par.
            token.type = RtfToken::Type::ControlWord;
            token.name = "par";
            return token;
        }
        token.type = RtfToken::Type::ControlSymbol;
        token.symbol = c;
        return token;
    }

    const qsizetype nameStart = pos_;
    while (pos_ < size && isLetter(input_[pos_]))
        ++pos_;
    token.type = RtfToken::Type::ControlWord;
    token.name = std::string_view(input_.data() + nameStart, size_t(pos_ - nameStart));

    bool negative = false;
    if (pos_ + 1 < size && input_[pos_] == '-' && isDigit(input_[pos_ + 1])) {
        negative = true;
        ++pos_;
    }
    if (pos_ < size && isDigit(input_[pos_])) {
        std::int64_t value = 0;
        while (pos_ < size && isDigit(input_[pos_])) {
            value = std::min(ParameterLimit, value * 10 + (input_[pos_] - '0'));
            ++pos_;
        }
        token.hasParameter = true;
        token.parameter = negative ? -value : value;
    }
    if (pos_ < size && input_[pos_] == ' ')
        ++pos_; // the delimiting space belongs to the control word

    if (token.name == "bin" && token.hasParameter && token.parameter > 0)
        token.text = skipBinary(token.parameter);
    return token;
}

std::string_view RtfTokenizer::skipBinary(std::int64_t count)
{
    const qsizetype remaining = input_.size() - pos_;
    const auto length = static_cast<qsizetype>(std::min<std::int64_t>(count, remaining));
    const std::string_view data(input_.data() + pos_, size_t(length));
    pos_ += length;
    return data;
}
