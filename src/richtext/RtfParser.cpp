#include "richtext/RtfParser.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <utility>

#include <QBrush>
#include <QStringList>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextFormat>

#include "richtext/RtfTokenizer.h"

enum class RtfParser::Keyword : std::uint8_t {
    // document
    Rtf,
    Ansi,
    AnsiCodePage,
    Mac,
    Pc,
    Pca,
    DefaultFont,
    // destinations
    FontTable,
    ColorTable,
    Skipped,
    Upr,
    Ud,
    Kept,
    Picture,
    // font and colour tables
    Font,
    FontCharset,
    CodePage,
    FontRoman,
    FontSwiss,
    FontModern,
    FontScript,
    FontDecor,
    Red,
    Green,
    Blue,
    // character formatting
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    FontSize,
    Color,
    Background,
    Superscript,
    Subscript,
    NoSuperSub,
    Hidden,
    Caps,
    SmallCaps,
    UnicodeSkip,
    Unicode,
    // paragraph formatting
    Pard,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    LeftIndent,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    LineSpacing,
    LineMultiple,
    InTable,
    PageBreakBefore,
    TabPosition,
    TabRight,
    TabCentre,
    TabDecimal,
    DefaultTab,
    // breaks and tables
    Par,
    Sect,
    Column,
    SectionBreakPage,
    SectionBreakNone,
    Line,
    Tab,
    Page,
    Cell,
    NestCell,
    Row,
    NestRow,
    // single characters
    Emdash,
    Endash,
    Bullet,
    Lquote,
    Rquote,
    Ldblquote,
    Rdblquote,
    Emspace,
    Enspace,
    Qmspace,
    Zwj,
    Zwnj,
    Zwbo,
    Zwnbo,
    LtrMark,
    RtlMark,
    // raw data, stepped over by the tokenizer
    Binary,
    // picture properties
    PngBlip,
    JpegBlip,
    MetafileBlip,
    BitmapBlip,
    PictureWidth,
    PictureHeight,
    PictureGoalWidth,
    PictureGoalHeight,
    PictureScaleX,
    PictureScaleY,
};

namespace {

// Indents and spacing beyond two feet are nonsense; keep layouts sane.
constexpr int TwipLimit = 34'560;
constexpr int MaxHalfPoints = 3'276;
constexpr char16_t Replacement = 0xFFFD;
// QTextDocument slows down quadratically with the number of formats that
// differ only in their font family; a help page uses a handful of fonts.
constexpr qsizetype MaxFamilies = 256;

int clampInt(std::int64_t value, int low, int high)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, low, high));
}

int parameterOr(const RtfToken& token, int fallback, int low, int high)
{
    return token.hasParameter ? clampInt(token.parameter, low, high) : fallback;
}

// A toggle like \b is on without a parameter and off with \b0.
bool toggle(const RtfToken& token)
{
    return !token.hasParameter || token.parameter != 0;
}

int twips(const RtfToken& token)
{
    return parameterOr(token, 0, -TwipLimit, TwipLimit);
}

// Margins go into the document in pixels at 96 per inch, 1440 twips per inch.
qreal twipsToPixels(int value)
{
    return value / 15.0;
}

} // namespace

