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
        ControlWord,   // \name or \nameN; name, hasParameter, parameter
        ControlSymbol, // \ followed by one non-letter; symbol
        HexByte,       // \'hh; byte
        Text,          // a run of plain bytes; text (also the raw data of \binN)
    };

    Type type = Type::End;
    std::string_view name;
    std::string_view text;
    bool hasParameter = false;
    std::int64_t parameter = 0; // saturated, never overflows
    char symbol = 0;
    std::uint8_t byte = 0;
};
