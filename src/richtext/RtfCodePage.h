#pragma once

#include <map>

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

// Turns the bytes of an RTF text run (raw or written as \'hh) into Unicode.
// The single-byte Windows, DOS and Mac pages an RTF writer announces with
// \ansicpg, \pc, \mac or a font's \fcharset are built in; any other page is
// handed to Qt's converters when Qt knows it, and read as 1252 otherwise.
class RtfCodePage {
public:
    // Pseudo pages for the symbol fonts (\fcharset2), which have no code page.
    static constexpr int SymbolFont = 42;   // Symbol: Greek letters, maths, the list bullet
    static constexpr int DingbatFont = -42; // Wingdings and friends: list markers

    static constexpr int Default = 1252;

    // The code page an \fcharsetN stands for, or 0 when the document's own page applies.
    static int forCharset(int charset);

    // Appends the text the bytes stand for in the given page.
    void decode(int codePage, QByteArrayView bytes, QString& out);

private:
    QStringDecoder* converterFor(int codePage);

    std::map<int, QStringDecoder> converters_;
};