bool RtfParser::lookup(std::string_view name, Keyword& word)
{
    // Sorted by name for the binary search below.
    static constexpr std::pair<std::string_view, Keyword> Words[] = {
        {"aftncn", Keyword::Skipped},
        {"aftnsep", Keyword::Skipped},
        {"aftnsepc", Keyword::Skipped},
        {"annotation", Keyword::Skipped},
        {"ansi", Keyword::Ansi},
        {"ansicpg", Keyword::AnsiCodePage},
        {"atnauthor", Keyword::Skipped},
        {"atnid", Keyword::Skipped},
        {"b", Keyword::Bold},
        {"bin", Keyword::Binary},
        {"blue", Keyword::Blue},
        {"bullet", Keyword::Bullet},
        {"caps", Keyword::Caps},
        {"cb", Keyword::Background},
        {"cell", Keyword::Cell},
        {"cf", Keyword::Color},
        {"chcbpat", Keyword::Background},
        {"colortbl", Keyword::ColorTable},
        {"column", Keyword::Column},
        {"cpg", Keyword::CodePage},
        {"datastore", Keyword::Skipped},
        {"deff", Keyword::DefaultFont},
        {"deftab", Keyword::DefaultTab},
        {"dibitmap", Keyword::BitmapBlip},
        {"do", Keyword::Skipped},
        {"docvar", Keyword::Skipped},
        {"emdash", Keyword::Emdash},
        {"emfblip", Keyword::MetafileBlip},
        {"emspace", Keyword::Emspace},
        {"endash", Keyword::Endash},
        {"enspace", Keyword::Enspace},
        {"f", Keyword::Font},
        {"fchars", Keyword::Skipped},
        {"fcharset", Keyword::FontCharset},
        {"fdecor", Keyword::FontDecor},
        {"fi", Keyword::FirstIndent},
        {"field", Keyword::Kept},
        {"filetbl", Keyword::Skipped},
        {"fldinst", Keyword::Skipped},
        {"fldrslt", Keyword::Kept},
        {"fmodern", Keyword::FontModern},
        {"fonttbl", Keyword::FontTable},
        {"footer", Keyword::Skipped},
        {"footerf", Keyword::Skipped},
        {"footerl", Keyword::Skipped},
        {"footerr", Keyword::Skipped},
        {"footnote", Keyword::Skipped},
        {"froman", Keyword::FontRoman},
        {"fs", Keyword::FontSize},
        {"fscript", Keyword::FontScript},
        {"fswiss", Keyword::FontSwiss},
        {"ftncn", Keyword::Skipped},
        {"ftnsep", Keyword::Skipped},
        {"ftnsepc", Keyword::Skipped},
        {"green", Keyword::Green},
        {"header", Keyword::Skipped},
        {"headerf", Keyword::Skipped},
        {"headerl", Keyword::Skipped},
        {"headerr", Keyword::Skipped},
        {"highlight", Keyword::Background},
        {"i", Keyword::Italic},
        {"info", Keyword::Skipped},
        {"intbl", Keyword::InTable},
        {"jpegblip", Keyword::JpegBlip},
        {"lchars", Keyword::Skipped},
        {"ldblquote", Keyword::Ldblquote},
        {"li", Keyword::LeftIndent},
        {"lin", Keyword::LeftIndent},
        {"line", Keyword::Line},
        {"listoverridetable", Keyword::Skipped},
        {"listtable", Keyword::Skipped},
        {"listtext", Keyword::Kept},
        {"lquote", Keyword::Lquote},
        {"ltrmark", Keyword::LtrMark},
        {"mac", Keyword::Mac},
        {"macpict", Keyword::MetafileBlip},
        {"nestcell", Keyword::NestCell},
        {"nestrow", Keyword::NestRow},
        {"nonesttables", Keyword::Skipped},
        {"nonshppict", Keyword::Skipped},
        {"nosupersub", Keyword::NoSuperSub},
        {"object", Keyword::Skipped},
        {"page", Keyword::Page},
        {"pagebb", Keyword::PageBreakBefore},
        {"par", Keyword::Par},
        {"pard", Keyword::Pard},
        {"pc", Keyword::Pc},
        {"pca", Keyword::Pca},
        {"pgdsctbl", Keyword::Skipped},
        {"pich", Keyword::PictureHeight},
        {"pichgoal", Keyword::PictureGoalHeight},
        {"picscalex", Keyword::PictureScaleX},
        {"picscaley", Keyword::PictureScaleY},
        {"pict", Keyword::Picture},
        {"picw", Keyword::PictureWidth},
        {"picwgoal", Keyword::PictureGoalWidth},
        {"plain", Keyword::Plain},
        {"pmmetafile", Keyword::MetafileBlip},
        {"pn", Keyword::Skipped},
        {"pngblip", Keyword::PngBlip},
        {"pnseclvl", Keyword::Skipped},
        {"pntext", Keyword::Kept},
        {"private", Keyword::Skipped},
        {"qc", Keyword::AlignCenter},
        {"qd", Keyword::AlignJustify},
        {"qj", Keyword::AlignJustify},
        {"ql", Keyword::AlignLeft},
        {"qmspace", Keyword::Qmspace},
        {"qr", Keyword::AlignRight},
        {"rdblquote", Keyword::Rdblquote},
        {"red", Keyword::Red},
        {"revtbl", Keyword::Skipped},
        {"ri", Keyword::RightIndent},
        {"rin", Keyword::RightIndent},
        {"row", Keyword::Row},
        {"rquote", Keyword::Rquote},
        {"rsidtbl", Keyword::Skipped},
        {"rtf", Keyword::Rtf},
        {"rtlmark", Keyword::RtlMark},
        {"rxe", Keyword::Skipped},
        {"sa", Keyword::SpaceAfter},
        {"sb", Keyword::SpaceBefore},
        {"sbkcol", Keyword::SectionBreakNone},
        {"sbkeven", Keyword::SectionBreakPage},
        {"sbknone", Keyword::SectionBreakNone},
        {"sbkodd", Keyword::SectionBreakPage},
        {"sbkpage", Keyword::SectionBreakPage},
        {"scaps", Keyword::SmallCaps},
        {"sect", Keyword::Sect},
        {"shp", Keyword::Skipped},
        {"shppict", Keyword::Kept},
        {"sl", Keyword::LineSpacing},
        {"slmult", Keyword::LineMultiple},
        {"strike", Keyword::Strike},
        {"striked", Keyword::Strike},
        {"stylesheet", Keyword::Skipped},
        {"sub", Keyword::Subscript},
        {"super", Keyword::Superscript},
        {"tab", Keyword::Tab},
        {"tc", Keyword::Skipped},
        {"template", Keyword::Skipped},
        {"themedata", Keyword::Skipped},
        {"tqc", Keyword::TabCentre},
        {"tqdec", Keyword::TabDecimal},
        {"tqr", Keyword::TabRight},
        {"tx", Keyword::TabPosition},
        {"txe", Keyword::Skipped},
        {"u", Keyword::Unicode},
        {"uc", Keyword::UnicodeSkip},
        {"ud", Keyword::Ud},
        {"ul", Keyword::Underline},
        {"uld", Keyword::Underline},
        {"uldash", Keyword::Underline},
        {"uldashd", Keyword::Underline},
        {"uldashdd", Keyword::Underline},
        {"uldb", Keyword::Underline},
        {"ulhwave", Keyword::Underline},
        {"ulldash", Keyword::Underline},
        {"ulnone", Keyword::UnderlineNone},
        {"ulth", Keyword::Underline},
        {"ulthd", Keyword::Underline},
        {"ulthdash", Keyword::Underline},
        {"ulthdashd", Keyword::Underline},
        {"ulthdashdd", Keyword::Underline},
        {"ulthldash", Keyword::Underline},
        {"ululdbwave", Keyword::Underline},
        {"ulw", Keyword::Underline},
        {"ulwave", Keyword::Underline},
        {"upr", Keyword::Upr},
        {"userprops", Keyword::Skipped},
        {"v", Keyword::Hidden},
        {"wbitmap", Keyword::BitmapBlip},
        {"wmetafile", Keyword::MetafileBlip},
        {"xe", Keyword::Skipped},
        {"xmlnstbl", Keyword::Skipped},
        {"zwbo", Keyword::Zwbo},
        {"zwj", Keyword::Zwj},
        {"zwnbo", Keyword::Zwnbo},
        {"zwnj", Keyword::Zwnj},
    };
    static_assert(std::is_sorted(std::begin(Words), std::end(Words),
                                 [](const auto& a, const auto& b) { return a.first < b.first; }));

    const auto found = std::lower_bound(std::begin(Words), std::end(Words), name,
                                        [](const auto& entry, std::string_view key) { return entry.first < key; });
    if (found == std::end(Words) || found->first != name)
        return false;
    word = found->second;
    return true;
}

