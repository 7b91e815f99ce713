#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include <QByteArray>
#include <QByteArrayView>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringView>
#include <QTextOption>

#include "richtext/RtfCodePage.h"
#include "richtext/RtfDocumentWriter.h"
#include "richtext/RtfPictures.h"
#include "richtext/RtfToken.h"

class QTextBlockFormat;
class QTextCharFormat;
class QTextDocument;

// Reads an RTF stream into a document through an explicit stack of group
// states: character and paragraph properties are saved at "{" and restored at
// "}", and each group knows where its text goes (the document, the font or
// colour table, or nowhere). Nesting deeper than MaxDepth is counted rather
// than stored, so memory stays bounded and reading carries on.
class RtfParser {
public:
    static constexpr int MaxDepth = 512;

    // Reads at most `characterLimit` characters of text (0: all of it).
    explicit RtfParser(QTextDocument& document, qsizetype characterLimit = 0);

    // Appends what the bytes hold to the document. Call once per parser.
    void parse(QByteArrayView rtf);
    // The character limit was reached: the document holds only the start.
    bool stoppedAtLimit() const { return writer_.full(); }

private:
    enum class Keyword : std::uint8_t;
    static bool lookup(std::string_view name, Keyword& word);
    static bool isCharacter(Keyword word);

    enum class Destination : std::uint8_t {
        Text, // document body, \fldrslt, \pntext, \listtext
        FontTable,
        ColorTable,
        Skip,         // read past without keeping anything
        Alternatives, // \upr: an ANSI spelling followed by a Unicode one
        Alternative,  // a group inside \upr, skipped unless it is \ud
        Picture,      // \pict: properties and data of a picture
    };

    struct CharState {
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strike = false;
        bool hidden = false;
        bool caps = false;
        bool smallCaps = false;
        int vertical = 0;    // -1 subscript, 0 baseline, 1 superscript
        int halfPoints = 24; // \fs: RTF's default is 12 pt
        int font = -1;       // -1: the document's default font (\deff)
        int color = 0;       // \cf index, 0 automatic
        int background = 0;  // \highlight or \cb index, 0 none
        int unicodeSkip = 1; // \uc: fallback characters after each \u
    };

    struct TabStop {
        int position = 0; // twips from the left edge of the text column
        QTextOption::TabType type = QTextOption::LeftTab;
    };

    struct ParaState {
        Qt::Alignment alignment = Qt::AlignLeft;
        int leftIndent = 0; // all in twips
        int rightIndent = 0;
        int firstIndent = 0;
        int spaceBefore = 0;
        int spaceAfter = 0;
        int lineSpacing = 0; // \sl: 0 single, > 0 at least, < 0 exactly
        bool lineMultiple = false;
        bool inTable = false;
        bool pageBreakBefore = false;
        QTextOption::TabType nextTabType = QTextOption::LeftTab; // \tqr, \tqc, \tqdec
        QList<TabStop> tabs;                                     // \tx, in the order given
    };

    struct GroupState {
        Destination destination = Destination::Text;
        Destination alternativeTarget = Destination::Text; // where \ud text goes
        CharState chars;
        ParaState paragraph;
    };

    struct FontEntry {
        QString name;
        int codePage = 0; // 0: the document's code page
        QFont::StyleHint hint = QFont::AnyStyle;
    };

    void openGroup();
    void closeGroup();
    void controlWord(const RtfToken& token);
    void controlSymbol(char symbol);
    void textBytes(std::string_view bytes);
    void hexByte(std::uint8_t byte);
    void unicodeChar(std::int64_t value);

    void keyword(Keyword word, const RtfToken& token);
    void fontTableKeyword(Keyword word, const RtfToken& token);
    void colorTableKeyword(Keyword word, const RtfToken& token);
    void pictureKeyword(Keyword word, const RtfToken& token);
    void finishPicture();

    void enterSkip();
    void setDestination(Destination destination);
    bool skipping() const;
    GroupState& state() { return stack_.back(); }
    const GroupState& state() const { return stack_.back(); }

    void flushBytes();
    void emitText(QStringView text);
    void emitChar(char16_t c);
    void syncCharFormat();
    void startSectionIfDue();
    int currentCodePage() const;

    void beginFont(int number);
    void commitFont();
    void commitColor();

    QTextCharFormat charFormat();
    static QTextBlockFormat blockFormat(const ParaState& para);
    static QList<QTextOption::Tab> tabPositions(const ParaState& para);

    RtfDocumentWriter writer_;
    RtfPictures pictures_;
    std::size_t pictureDepth_ = 0; // stack depth of the open \pict group, 0 none
    RtfCodePage codePages_;
    std::vector<GroupState> stack_;
    int overflowDepth_ = 0;    // open groups beyond MaxDepth
    int overflowSkipFrom_ = 0; // over-deep level whose content is skipped, 0 none
    int fallbackToSkip_ = 0;   // characters left to drop after \u
    bool starPending_ = false; // \* seen, the next control word names the destination
    char16_t highSurrogate_ = 0;
    bool charFormatDirty_ = true;
    QByteArray bytes_; // text bytes not yet decoded

    int documentCodePage_ = RtfCodePage::Default;
    int defaultFont_ = 0;
    QHash<int, FontEntry> fonts_;
    QSet<QString> families_; // font families handed to the document so far
    int fontNumber_ = -1;    // font being defined in the font table
    FontEntry fontEntry_;
    int fontCharset_ = -1;
    int fontExplicitPage_ = 0;

    QList<QColor> colors_;
    int red_ = 0;
    int green_ = 0;
    int blue_ = 0;
    bool colorGiven_ = false;

    bool sectionPending_ = false; // \sect seen, the next section not started yet
    bool sectionStartsPage_ = true;

    bool documentClosed_ = false;
    ParaState closingPara_; // paragraph state when the document group closed
};
