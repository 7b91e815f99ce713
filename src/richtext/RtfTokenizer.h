#pragma once

#include <cstdint>
#include <string_view>

#include <QByteArrayView>

#include "richtext/RtfToken.h"

// Splits RTF bytes into tokens in a single forward pass. Every call consumes
// at least one byte until the end, so reading is linear in the input size
// whatever the bytes are. The raw data after \binN is stepped over here, so
// braces or backslashes inside it never reach the reader; the \bin token
// carries it as its text_.
class RtfTokenizer {
public:
    // Numeric parameters saturate at this magnitude instead of overflowing.
    static constexpr std::int64_t ParameterLimit = 999'999'999'999'999;

    explicit RtfTokenizer(QByteArrayView input);

    RtfToken next();

private:
    RtfToken readControl();
    std::string_view skipBinary(std::int64_t count);

    QByteArrayView input_;
    qsizetype pos_ = 0;
};