// Words that stand for one character; after \uN they may be the fallback.
bool RtfParser::isCharacter(Keyword word)
{
    switch (word) {
    case Keyword::Line:
    case Keyword::Tab:
    case Keyword::Emdash:
    case Keyword::Endash:
    case Keyword::Bullet:
    case Keyword::Lquote:
    case Keyword::Rquote:
    case Keyword::Ldblquote:
    case Keyword::Rdblquote:
    case Keyword::Emspace:
    case Keyword::Enspace:
    case Keyword::Qmspace:
    case Keyword::Zwj:
    case Keyword::Zwnj:
    case Keyword::Zwbo:
    case Keyword::Zwnbo:
    case Keyword::LtrMark:
    case Keyword::RtlMark:
    case Keyword::Binary:
        return true;
    default:
        return false;
    }
}

RtfParser::RtfParser(QTextDocument& document, qsizetype characterLimit) : writer_(document), pictures_(document)
{
    writer_.setCharacterLimit(characterLimit);
    stack_.reserve(64);
    stack_.emplace_back(); // outside every group
}

void RtfParser::parse(QByteArrayView rtf)
{
    RtfTokenizer tokenizer(rtf);
    for (RtfToken token = tokenizer.next(); token.type != RtfToken::Type::End && !writer_.full();
         token = tokenizer.next()) {
        switch (token.type) {
        case RtfToken::Type::GroupOpen:
            openGroup();
            break;
        case RtfToken::Type::GroupClose:
            closeGroup();
            break;
        case RtfToken::Type::ControlWord:
            controlWord(token);
            break;
        case RtfToken::Type::ControlSymbol:
            controlSymbol(token.symbol);
            break;
        case RtfToken::Type::HexByte:
            hexByte(token.byte);
            break;
        case RtfToken::Type::Text:
            textBytes(token.text);
            break;
        case RtfToken::Type::End:
            break;
        }
    }
    flushBytes();

    // A document whose last paragraph has no \par keeps the paragraph
    // properties it had when its group closed.
    const bool afterDocument = documentClosed_ && stack_.size() == 1;
    syncCharFormat();
    writer_.finish(blockFormat(afterDocument ? closingPara_ : state().paragraph));
}

void RtfParser::openGroup()
{
    flushBytes();
    fallbackToSkip_ = 0;
    starPending_ = false;
    if (stack_.size() >= size_t(MaxDepth)) {
        ++overflowDepth_;
        return;
    }
    GroupState inner = state();
    if (inner.destination == Destination::Alternatives)
        inner.destination = Destination::Alternative;
    stack_.push_back(inner);
}

void RtfParser::closeGroup()
{
    flushBytes();
    fallbackToSkip_ = 0;
    starPending_ = false;
    if (overflowDepth_ > 0) {
        if (overflowSkipFrom_ == overflowDepth_)
            overflowSkipFrom_ = 0;
        --overflowDepth_;
        return;
    }
    if (stack_.size() <= 1)
        return; // a stray "}": nothing to close

    switch (state().destination) {
    case Destination::FontTable:
        commitFont();
        break;
    case Destination::ColorTable:
        if (colorGiven_)
            commitColor();
        break;
    default:
        break;
    }
    if (stack_.size() == 2) {
        documentClosed_ = true;
        closingPara_ = state().paragraph;
    }
    const bool pictureEnds = pictureDepth_ != 0 && stack_.size() == pictureDepth_;
    stack_.pop_back();
    charFormatDirty_ = true;
    if (pictureEnds)
        finishPicture();
}

void RtfParser::controlWord(const RtfToken& token)
{
    flushBytes();

    Keyword word{};
    const bool known = lookup(token.name, word);

    if (state().destination == Destination::Alternative && !(known && word == Keyword::Ud))
        setDestination(Destination::Skip);

    if (starPending_) {
        // {\*\word ...}: a destination this reader may not know; keep only \ud and
        // the groups whose content is kept (\shppict: Word's pictures).
        starPending_ = false;
        if (!(known && (word == Keyword::Ud || word == Keyword::Kept))) {
            enterSkip();
            return;
        }
    }
    if (!known)
        return;

    if (fallbackToSkip_ > 0) {
        if (isCharacter(word)) {
            --fallbackToSkip_;
            return;
        }
        // The fallback always follows \u directly; a formatting or paragraph
        // word means the writer gave none, so nothing more is dropped.
        fallbackToSkip_ = 0;
    }
    if (skipping())
        return;

    switch (state().destination) {
    case Destination::FontTable:
        fontTableKeyword(word, token);
        return;
    case Destination::ColorTable:
        colorTableKeyword(word, token);
        return;
    case Destination::Picture:
        pictureKeyword(word, token);
        return;
    default:
        break;
    }
    keyword(word, token);
}

