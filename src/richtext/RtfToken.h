#pragma once

#include <cstdint>
#include <string_view>

// One lexical piece of an RTF stream. Views point into the bytes being read,
// so a token is only valid while those bytes are.
struct RtfToken {
    enum class Type {
        End,           // no more input
        GroupOpen,     // {
        GroupClose,    // }
        ControlWord,   // \name or \nameN; name_, hasParameter_, parameter_
        ControlSymbol, // \ followed by one non-letter; symbol_
        HexByte,       // \'hh; byte_
        Text,          // a run of plain bytes; text_ (also the raw data of \binN)
    };

    Type type_ = Type::End;
    std::string_view name_;
    std::string_view text_;
    bool hasParameter_ = false;
    std::int64_t parameter_ = 0; // saturated, never overflows
    char symbol_ = 0;
    std::uint8_t byte_ = 0;
};