void RtfParser::keyword(Keyword word, const RtfToken& token)
{
    CharState& ch = state().chars;
    ParaState& para = state().paragraph;
    const bool inBody = state().destination == Destination::Text;
    constexpr int IntMax = std::numeric_limits<int>::max();

    switch (word) {
    case Keyword::Rtf:
    case Keyword::Kept:
        break;
    case Keyword::Ansi:
        documentCodePage_ = 1252;
        break;
    case Keyword::Mac:
        documentCodePage_ = 10000;
        break;
    case Keyword::Pc:
        documentCodePage_ = 437;
        break;
    case Keyword::Pca:
        documentCodePage_ = 850;
        break;
    case Keyword::AnsiCodePage:
        if (token.hasParameter && token.parameter > 0)
            documentCodePage_ = clampInt(token.parameter, 1, 65535);
        break;
    case Keyword::DefaultFont:
        defaultFont_ = parameterOr(token, 0, 0, IntMax);
        charFormatDirty_ = true;
        break;

    case Keyword::FontTable:
        setDestination(Destination::FontTable);
        fontNumber_ = -1;
        break;
    case Keyword::ColorTable:
        setDestination(Destination::ColorTable);
        red_ = green_ = blue_ = 0;
        colorGiven_ = false;
        break;
    case Keyword::Skipped:
        enterSkip();
        break;
    case Keyword::Picture:
        // A picture in the body; anywhere else (a header, a shape) it is not shown.
        if (inBody && overflowDepth_ == 0 && stack_.size() > 1 && pictureDepth_ == 0) {
            setDestination(Destination::Picture);
            pictureDepth_ = stack_.size();
            pictures_.begin();
        } else {
            enterSkip();
        }
        break;
    case Keyword::Upr:
        if (overflowDepth_ == 0 && stack_.size() > 1) {
            state().alternativeTarget = state().destination;
            state().destination = Destination::Alternatives;
        }
        break;
    case Keyword::Ud:
        if (state().destination == Destination::Alternative && overflowDepth_ == 0)
            state().destination = state().alternativeTarget;
        break;

    case Keyword::Plain: {
        const int skip = ch.unicodeSkip;
        ch = CharState();
        ch.unicodeSkip = skip;
        charFormatDirty_ = true;
        break;
    }
    case Keyword::Bold:
        ch.bold = toggle(token);
        charFormatDirty_ = true;
        break;
    case Keyword::Italic:
        ch.italic = toggle(token);
        charFormatDirty_ = true;
        break;
    case Keyword::Underline:
        ch.underline = toggle(token);
        charFormatDirty_ = true;
        break;
    case Keyword::UnderlineNone:
        ch.underline = false;
        charFormatDirty_ = true;
        break;
    case Keyword::Strike:
        ch.strike = toggle(token);
        charFormatDirty_ = true;
        break;
    case Keyword::Superscript:
        ch.vertical = 1;
        charFormatDirty_ = true;
        break;
    case Keyword::Subscript:
        ch.vertical = -1;
        charFormatDirty_ = true;
        break;
    case Keyword::NoSuperSub:
        ch.vertical = 0;
        charFormatDirty_ = true;
        break;
    case Keyword::Hidden:
        ch.hidden = toggle(token);
        break;
    case Keyword::Caps:
        ch.caps = toggle(token);
        charFormatDirty_ = true;
        break;
    case Keyword::SmallCaps:
        ch.smallCaps = toggle(token);
        charFormatDirty_ = true;
        break;
    case Keyword::FontSize:
        ch.halfPoints = (token.hasParameter && token.parameter > 0) ? clampInt(token.parameter, 1, MaxHalfPoints) : 24;
        charFormatDirty_ = true;
        break;
    case Keyword::Font:
        ch.font = parameterOr(token, -1, -1, IntMax);
        charFormatDirty_ = true;
        break;
    case Keyword::Color:
        ch.color = parameterOr(token, 0, 0, IntMax);
        charFormatDirty_ = true;
        break;
    case Keyword::Background:
        ch.background = parameterOr(token, 0, 0, IntMax);
        charFormatDirty_ = true;
        break;
    case Keyword::UnicodeSkip:
        ch.unicodeSkip = parameterOr(token, 1, 0, IntMax);
        break;
    case Keyword::Unicode:
        if (token.hasParameter)
            unicodeChar(token.parameter);
        break;

    case Keyword::Pard:
        para = ParaState();
        break;
    case Keyword::AlignLeft:
        para.alignment = Qt::AlignLeft;
        break;
    case Keyword::AlignCenter:
        para.alignment = Qt::AlignHCenter;
        break;
    case Keyword::AlignRight:
        para.alignment = Qt::AlignRight;
        break;
    case Keyword::AlignJustify:
        para.alignment = Qt::AlignJustify;
        break;
    case Keyword::LeftIndent:
        para.leftIndent = twips(token);
        break;
    case Keyword::RightIndent:
        para.rightIndent = twips(token);
        break;
    case Keyword::FirstIndent:
        para.firstIndent = twips(token);
        break;
    case Keyword::SpaceBefore:
        para.spaceBefore = std::max(0, twips(token));
        break;
    case Keyword::SpaceAfter:
        para.spaceAfter = std::max(0, twips(token));
        break;
    case Keyword::LineSpacing:
        para.lineSpacing = twips(token);
        break;
    case Keyword::LineMultiple:
        para.lineMultiple = toggle(token);
        break;
    case Keyword::InTable:
        para.inTable = true;
        break;
    case Keyword::PageBreakBefore:
        para.pageBreakBefore = toggle(token);
        break;
    case Keyword::TabRight:
        para.nextTabType = QTextOption::RightTab;
        break;
    case Keyword::TabCentre:
        para.nextTabType = QTextOption::CenterTab;
        break;
    case Keyword::TabDecimal:
        para.nextTabType = QTextOption::DelimiterTab;
        break;
    case Keyword::TabPosition:
        // Word keeps at most 64 stops in a paragraph.
        if (para.tabs.size() < 64)
            para.tabs.append({std::max(0, twips(token)), para.nextTabType});
        para.nextTabType = QTextOption::LeftTab;
        break;
    case Keyword::DefaultTab:
        if (token.hasParameter && token.parameter > 0) {
            QTextOption option = writer_.document().defaultTextOption();
            option.setTabStopDistance(twipsToPixels(clampInt(token.parameter, 1, TwipLimit)));
            writer_.document().setDefaultTextOption(option);
        }
        break;

    case Keyword::Par:
        if (!inBody)
            break;
        startSectionIfDue();
        syncCharFormat();
        if (para.inTable)
            writer_.endCellParagraph();
        else
            writer_.endParagraph(blockFormat(para));
        break;
    case Keyword::Sect:
        if (inBody) {
            syncCharFormat();
            writer_.endSection(blockFormat(para));
            sectionPending_ = true;
            sectionStartsPage_ = true; // unless the new section says otherwise
        }
        break;
    case Keyword::Column:
        if (inBody) {
            syncCharFormat();
            writer_.endSection(blockFormat(para));
        }
        break;
    case Keyword::SectionBreakPage:
        sectionStartsPage_ = true;
        break;
    case Keyword::SectionBreakNone:
        sectionStartsPage_ = false;
        break;
    case Keyword::Page:
        if (inBody) {
            syncCharFormat();
            writer_.pageBreak(blockFormat(para));
        }
        break;
    case Keyword::Cell:
    case Keyword::NestCell:
        if (inBody)
            writer_.endCell();
        break;
    case Keyword::Row:
        if (inBody) {
            startSectionIfDue();
            syncCharFormat();
            writer_.endRow(blockFormat(para));
        }
        break;
    case Keyword::NestRow:
        if (inBody)
            writer_.endCellParagraph();
        break;

    case Keyword::Line:
        emitChar(QChar::LineSeparator);
        break;
    case Keyword::Tab:
        emitChar(u'\t');
        break;
    case Keyword::Emdash:
        emitChar(0x2014);
        break;
    case Keyword::Endash:
        emitChar(0x2013);
        break;
    case Keyword::Bullet:
        emitChar(0x2022);
        break;
    case Keyword::Lquote:
        emitChar(0x2018);
        break;
    case Keyword::Rquote:
        emitChar(0x2019);
        break;
    case Keyword::Ldblquote:
        emitChar(0x201C);
        break;
    case Keyword::Rdblquote:
        emitChar(0x201D);
        break;
    case Keyword::Emspace:
        emitChar(0x2003);
        break;
    case Keyword::Enspace:
        emitChar(0x2002);
        break;
    case Keyword::Qmspace:
        emitChar(0x2005);
        break;
    case Keyword::Zwj:
        emitChar(0x200D);
        break;
    case Keyword::Zwnj:
        emitChar(0x200C);
        break;
    case Keyword::Zwbo:
        emitChar(0x200B);
        break;
    case Keyword::Zwnbo:
        emitChar(0xFEFF);
        break;
    case Keyword::LtrMark:
        emitChar(0x200E);
        break;
    case Keyword::RtlMark:
        emitChar(0x200F);
        break;

    // Only meaningful inside the font and colour tables, or handled by the tokenizer.
    case Keyword::FontCharset:
    case Keyword::CodePage:
    case Keyword::FontRoman:
    case Keyword::FontSwiss:
    case Keyword::FontModern:
    case Keyword::FontScript:
    case Keyword::FontDecor:
    case Keyword::Red:
    case Keyword::Green:
    case Keyword::Blue:
    case Keyword::Binary:
    case Keyword::PngBlip:
    case Keyword::JpegBlip:
    case Keyword::MetafileBlip:
    case Keyword::BitmapBlip:
    case Keyword::PictureWidth:
    case Keyword::PictureHeight:
    case Keyword::PictureGoalWidth:
    case Keyword::PictureGoalHeight:
    case Keyword::PictureScaleX:
    case Keyword::PictureScaleY:
        break;
    }
}

void RtfParser::pictureKeyword(Keyword word, const RtfToken& token)
{
    // Sizes: pixels or hundredths of a millimetre (\picw, \pich), twips (goals), percent.
    constexpr int MaxSize = 1'000'000;
    switch (word) {
    case Keyword::PngBlip:
        pictures_.setFormat(RtfPictures::Format::Png);
        break;
    case Keyword::JpegBlip:
        pictures_.setFormat(RtfPictures::Format::Jpeg);
        break;
    case Keyword::MetafileBlip:
        pictures_.setFormat(RtfPictures::Format::Metafile);
        break;
    case Keyword::BitmapBlip:
        pictures_.setFormat(RtfPictures::Format::DeviceBitmap);
        break;
    case Keyword::PictureWidth:
        pictures_.setWidth(parameterOr(token, 0, 0, MaxSize));
        break;
    case Keyword::PictureHeight:
        pictures_.setHeight(parameterOr(token, 0, 0, MaxSize));
        break;
    case Keyword::PictureGoalWidth:
        pictures_.setGoalWidth(parameterOr(token, 0, 0, TwipLimit));
        break;
    case Keyword::PictureGoalHeight:
        pictures_.setGoalHeight(parameterOr(token, 0, 0, TwipLimit));
        break;
    case Keyword::PictureScaleX:
        pictures_.setScaleX(parameterOr(token, 100, 1, 1000));
        break;
    case Keyword::PictureScaleY:
        pictures_.setScaleY(parameterOr(token, 100, 1, 1000));
        break;
    case Keyword::Binary:
        pictures_.appendBinary(token.text);
        break;
    case Keyword::Skipped:
        enterSkip();
        break;
    default:
        break; // formatting inside a picture changes nothing shown
    }
}

// The \pict group has closed: the picture joins the text of the group around it.
void RtfParser::finishPicture()
{
    pictureDepth_ = 0;
    const QTextImageFormat format = pictures_.finish();
    if (skipping() || state().destination != Destination::Text || state().chars.hidden)
        return;
    startSectionIfDue();
    syncCharFormat();
    writer_.appendImage(format);
}

void RtfParser::fontTableKeyword(Keyword word, const RtfToken& token)
{
    switch (word) {
    case Keyword::Font:
        commitFont();
        beginFont(parameterOr(token, -1, -1, std::numeric_limits<int>::max()));
        break;
    case Keyword::FontCharset:
        fontCharset_ = parameterOr(token, -1, -1, 255);
        break;
    case Keyword::CodePage:
        fontExplicitPage_ = parameterOr(token, 0, 0, 65535);
        break;
    case Keyword::FontRoman:
        fontEntry_.hint = QFont::Serif;
        break;
    case Keyword::FontSwiss:
        fontEntry_.hint = QFont::SansSerif;
        break;
    case Keyword::FontModern:
        fontEntry_.hint = QFont::TypeWriter;
        break;
    case Keyword::FontScript:
        fontEntry_.hint = QFont::Cursive;
        break;
    case Keyword::FontDecor:
        fontEntry_.hint = QFont::Decorative;
        break;
    case Keyword::Skipped:
        enterSkip();
        break;
    case Keyword::Upr:
    case Keyword::Ud:
    case Keyword::Unicode:
    case Keyword::UnicodeSkip:
        keyword(word, token);
        break;
    default:
        break;
    }
}

void RtfParser::colorTableKeyword(Keyword word, const RtfToken& token)
{
    switch (word) {
    case Keyword::Red:
        red_ = parameterOr(token, 0, 0, 255);
        colorGiven_ = true;
        break;
    case Keyword::Green:
        green_ = parameterOr(token, 0, 0, 255);
        colorGiven_ = true;
        break;
    case Keyword::Blue:
        blue_ = parameterOr(token, 0, 0, 255);
        colorGiven_ = true;
        break;
    case Keyword::Skipped:
        enterSkip();
        break;
    default:
        break;
    }
}

void RtfParser::controlSymbol(char symbol)
{
    flushBytes();
    if (symbol == '*') {
        starPending_ = true;
        return;
    }
    starPending_ = false;
    if (state().destination == Destination::Alternative)
        setDestination(Destination::Skip);

    char16_t c = 0;
    switch (symbol) {
    case '~':
        c = 0x00A0;
        break; // non-breaking space
    case '-':
        c = 0x00AD;
        break; // optional hyphen
    case '_':
        c = 0x2011;
        break; // non-breaking hyphen
    case '{':
    case '}':
    case '\\':
        c = char16_t(symbol);
        break;
    default:
        return; // \| \: and other symbols carry no text
    }
    if (fallbackToSkip_ > 0) {
        --fallbackToSkip_;
        return;
    }
    if (state().destination == Destination::FontTable || state().destination == Destination::Text)
        emitChar(c);
}

void RtfParser::textBytes(std::string_view bytes)
{
    const bool blank =
        std::all_of(bytes.begin(), bytes.end(), [](char c) { return c == ' ' || c == '\r' || c == '\n' || c == '\t'; });
    if (!blank) {
        starPending_ = false;
        if (state().destination == Destination::Alternative)
            setDestination(Destination::Skip);
    }
    if (state().destination == Destination::Picture) {
        if (!skipping())
            pictures_.appendHex(bytes);
        return;
    }

    for (const char c : bytes) {
        if (c == '\r' || c == '\n')
            continue; // line ends in RTF source are not text
        if (fallbackToSkip_ > 0) {
            --fallbackToSkip_;
            continue;
        }
        if (skipping())
            continue;
        const auto byte = static_cast<std::uint8_t>(c);
        switch (state().destination) {
        case Destination::Text:
            if (byte == '\t') {
                flushBytes();
                emitChar(u'\t');
            } else if (byte >= 0x20 && byte != 0x7F) {
                bytes_.append(c);
            }
            break;
        case Destination::FontTable:
            if (c == ';') {
                flushBytes();
                commitFont();
            } else if (byte >= 0x20 && byte != 0x7F) {
                bytes_.append(c);
            }
            break;
        case Destination::ColorTable:
            if (c == ';')
                commitColor();
            break;
        default:
            break;
        }
    }
}

void RtfParser::hexByte(std::uint8_t byte)
{
    if (state().destination == Destination::Alternative)
        setDestination(Destination::Skip);
    starPending_ = false;
    if (fallbackToSkip_ > 0) {
        --fallbackToSkip_;
        return;
    }
    if (skipping())
        return;
    const Destination destination = state().destination;
    if (destination != Destination::Text && destination != Destination::FontTable)
        return;
    if (byte == '\t') {
        flushBytes();
        emitChar(u'\t');
    } else if (byte >= 0x20) {
        bytes_.append(char(byte));
    }
}

void RtfParser::unicodeChar(std::int64_t value)
{
    fallbackToSkip_ = state().chars.unicodeSkip;

    // \u takes a signed 16-bit value; negative ones are the upper half.
    std::int64_t code = value < 0 ? value + 65536 : value;
    if (code < 0 || code > 0x10FFFF)
        code = Replacement;

    if (code >= 0xD800 && code <= 0xDBFF) {
        if (highSurrogate_ != 0) {
            highSurrogate_ = 0;
            emitChar(Replacement); // the previous half never found its partner
        }
        highSurrogate_ = char16_t(code);
        return;
    }
    if (code >= 0xDC00 && code <= 0xDFFF) {
        if (highSurrogate_ == 0) {
            emitChar(Replacement);
            return;
        }
        const char16_t pair[2] = {highSurrogate_, char16_t(code)};
        highSurrogate_ = 0;
        emitText(QStringView(pair, 2));
        return;
    }
    if (code < 0x20 && code != '\t')
        return; // control characters have no place in the text
    if (code > 0xFFFF) {
        const char32_t wide = char32_t(code);
        emitText(QString::fromUcs4(&wide, 1));
        return;
    }
    emitChar(char16_t(code));
}

void RtfParser::enterSkip()
{
    if (overflowDepth_ > 0) {
        if (overflowSkipFrom_ == 0)
            overflowSkipFrom_ = overflowDepth_;
        return;
    }
    if (stack_.size() > 1) // outside every group there is nothing to leave
        state().destination = Destination::Skip;
}

void RtfParser::setDestination(Destination destination)
{
    if (destination == Destination::Skip) {
        enterSkip();
        return;
    }
    if (overflowDepth_ == 0 && stack_.size() > 1)
        state().destination = destination;
}

bool RtfParser::skipping() const
{
    return overflowSkipFrom_ > 0 || state().destination == Destination::Skip;
}

void RtfParser::flushBytes()
{
    if (bytes_.isEmpty())
        return;
    QString text;
    codePages_.decode(currentCodePage(), bytes_, text);
    bytes_.clear();
    // Only a tab is wanted among control characters; odd code pages (EBCDIC
    // ones, say) can turn printable bytes into others.
    text.removeIf([](QChar c) { return c.unicode() < 0x20 && c != u'\t'; });
    emitText(text);
}

void RtfParser::emitChar(char16_t c)
{
    emitText(QStringView(&c, 1));
}

void RtfParser::emitText(QStringView text)
{
    if (skipping())
        return;
    if (highSurrogate_ != 0) {
        const char16_t lone = Replacement;
        highSurrogate_ = 0;
        emitText(QStringView(&lone, 1));
    }
    switch (state().destination) {
    case Destination::Text:
        if (state().chars.hidden)
            break; // \v: hidden text, as Word leaves it off the page
        startSectionIfDue();
        syncCharFormat();
        writer_.appendText(text);
        break;
    case Destination::FontTable:
        if (fontNumber_ >= 0)
            fontEntry_.name.append(text);
        break;
    default:
        break;
    }
}

// A new section starts on a new page (\sbkpage, the default) unless its
// properties, which follow \sect, ask for a continuous break (\sbknone).
void RtfParser::startSectionIfDue()
{
    if (!sectionPending_)
        return;
    sectionPending_ = false;
    if (sectionStartsPage_)
        writer_.pageBreak(blockFormat(state().paragraph));
}

void RtfParser::syncCharFormat()
{
    if (!charFormatDirty_)
        return;
    writer_.setCharFormat(charFormat());
    charFormatDirty_ = false;
}

int RtfParser::currentCodePage() const
{
    if (state().destination == Destination::FontTable) {
        if (fontExplicitPage_ > 0)
            return fontExplicitPage_;
        // Font names are plain text even for symbol fonts.
        const int page = RtfCodePage::forCharset(fontCharset_);
        return (page != 0 && page != RtfCodePage::SymbolFont) ? page : documentCodePage_;
    }
    const int number = state().chars.font >= 0 ? state().chars.font : defaultFont_;
    const auto font = fonts_.constFind(number);
    if (font != fonts_.cend() && font->codePage != 0)
        return font->codePage;
    return documentCodePage_;
}

void RtfParser::beginFont(int number)
{
    fontNumber_ = number;
    fontEntry_ = FontEntry();
    fontCharset_ = -1;
    fontExplicitPage_ = 0;
}

void RtfParser::commitFont()
{
    if (fontNumber_ < 0)
        return;
    FontEntry entry = fontEntry_;
    entry.name = entry.name.trimmed();
    if (fontExplicitPage_ > 0)
        entry.codePage = fontExplicitPage_;
    else
        entry.codePage = RtfCodePage::forCharset(fontCharset_);
    const bool symbolName = entry.name.compare(u"Symbol", Qt::CaseInsensitive) == 0;
    if (entry.codePage == RtfCodePage::SymbolFont || symbolName) {
        const bool dingbats = entry.name.contains(u"Wingdings", Qt::CaseInsensitive) ||
            entry.name.contains(u"Webdings", Qt::CaseInsensitive) ||
            entry.name.contains(u"Dingbat", Qt::CaseInsensitive);
        entry.codePage = dingbats ? RtfCodePage::DingbatFont : RtfCodePage::SymbolFont;
    }
    fonts_.insert(fontNumber_, entry);
    fontNumber_ = -1;
    charFormatDirty_ = true;
}

void RtfParser::commitColor()
{
    // An entry with no components (usually the first) means "automatic".
    colors_.append(colorGiven_ ? QColor(red_, green_, blue_) : QColor());
    red_ = green_ = blue_ = 0;
    colorGiven_ = false;
    charFormatDirty_ = true;
}

QTextCharFormat RtfParser::charFormat()
{
    const CharState& ch = state().chars;
    QTextCharFormat format;
    format.setFontPointSize(ch.halfPoints / 2.0);
    if (ch.bold)
        format.setFontWeight(QFont::Bold);
    if (ch.italic)
        format.setFontItalic(true);
    if (ch.underline)
        format.setFontUnderline(true);
    if (ch.strike)
        format.setFontStrikeOut(true);
    if (ch.caps)
        format.setFontCapitalization(QFont::AllUppercase);
    else if (ch.smallCaps)
        format.setFontCapitalization(QFont::SmallCaps);
    if (ch.vertical != 0)
        format.setVerticalAlignment(ch.vertical > 0 ? QTextCharFormat::AlignSuperScript
                                                    : QTextCharFormat::AlignSubScript);

    const auto font = fonts_.constFind(ch.font >= 0 ? ch.font : defaultFont_);
    if (font != fonts_.cend() && !font->name.isEmpty() &&
        (families_.contains(font->name) || families_.size() < MaxFamilies)) {
        families_.insert(font->name);
        format.setFontFamilies(QStringList{font->name});
        if (font->hint != QFont::AnyStyle)
            format.setFontStyleHint(font->hint);
    }
    if (ch.color > 0 && ch.color < colors_.size() && colors_.at(ch.color).isValid())
        format.setForeground(colors_.at(ch.color));
    else if (ch.color == 0 && !colors_.isEmpty() && colors_.first().isValid())
        format.setForeground(colors_.first());
    if (ch.background > 0 && ch.background < colors_.size() && colors_.at(ch.background).isValid())
        format.setBackground(colors_.at(ch.background));
    return format;
}

QTextBlockFormat RtfParser::blockFormat(const ParaState& para)
{
    QTextBlockFormat format;
    format.setAlignment(para.alignment);
    if (para.leftIndent != 0)
        format.setLeftMargin(twipsToPixels(para.leftIndent));
    if (para.rightIndent != 0)
        format.setRightMargin(twipsToPixels(para.rightIndent));
    if (para.firstIndent != 0)
        format.setTextIndent(twipsToPixels(para.firstIndent));
    if (para.spaceBefore != 0)
        format.setTopMargin(twipsToPixels(para.spaceBefore));
    if (para.spaceAfter != 0)
        format.setBottomMargin(twipsToPixels(para.spaceAfter));
    if (para.lineSpacing > 0 && para.lineMultiple) {
        // \sl240\slmult1 is single spacing.
        format.setLineHeight(para.lineSpacing * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
    } else if (para.lineSpacing > 0) {
        format.setLineHeight(twipsToPixels(para.lineSpacing), QTextBlockFormat::MinimumHeight);
    } else if (para.lineSpacing < 0) {
        format.setLineHeight(twipsToPixels(-para.lineSpacing), QTextBlockFormat::FixedHeight);
    }
    if (para.pageBreakBefore)
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    const QList<QTextOption::Tab> tabs = tabPositions(para);
    if (!tabs.isEmpty())
        format.setTabPositions(tabs);
    return format;
}

// Tab stops as word processors use them. RTF measures them, like the indents, from the
// left edge of the text column; Qt from where the paragraph's first line starts. A hanging
// indent (a negative first-line indent, as in every bulleted or numbered list) also stops
// at the left indent, so the text after "•\t" or "1.\t" starts where the wrapped lines do.
QList<QTextOption::Tab> RtfParser::tabPositions(const ParaState& para)
{
    const int firstLineStart = para.leftIndent + para.firstIndent;
    QList<QTextOption::Tab> tabs;
    bool atLeftIndent = false;
    bool beforeLeftIndent = false;
    for (const TabStop& stop : para.tabs) {
        if (stop.position <= firstLineStart)
            continue; // behind the start of the first line: never reached
        tabs.append(QTextOption::Tab(twipsToPixels(stop.position - firstLineStart), stop.type,
                                     stop.type == QTextOption::DelimiterTab ? QChar(u'.') : QChar()));
        atLeftIndent = atLeftIndent || stop.position == para.leftIndent;
        beforeLeftIndent = beforeLeftIndent || stop.position < para.leftIndent;
    }
    // Word's implicit stop, unless an explicit one comes first after the bullet.
    if (para.firstIndent < 0 && !atLeftIndent && !beforeLeftIndent)
        tabs.append(QTextOption::Tab(twipsToPixels(-para.firstIndent), QTextOption::LeftTab));
    std::sort(tabs.begin(), tabs.end(),
              [](const QTextOption::Tab& a, const QTextOption::Tab& b) { return a.position < b.position; });
    return tabs;
}
