#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextLayout>
#include <QTextOption>
#include <QUrl>

#include "richtext/RtfReader.h"

using namespace Qt::StringLiterals;

namespace {

const QString kPrevious = QStringLiteral("contenido previo");

QString dataPath(const QString& name)
{
    return qEnvironmentVariable("VELMARO_TEST_DATA") + QStringLiteral("/rtf/") + name;
}

// "@name" stands for the file tests/data/rtf/name; anything else is inline RTF.
QByteArray source(const QByteArray& input)
{
    if (!input.startsWith('@'))
        return input;
    QFile file(dataPath(QString::fromLatin1(input.mid(1))));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Paragraphs joined by "\n"; line breaks, no-break spaces and the like stay as they are.
QString textOf(const QTextDocument& document)
{
    QString text = document.toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

// Reads into a document that already holds something, so leftovers show.
void readInto(const QByteArray& rtf, QTextDocument& document)
{
    document.setPlainText(kPrevious);
    RtfReader::read(rtf, document);
}

bool hasStrayControls(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 && c != u'\t' && c != u'\n')
            return true;
    }
    return false;
}

// A picture of one colour, encoded as the given format, as RTF hex digits.
QByteArray pictureHex(const char* format, QSize size = QSize(8, 6), QColor colour = QColor(0x2e, 0x7d, 0x32))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes.toHex();
}

QList<QTextImageFormat> imagesOf(const QTextDocument& document)
{
    QList<QTextImageFormat> images;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat())
                images.append(it.fragment().charFormat().toImageFormat());
        }
    }
    return images;
}

} // namespace

class TestRtfReader : public QObject {
    Q_OBJECT

private slots:
    void text_data();
    void text();
    void files_data();
    void files();
    void charFormat_data();
    void charFormat();
    void blockFormat_data();
    void blockFormat();
    void lineSpacing_data();
    void lineSpacing();
    void deepNesting_data();
    void deepNesting();
    void largeInput();
    void randomBytes();
    void truncatedFiles_data();
    void truncatedFiles();
    void hostileFiles_data();
    void hostileFiles();
    void readFileSucceeds_data();
    void readFileSucceeds();
    void pictures_data();
    void pictures();
    void hangingIndent_data();
    void hangingIndent();
};

void TestRtfReader::text_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");

    // Structure and special characters.
    QTest::newRow("paragraph") << QByteArray(R"({\rtf1 Hola mundo})") << u"Hola mundo"_s;
    QTest::newRow("trailing par") << QByteArray(R"({\rtf1 Uno\par Dos\par})") << u"Uno\nDos"_s;
    QTest::newRow("empty paragraph") << QByteArray(R"({\rtf1 Uno\par\par Dos})") << u"Uno\n\nDos"_s;
    QTest::newRow("line and tab") << QByteArray(R"({\rtf1 a\line b\tab c})") << u"a\u2028b\tc"_s;
    QTest::newRow("delimiting space") << QByteArray(R"({\rtf1 \b negrita\b0  normal})") << u"negrita normal"_s;
    QTest::newRow("control symbols") << QByteArray(R"({\rtf1 a\~b\-c\_d \{x\} \\})")
                                     << u"a\u00A0b\u00ADc\u2011d {x} \\"_s;
    QTest::newRow("typographic words")
        << QByteArray(R"({\rtf1 \ldblquote N\rdblquote  \lquote x\rquote  \emdash \endash \bullet})")
        << u"“N” ‘x’ —–•"_s;
    QTest::newRow("source line ends") << QByteArray("{\\rtf1 ab\r\ncd\ref}") << u"abcdef"_s;
    QTest::newRow("backslash line end") << QByteArray("{\\rtf1 uno\\\ndos}") << u"uno\ndos"_s;
    QTest::newRow("unknown words") << QByteArray(R"({\rtf1 \foo\barbaz123 texto \qwerty-5 fin})") << u"texto fin"_s;
    QTest::newRow("dash not a parameter") << QByteArray(R"({\rtf1 \foo- bar})") << u"- bar"_s;

    // Code pages.
    QTest::newRow("1252 spanish") << QByteArray(
                                         R"({\rtf1\ansi\ansicpg1252 Espa\'f1a, \'bfqu\'e9 tal? \'a1Ol\'e9! \'d3})")
                                  << u"España, ¿qué tal? ¡Olé! Ó"_s;
    QTest::newRow("1252 0x80-0x9f") << QByteArray(R"({\rtf1\ansi \'93cita\'94 \'80 \'85 \'96})") << u"“cita” € … –"_s;
    QTest::newRow("1252 by default") << QByteArray(R"({\rtf1 \'e1\'C1})") << u"áÁ"_s;
    QTest::newRow("raw high byte") << QByteArray("{\\rtf1 a\xf1o}") << u"año"_s;
    QTest::newRow("1250") << QByteArray(R"({\rtf1\ansi\ansicpg1250 \'9a\'e8\'b3})") << u"ščł"_s;
    QTest::newRow("1251") << QByteArray(R"({\rtf1\ansi\ansicpg1251 \'cf\'f0\'e8\'e2\'e5\'f2})") << u"Привет"_s;
    QTest::newRow("font charset")
        << QByteArray(R"({\rtf1\ansi{\fonttbl{\f0 Arial;}{\f1\fcharset204 Arial Cyr;}}\'e0{\f1 \'e0}\'e0})")
        << u"àаà"_s;
    QTest::newRow("utf-8 page") << QByteArray("{\\rtf1\\ansi\\ansicpg65001 \\'c3\\'b1 a\xc3\xb1}") << u"ñ añ"_s;
    QTest::newRow("symbol font") << QByteArray(R"({\rtf1{\fonttbl{\f1\fcharset2 Symbol;}}{\f1 \'b7 m}})") << u"• μ"_s;

    // Unicode escapes and their fallbacks.
    QTest::newRow("u uc1 default") << QByteArray(R"({\rtf1 a\u241?b})") << u"añb"_s;
    QTest::newRow("u uc0") << QByteArray(R"({\rtf1\uc0 a\u241 b})") << u"añb"_s;
    QTest::newRow("u uc2 hex") << QByteArray(R"({\rtf1\uc2 \u8364\'80\'80x})") << u"€x"_s;
    QTest::newRow("u uc2 text") << QByteArray(R"({\rtf1\uc2\u241 n~x})") << u"ñx"_s;
    QTest::newRow("u hex fallback") << QByteArray(R"({\rtf1 \u233\'e9t\'e9})") << u"été"_s;
    QTest::newRow("u negative") << QByteArray(R"({\rtf1 \u-1279?})") << u"ﬁ"_s;
    QTest::newRow("uc scoped") << QByteArray(R"({\rtf1 {\uc0\u241 x}\u241?y})") << u"ñxñy"_s;
    QTest::newRow("fallback ends at brace") << QByteArray(R"({\rtf1\uc3 {\u233}x})") << u"éx"_s;
    QTest::newRow("fallback not a paragraph") << QByteArray(R"({\rtf1 \u233\par b})") << u"é\nb"_s;
    QTest::newRow("surrogate pair") << QByteArray(R"({\rtf1 \u-10180?\u-8386?})") << u"🌾"_s;
    QTest::newRow("surrogate pair positive") << QByteArray(R"({\rtf1 \u55356?\u57150?})") << u"🌾"_s;
    QTest::newRow("lone high surrogate") << QByteArray(R"({\rtf1 a\u-10180?b})") << u"a\uFFFDb"_s;
    QTest::newRow("high surrogate twice") << QByteArray(R"({\rtf1 a\u-10180?\u-10180?\u-8386?b})") << u"a\uFFFD🌾b"_s;
    QTest::newRow("lone low surrogate") << QByteArray(R"({\rtf1 a\u-8386?b})") << u"a\uFFFDb"_s;
    QTest::newRow("u out of range") << QByteArray(R"({\rtf1 a\u99999999999999999999?b})") << u"a\uFFFDb"_s;

    // Destinations whose text is not part of the document.
    QTest::newRow("info") << QByteArray(R"({\rtf1{\info{\title Secreto}{\author X}}Visible})") << u"Visible"_s;
    QTest::newRow("ignorable") << QByteArray(R"({\rtf1{\*\generator Riched20;}{\*\nuevo oculto}Visible})")
                               << u"Visible"_s;
    QTest::newRow("stylesheet") << QByteArray(R"({\rtf1{\stylesheet{\s1 Heading 1;}}Texto})") << u"Texto"_s;
    QTest::newRow("field result") << QByteArray(R"({\rtf1{\field{\*\fldinst HYPERLINK "x"}{\fldrslt enlace}} fin})")
                                  << u"enlace fin"_s;
    QTest::newRow("fldinst unstarred") << QByteArray(R"({\rtf1{\field{\fldinst PAGE}{\fldrslt 3}}})") << u"3"_s;
    QTest::newRow("headers footers")
        << QByteArray(R"({\rtf1{\header C}{\headerl C}{\headerr C}{\footer P}{\footerf P}Cuerpo})") << u"Cuerpo"_s;
    QTest::newRow("bin with braces") << QByteArray("{\\rtf1 A{\\pict\\bin6 }}}\\{{}B}") << u"A\uFFFCB"_s;
    QTest::newRow("hidden text") << QByteArray(R"({\rtf1 a{\v oculto}b\v c\v0 d})") << u"abd"_s;
    QTest::newRow("object") << QByteArray(R"({\rtf1{\object{\*\objdata 0102}{\result oculto}}Fin})") << u"Fin"_s;
    QTest::newRow("unicode alternative") << QByteArray(R"({\rtf1{\upr{ansi}{\*\ud{unicode}}}})") << u"unicode"_s;

    // Tables: one paragraph per row, cells separated by tabs.
    QTest::newRow("row") << QByteArray(R"({\rtf1\trowd\cellx1000\cellx2000\intbl A\cell B\cell\row\pard Fin\par})")
                         << u"A\tB\nFin"_s;
    QTest::newRow("empty cell") << QByteArray(R"({\rtf1\intbl A\cell\cell C\cell\row})") << u"A\t\tC"_s;
    QTest::newRow("paragraph in cell") << QByteArray(R"({\rtf1\intbl uno\par dos\cell tres\cell\row})")
                                       << u"uno dos\ttres"_s;

    // Page breaks leave no empty paragraph behind.
    QTest::newRow("page") << QByteArray(R"({\rtf1 uno\page dos})") << u"uno\ndos"_s;
    QTest::newRow("par page") << QByteArray(R"({\rtf1 uno\par\page dos\par})") << u"uno\ndos"_s;
    QTest::newRow("page par") << QByteArray(R"({\rtf1 uno\page\par dos})") << u"uno\ndos"_s;
    QTest::newRow("section") << QByteArray(R"({\rtf1 uno\sect dos})") << u"uno\ndos"_s;
    QTest::newRow("par section") << QByteArray(R"({\rtf1 uno\par\sect\sectd dos\par\sect})") << u"uno\ndos"_s;

    // Malformed input yields what can be read.
    QTest::newRow("extra closing braces") << QByteArray(R"({\rtf1 uno}} dos}})") << u"uno dos"_s;
    QTest::newRow("missing closing braces") << QByteArray(R"({\rtf1 {\b uno {\i dos)") << u"uno dos"_s;
    QTest::newRow("truncated word") << QByteArray(R"({\rtf1 texto\pa)") << u"texto"_s;
    QTest::newRow("hex quote at end") << QByteArray(R"({\rtf1 a\')") << u"a"_s;
    QTest::newRow("hex one digit at end") << QByteArray(R"({\rtf1 a\'e)") << u"a"_s;
    QTest::newRow("hex not hex") << QByteArray(R"({\rtf1 a\'zz})") << u"azz"_s;
    QTest::newRow("backslash at end") << QByteArray("{\\rtf1 a\\") << u"a"_s;
    QTest::newRow("star at end") << QByteArray(R"({\rtf1 a\*)") << u"a"_s;
    QTest::newRow("u at end") << QByteArray(R"({\rtf1 a\u)") << u"a"_s;
    QTest::newRow("huge bin") << QByteArray(R"({\rtf1 a\bin999999999999 bcd})") << u"a"_s;
    QTest::newRow("negative bin") << QByteArray(R"({\rtf1 a\bin-5 b})") << u"ab"_s;
    QTest::newRow("huge parameters")
        << QByteArray(R"({\rtf1\fs99999999999999999999 a\li-99999999999999999999 b\uc99999999999 c})") << u"abc"_s;
    QTest::newRow("control bytes") << QByteArray("{\\rtf1 a\0\x01\x02\x7f"
                                                 "b}",
                                                 14)
                                   << u"ab"_s;
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("header only") << QByteArray(R"({\rtf1)") << QString();

    // Not RTF at all: shown as plain text.
    QTest::newRow("plain utf8") << QByteArray("Hola\r\nmundo \xc3\xb1\n") << u"Hola\nmundo ñ"_s;
    QTest::newRow("plain latin") << QByteArray("a\xf1o\0x", 5) << u"añox"_s;
}

void TestRtfReader::text()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QTextDocument document;
    readInto(rtf, document);
    QCOMPARE(textOf(document), expected);
}

void TestRtfReader::files_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");

    QTest::newRow("formatting") << QByteArray("@formatting.rtf")
                                << u"Dosis de nitrógeno\n"
                                   "El trigo pide abonado en ahijado y encañado; nunca en cosecha.\n"
                                   "Rojo Verde Courier\n"
                                   "negrita y cursiva sigue plano"_s;
    QTest::newRow("encodings") << QByteArray("@encodings.rtf")
                               << u"¿Cuánto nitrógeno? ¡Mañana se abona! “Dosis” €/ha\n"
                                  "N ≥ 40 kg\n"
                                  "łęПривет"_s;
    QTest::newRow("destinations") << QByteArray("@destinations.rtf")
                                  << u"Antes de la imagen \uFFFC\uFFFCy después.\nenlace y 7\n\uFFFCFinal"_s;
    QTest::newRow("table") << QByteArray("@table.rtf")
                           << u"Tabla de dosis\nCultivo\tDosis\tkg/ha\nTrigo\t120\n"
                              "Cebada de invierno\t\t90\nFin de la tabla"_s;
    QTest::newRow("lists") << QByteArray("@lists.rtf") << u"•\tUrea\n•\tNitrato amónico\n▪\tPurines\nFin"_s;
    QTest::newRow("help") << QByteArray("@help.rtf")
                          << u"Velmaro\n"
                             "Esta ayuda explica cómo calcular la dosis de nitrógeno para el trigo.\n"
                             "•\tRendimiento esperado\n•\tNitrógeno en el suelo\n"
                             "Más información\nSegunda página"_s;
}

void TestRtfReader::files()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    const QByteArray bytes = source(rtf);
    QVERIFY2(!bytes.isEmpty(), "test data missing; is VELMARO_TEST_DATA set?");
    QTextDocument document;
    readInto(bytes, document);
    QCOMPARE(textOf(document), expected);
    QVERIFY(!textOf(document).contains(u"oculto"_s, Qt::CaseInsensitive));
}

void TestRtfReader::charFormat_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<bool>("strike");
    QTest::addColumn<double>("points");
    QTest::addColumn<QString>("foreground"); // "" when none is set
    QTest::addColumn<QString>("background");
    QTest::addColumn<QString>("family");

    const QByteArray file("@formatting.rtf");
    const QString times = u"Times New Roman"_s;
    QTest::newRow("title") << file << u"Dosis"_s << true << false << false << false << 16.0 << QString() << QString()
                           << u"Arial"_s;
    QTest::newRow("bold group") << file << u"abonado"_s << true << false << false << false << 12.0 << QString()
                                << QString() << times;
    QTest::newRow("after group") << file << u" en "_s << false << false << false << false << 12.0 << QString()
                                 << QString() << times;
    QTest::newRow("italic") << file << u"ahijado"_s << false << true << false << false << 12.0 << QString() << QString()
                            << times;
    QTest::newRow("underline") << file << u"encañado"_s << false << false << true << false << 12.0 << QString()
                               << QString() << times;
    QTest::newRow("strike") << file << u"nunca"_s << false << false << false << true << 12.0 << QString() << QString()
                            << times;
    QTest::newRow("colour") << file << u"Rojo"_s << false << false << false << false << 12.0 << u"#ff0000"_s
                            << QString() << times;
    QTest::newRow("highlight") << file << u"Verde"_s << false << false << false << false << 12.0 << u"#008000"_s
                               << u"#ffff00"_s << times;
    QTest::newRow("font and size") << file << u"Courier"_s << false << false << false << false << 10.0 << QString()
                                   << QString() << u"Courier New"_s;
    QTest::newRow("nested") << file << u"y cursiva"_s << true << true << false << false << 12.0 << QString()
                            << QString() << times;
    QTest::newRow("restored") << file << u"sigue"_s << true << false << false << false << 12.0 << QString() << QString()
                              << times;
    QTest::newRow("plain") << file << u"plano"_s << false << false << false << false << 12.0 << QString() << QString()
                           << times;

    QTest::newRow("b0") << QByteArray(R"({\rtf1 \b uno\b0  dos})") << u"dos"_s << false << false << false << false
                        << 12.0 << QString() << QString() << QString();
    QTest::newRow("ulnone") << QByteArray(R"({\rtf1 \ul sub\ulnone raya})") << u"raya"_s << false << false << false
                            << false << 12.0 << QString() << QString() << QString();
    QTest::newRow("uldb") << QByteArray(R"({\rtf1 \uldb sub\ulnone raya})") << u"sub"_s << false << false << true
                          << false << 12.0 << QString() << QString() << QString();
    QTest::newRow("i0 strike0") << QByteArray(R"({\rtf1 \i\strike a\i0\strike0 z})") << u"z"_s << false << false
                                << false << false << 12.0 << QString() << QString() << QString();
    QTest::newRow("size restored") << QByteArray(R"({\rtf1 {\fs40 grande} normal})") << u"normal"_s << false << false
                                   << false << false << 12.0 << QString() << QString() << QString();
    QTest::newRow("cf0 automatic") << QByteArray(R"({\rtf1{\colortbl;\red255\green0\blue0;}\cf1 a\cf0 z})") << u"z"_s
                                   << false << false << false << false << 12.0 << QString() << QString() << QString();
    QTest::newRow("cf out of range") << QByteArray(R"({\rtf1{\colortbl;\red255\green0\blue0;}\cf9 z})") << u"z"_s
                                     << false << false << false << false << 12.0 << QString() << QString() << QString();
    QTest::newRow("deep in list text") << QByteArray("@lists.rtf") << u"Urea"_s << false << false << false << false
                                       << 12.0 << QString() << QString() << u"Arial"_s;
    QTest::newRow("symbol bullet") << QByteArray("@lists.rtf") << u"•"_s << false << false << false << false << 12.0
                                   << QString() << QString() << u"Symbol"_s;
    QTest::newRow("help link") << QByteArray("@help.rtf") << u"Más información"_s << false << false << true << false
                               << 11.0 << u"#004dbb"_s << QString() << u"Calibri"_s;
}

void TestRtfReader::charFormat()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, word);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(bool, underline);
    QFETCH(bool, strike);
    QFETCH(double, points);
    QFETCH(QString, foreground);
    QFETCH(QString, background);
    QFETCH(QString, family);

    QTextDocument document;
    readInto(source(rtf), document);
    const int start = int(textOf(document).indexOf(word));
    QVERIFY2(start >= 0, qPrintable(textOf(document)));

    QTextCursor cursor(&document);
    for (int position = start; position < start + word.size(); ++position) {
        cursor.setPosition(position + 1); // the format of the character before the cursor
        const QTextCharFormat format = cursor.charFormat();
        QCOMPARE(format.fontWeight() >= QFont::Bold, bold);
        QCOMPARE(format.fontItalic(), italic);
        QCOMPARE(format.fontUnderline(), underline);
        QCOMPARE(format.fontStrikeOut(), strike);
        QCOMPARE(format.fontPointSize(), points);
        QCOMPARE(format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color().name() : QString(),
                 foreground);
        QCOMPARE(format.hasProperty(QTextFormat::BackgroundBrush) ? format.background().color().name() : QString(),
                 background);
        QCOMPARE(format.fontFamilies().toStringList().value(0), family);
    }
}

void TestRtfReader::blockFormat_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<int>("block");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<double>("left"); // pixels at 96 per inch: twips / 15
    QTest::addColumn<double>("right");
    QTest::addColumn<double>("indent");
    QTest::addColumn<double>("top");
    QTest::addColumn<double>("bottom");
    QTest::addColumn<bool>("pageBreak");

    const QByteArray file("@formatting.rtf");
    QTest::newRow("centred title") << file << 0 << int(Qt::AlignHCenter) << 0.0 << 0.0 << 0.0 << 16.0 << 8.0 << false;
    QTest::newRow("indented body") << file << 1 << int(Qt::AlignJustify) << 48.0 << 24.0 << -24.0 << 0.0 << 8.0
                                   << false;
    QTest::newRow("right") << file << 2 << int(Qt::AlignRight) << 0.0 << 0.0 << 0.0 << 0.0 << 0.0 << false;
    QTest::newRow("pard resets") << file << 3 << int(Qt::AlignLeft) << 0.0 << 0.0 << 0.0 << 0.0 << 0.0 << false;
    QTest::newRow("hanging bullet") << QByteArray("@lists.rtf") << 2 << int(Qt::AlignLeft) << 48.0 << 0.0 << -24.0
                                    << 0.0 << 0.0 << false;
    QTest::newRow("before page break") << QByteArray("@help.rtf") << 4 << int(Qt::AlignLeft) << 0.0 << 0.0 << 0.0 << 0.0
                                       << 200 / 15.0 << false;
    QTest::newRow("after page break") << QByteArray("@help.rtf") << 5 << int(Qt::AlignLeft) << 0.0 << 0.0 << 0.0 << 0.0
                                      << 200 / 15.0 << true;
    QTest::newRow("set at paragraph end") << QByteArray(R"({\rtf1 a\qr\li1440\par b})") << 0 << int(Qt::AlignRight)
                                          << 96.0 << 0.0 << 0.0 << 0.0 << 0.0 << false;
    QTest::newRow("carried to next") << QByteArray(R"({\rtf1 a\qr\li1440\par b})") << 1 << int(Qt::AlignRight) << 96.0
                                     << 0.0 << 0.0 << 0.0 << 0.0 << false;
    QTest::newRow("group restores") << QByteArray(R"({\rtf1 {\qc\sb300 a\par} b\par})") << 1 << int(Qt::AlignLeft)
                                    << 0.0 << 0.0 << 0.0 << 0.0 << 0.0 << false;
    QTest::newRow("last without par") << QByteArray(R"({\rtf1\qc\sa60 centrado})") << 0 << int(Qt::AlignHCenter) << 0.0
                                      << 0.0 << 0.0 << 0.0 << 4.0 << false;
    QTest::newRow("page") << QByteArray(R"({\rtf1 uno\page dos})") << 1 << int(Qt::AlignLeft) << 0.0 << 0.0 << 0.0
                          << 0.0 << 0.0 << true;
    QTest::newRow("no break before first")
        << QByteArray(R"({\rtf1 uno\page dos})") << 0 << int(Qt::AlignLeft) << 0.0 << 0.0 << 0.0 << 0.0 << 0.0 << false;
    QTest::newRow("section starts a page") << QByteArray(R"({\rtf1 uno\par\sect\sectd dos})") << 1 << int(Qt::AlignLeft)
                                           << 0.0 << 0.0 << 0.0 << 0.0 << 0.0 << true;
    QTest::newRow("continuous section") << QByteArray(R"({\rtf1 uno\sect\sectd\sbknone dos})") << 1
                                        << int(Qt::AlignLeft) << 0.0 << 0.0 << 0.0 << 0.0 << 0.0 << false;
    QTest::newRow("column break") << QByteArray(R"({\rtf1 uno\column dos})") << 1 << int(Qt::AlignLeft) << 0.0 << 0.0
                                  << 0.0 << 0.0 << 0.0 << false;
    QTest::newRow("pagebb") << QByteArray(R"({\rtf1 a\par\pagebb b\par})") << 1 << int(Qt::AlignLeft) << 0.0 << 0.0
                            << 0.0 << 0.0 << 0.0 << true;
    QTest::newRow("qj") << QByteArray(R"({\rtf1\qj\ri720\fi360 a})") << 0 << int(Qt::AlignJustify) << 0.0 << 48.0
                        << 24.0 << 0.0 << 0.0 << false;
}

void TestRtfReader::blockFormat()
{
    QFETCH(QByteArray, rtf);
    QFETCH(int, block);
    QFETCH(int, alignment);
    QFETCH(double, left);
    QFETCH(double, right);
    QFETCH(double, indent);
    QFETCH(double, top);
    QFETCH(double, bottom);
    QFETCH(bool, pageBreak);

    QTextDocument document;
    readInto(source(rtf), document);
    QVERIFY2(block < document.blockCount(), qPrintable(textOf(document)));
    const QTextBlockFormat format = document.findBlockByNumber(block).blockFormat();
    QCOMPARE(int(format.alignment() & Qt::AlignHorizontal_Mask), alignment);
    QCOMPARE(format.leftMargin(), left);
    QCOMPARE(format.rightMargin(), right);
    QCOMPARE(format.textIndent(), indent);
    QCOMPARE(format.topMargin(), top);
    QCOMPARE(format.bottomMargin(), bottom);
    QCOMPARE(bool(format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore), pageBreak);
}

void TestRtfReader::lineSpacing_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<double>("height");
    QTest::addColumn<int>("type");

    QTest::newRow("multiple") << QByteArray(R"({\rtf1\sl276\slmult1 a})") << 115.0
                              << int(QTextBlockFormat::ProportionalHeight);
    QTest::newRow("at least") << QByteArray(R"({\rtf1\sl360 a})") << 24.0 << int(QTextBlockFormat::MinimumHeight);
    QTest::newRow("exactly") << QByteArray(R"({\rtf1\sl-240 a})") << 16.0 << int(QTextBlockFormat::FixedHeight);
    QTest::newRow("single") << QByteArray(R"({\rtf1\sl0 a})") << 0.0 << int(QTextBlockFormat::SingleHeight);
}

void TestRtfReader::lineSpacing()
{
    QFETCH(QByteArray, rtf);
    QFETCH(double, height);
    QFETCH(int, type);
    QTextDocument document;
    readInto(rtf, document);
    const QTextBlockFormat format = document.firstBlock().blockFormat();
    QCOMPARE(format.lineHeightType(), type);
    QCOMPARE(format.lineHeight(), height);
}

void TestRtfReader::deepNesting_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");

    constexpr int depth = 100'000;
    const QByteArray open = QByteArray("{").repeated(depth);
    const QByteArray close = QByteArray("}").repeated(depth);
    QTest::newRow("balanced") << "{\\rtf1 " + open + "trigo" + close + " fin}" << u"trigo fin"_s;
    QTest::newRow("never closed") << "{\\rtf1 " + open + "trigo" << u"trigo"_s;
    QTest::newRow("only closing") << "{\\rtf1 " + close + "trigo" << u"trigo"_s;
    QTest::newRow("formatting at every level")
        << "{\\rtf1 " + QByteArray("{\\b\\fs30 ").repeated(depth) + "trigo" + close << u"trigo"_s;
    QTest::newRow("skipped group beyond the limit")
        << "{\\rtf1 " + open + "{\\*\\oculto no}{\\info no}visible" + close + " fin}" << u"visible fin"_s;
}

void TestRtfReader::deepNesting()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QTextDocument document;
    readInto(rtf, document);
    QCOMPARE(textOf(document), expected);
}

void TestRtfReader::largeInput()
{
    constexpr int paragraphs = 60'000;
    QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}";
    for (int i = 0; i < paragraphs; ++i)
        rtf += "{\\b Parcela " + QByteArray::number(i) +
            ":} dosis de nitr\\'f3geno 120 kg/ha, rendimiento 6 t/ha.\\par\r\n";
    // A picture of several megabytes of hex, read through to the text after it.
    rtf += "{\\pict\\pngblip " + QByteArray("0123456789abcdef").repeated(200'000) + "}fin}";
    QVERIFY(rtf.size() > 6'000'000);

    QTextDocument document;
    readInto(rtf, document);
    QCOMPARE(document.blockCount(), paragraphs + 1);
    QCOMPARE(document.findBlockByNumber(paragraphs - 1).text(),
             u"Parcela 59999: dosis de nitrógeno 120 kg/ha, rendimiento 6 t/ha."_s);
    QCOMPARE(document.lastBlock().text(), u"\uFFFCfin"_s); // the picture: not decodable
    QTextCursor cursor(document.findBlockByNumber(30'000));
    cursor.movePosition(QTextCursor::NextCharacter);
    QCOMPARE(cursor.charFormat().fontWeight(), int(QFont::Bold));
}

void TestRtfReader::randomBytes()
{
    // Mostly RTF syntax characters, so the junk reaches deep into the reader.
    static const char kAlphabet[] = "{{}}\\\\\\'*0123456789-abcfilnpqrstuvx ;\r\n\t\x00\x7f\x80\xff";
    const QByteArray alphabet(kAlphabet, sizeof(kAlphabet) - 1);
    QRandomGenerator random(20'240'917);
    for (int round = 0; round < 300; ++round) {
        QByteArray junk = (round % 2 == 0) ? QByteArray("{\\rtf1 ") : QByteArray();
        const int size = random.bounded(1, 4000);
        for (int i = 0; i < size; ++i)
            junk += alphabet.at(random.bounded(int(alphabet.size())));
        QTextDocument document;
        readInto(junk, document);
        QVERIFY2(!hasStrayControls(textOf(document)), qPrintable(QString::number(round)));
        QVERIFY(!textOf(document).contains(kPrevious));
    }
}

void TestRtfReader::truncatedFiles_data()
{
    QTest::addColumn<QByteArray>("rtf");
    for (const char* name :
         {"formatting.rtf", "encodings.rtf", "destinations.rtf", "table.rtf", "lists.rtf", "help.rtf"})
        QTest::newRow(name) << source(QByteArray("@") + name);
}

void TestRtfReader::truncatedFiles()
{
    QFETCH(QByteArray, rtf);
    QVERIFY(!rtf.isEmpty());
    for (qsizetype length = 0; length < rtf.size(); ++length) {
        QTextDocument document;
        readInto(rtf.left(length), document);
        QVERIFY2(!hasStrayControls(textOf(document)), qPrintable(QString::number(length)));
    }
}

void TestRtfReader::hostileFiles_data()
{
    // How the file named "velmaro.rtf" in a fresh folder is made, and the reason given.
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    const QString notRegular = u"no es un archivo común (es un dispositivo, una tubería o un enlace a uno de ellos)"_s;
    QTest::newRow("missing") << u"missing"_s << u"no existe"_s;
    QTest::newRow("in a missing folder") << u"missing folder"_s << u"no existe"_s;
    QTest::newRow("relative") << u"relative"_s << u"no existe"_s;
    QTest::newRow("no name") << u"no name"_s << u"no se indicó ningún archivo"_s;
    QTest::newRow("folder") << u"folder"_s << u"es una carpeta, no un archivo"_s;
    QTest::newRow("fifo") << u"fifo"_s << notRegular;
    QTest::newRow("endless device") << u"/dev/zero"_s << notRegular;
    QTest::newRow("link to a device") << u"link /dev/zero"_s << notRegular;
    QTest::newRow("60 MB") << u"size 62914560"_s << u"ocupa 60 MB y el límite para un documento de ayuda es de 20 MB"_s;
    QTest::newRow("one byte over the limit")
        << u"size 20971521"_s << u"ocupa 21 MB y el límite para un documento de ayuda es de 20 MB"_s;
    QTest::newRow("empty") << u"content"_s << u"está vacío"_s;
    QTest::newRow("blanks only") << u"content \r\n\t "_s << u"está vacío"_s;
    QTest::newRow("binary") << u"binary"_s << u"no es un documento RTF ni de texto"_s;
    QTest::newRow("unreadable") << u"unreadable"_s << u"no hay permiso para leerlo"_s;
    const QString tooMuchText = u"su texto pasa de 500000 caracteres, el límite para un documento de ayuda"_s;
    QTest::newRow("rtf with too much text") << u"rtf 500001"_s << tooMuchText;
    QTest::newRow("plain text, too much") << u"plain 500001"_s << tooMuchText;
}

void TestRtfReader::hostileFiles()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QString path = folder.filePath(u"velmaro.rtf"_s);
    if (kind == u"missing folder") {
        path = folder.filePath(u"no-existe/velmaro.rtf"_s);
    } else if (kind == u"relative") {
        path = u"no-existe/ayuda.rtf"_s;
    } else if (kind == u"no name") {
        path.clear();
    } else if (kind == u"folder") {
        QVERIFY(QDir(folder.path()).mkdir(u"velmaro.rtf"_s));
    } else if (kind == u"fifo") {
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    } else if (kind.startsWith(u"/dev/")) {
        path = kind;
    } else if (kind.startsWith(u"link ")) {
        QVERIFY(QFile::link(kind.mid(5), path));
    } else if (kind.startsWith(u"size ")) {
        // Sparse: as large as it says without taking the room, RTF at the start.
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\\rtf1 ");
        QVERIFY(file.resize(kind.mid(5).toLongLong()));
    } else if (kind.startsWith(u"content")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(kind.mid(7).toUtf8());
    } else if (kind.startsWith(u"rtf ") || kind.startsWith(u"plain ")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QByteArray text(kind.section(u' ', 1).toInt(), 'a');
        file.write(kind.startsWith(u"rtf") ? "{\\rtf1 " + text + "\r\n\\par\r\n}" : text);
    } else if (kind == u"binary") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QByteArray png;
        QBuffer buffer(&png);
        QVERIFY(buffer.open(QIODevice::WriteOnly));
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        QVERIFY(picture.save(&buffer, "PNG"));
        file.write(png);
    } else if (kind == u"unreadable") {
        if (::geteuid() == 0)
            QSKIP("the superuser reads every file");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\\rtf1 secreto}");
        file.close();
        QVERIFY(file.setPermissions(QFileDevice::WriteOwner));
    }

    QTextDocument document;
    document.setPlainText(kPrevious);
    QString error;
    QVERIFY(!RtfReader::readFile(path, document, &error));
    if (path.isEmpty())
        QCOMPARE(error, u"No se puede abrir el archivo \"\": %1."_s.arg(reason));
    else
        QCOMPARE(error,
                 u"No se puede abrir el archivo \"%1\" (%2): %3."_s.arg(QFileInfo(path).fileName(),
                                                                        QFileInfo(path).absoluteFilePath(), reason));
    QCOMPARE(document.toPlainText(), kPrevious);
    QVERIFY(!RtfReader::readFile(path, document)); // without a place for the message
    QCOMPARE(document.toPlainText(), kPrevious);
}

void TestRtfReader::readFileSucceeds_data()
{
    QTest::addColumn<QString>("file"); // in tests/data/rtf, or empty to write content
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected"); // first paragraph
    QTest::newRow("rtf file") << u"help.rtf"_s << QByteArray() << u"Velmaro"_s;
    QTest::newRow("plain text file") << QString() << QByteArray("Dosis: 120 kg N/ha\n") << u"Dosis: 120 kg N/ha"_s;
    // The most text taken, a paragraph end included.
    QTest::newRow("text at the limit") << QString() << "{\\rtf1 " + QByteArray(499'999, 'a') + "\\par}"
                                       << QString(499'999, u'a');
    // The largest file taken: exactly the limit.
    QTest::newRow("at the limit") << QString()
                                  << (QByteArray("{\\rtf1 Dosis").leftJustified(20 * 1024 * 1024 - 1, '\n') + "}")
                                  << u"Dosis"_s;
}

void TestRtfReader::readFileSucceeds()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    QString path = dataPath(file);
    QTemporaryDir directory;
    if (file.isEmpty()) {
        QVERIFY(directory.isValid());
        path = directory.filePath(u"ayuda.txt"_s);
        QFile written(path);
        QVERIFY(written.open(QIODevice::WriteOnly));
        written.write(content);
    }
    QTextDocument document;
    document.setPlainText(kPrevious);
    QString error;
    QVERIFY(RtfReader::readFile(path, document, &error));
    QCOMPARE(document.firstBlock().text(), expected);
    QVERIFY(!document.toPlainText().contains(kPrevious));
}

void TestRtfReader::pictures_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected"); // the text, a picture being U+FFFC
    QTest::addColumn<double>("width");     // pixels at 96 per inch: twips / 15
    QTest::addColumn<double>("height");
    QTest::addColumn<bool>("decoded"); // the picture itself, or a placeholder

    const QByteArray png = pictureHex("PNG");
    const QByteArray jpeg = pictureHex("JPEG");
    QByteArray rawPng = QByteArray::fromHex(png);
    QTest::newRow("png at its goal size")
        << "{\\rtf1 a{\\pict\\pngblip\\picw8\\pich6\\picwgoal1440\\pichgoal720 " + png + "}b}" << u"a\uFFFCb"_s << 96.0
        << 48.0 << true;
    QTest::newRow("jpeg scaled")
        << "{\\rtf1 a{\\pict\\jpegblip\\picwgoal1500\\pichgoal900\\picscalex50\\picscaley200\r\n" + jpeg + "}b}"
        << u"a\uFFFCb"_s << 50.0 << 120.0 << true;
    QTest::newRow("png at its own size") << "{\\rtf1 a{\\pict\\pngblip " + png + "}b}" << u"a\uFFFCb"_s << 8.0 << 6.0
                                         << true;
    QTest::newRow("word: picture and its metafile fallback")
        << "{\\rtf1 a{\\*\\shppict{\\pict{\\*\\picprop{\\sp{\\sn fLine}{\\sv 0}}}\\picw8\\pich6"
           "\\picwgoal2880\\pichgoal2160\\pngblip " +
            png +
            "}}{\\nonshppict{\\pict\\wmetafile8"
            "\\picwgoal2880\\pichgoal2160 0100090000}}b}"
        << u"a\uFFFCb"_s << 192.0 << 144.0 << true;
    QTest::newRow("binary data") << "{\\rtf1 a{\\pict\\pngblip\\picwgoal300\\pichgoal300\\bin" +
            QByteArray::number(rawPng.size()) + " " + rawPng + "}b}"
                                 << u"a\uFFFCb"_s << 20.0 << 20.0 << true;
    QTest::newRow("wmf: placeholder at the goal size")
        << QByteArray("{\\rtf1 a{\\pict\\wmetafile8\\picw2540\\pich1270\\picwgoal1440\\pichgoal720 "
                      "010009000003}b}")
        << u"a\uFFFCb"_s << 96.0 << 48.0 << false;
    QTest::newRow("emf: placeholder at picw x pich")
        << QByteArray("{\\rtf1 a{\\pict\\emfblip\\picw2540\\pich1270 0100000088}b}") << u"a\uFFFCb"_s << 96.0 << 48.0
        << false;
    QTest::newRow("damaged png: placeholder")
        << QByteArray("{\\rtf1 a{\\pict\\pngblip\\picwgoal600\\pichgoal300 89504e470d0a1a0adead}b}") << u"a\uFFFCb"_s
        << 40.0 << 20.0 << false;
    QTest::newRow("in a header: not shown")
        << "{\\rtf1 a{\\header{\\pict\\pngblip " + png + "}}b}" << u"ab"_s << 0.0 << 0.0 << false;
    QTest::newRow("hidden: not shown") << "{\\rtf1 a{\\v{\\pict\\pngblip " + png + "}}b}" << u"ab"_s << 0.0 << 0.0
                                       << false;
}

void TestRtfReader::pictures()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(bool, decoded);

    QTextDocument document;
    readInto(rtf, document);
    QCOMPARE(textOf(document), expected);
    const QList<QTextImageFormat> images = imagesOf(document);
    QCOMPARE(images.size(), expected.count(QChar::ObjectReplacementCharacter));
    if (images.isEmpty())
        return;
    QCOMPARE(images[0].width(), width);
    QCOMPARE(images[0].height(), height);
    const QImage shown = document.resource(QTextDocument::ImageResource, QUrl(images[0].name())).value<QImage>();
    QVERIFY(!shown.isNull());
    if (decoded) {
        QCOMPARE(shown.size(), QSize(8, 6)); // the picture as written, scaled only when drawn
        const QColor centre = shown.pixelColor(shown.width() / 2, shown.height() / 2);
        QVERIFY2(qAbs(centre.green() - 0x7d) < 16 && qAbs(centre.red() - 0x2e) < 16, qPrintable(centre.name()));
    } else {
        // A visible frame, not a blank or a transparent box.
        const QColor inside = shown.pixelColor(shown.width() / 2, shown.height() / 4);
        QCOMPARE(inside.alpha(), 255);
        QVERIFY(shown.pixelColor(1, shown.height() / 2) != inside);
    }
}

void TestRtfReader::hangingIndent_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<int>("block");
    QTest::addColumn<double>("left");  // where the text and its wrapped lines start
    QTest::addColumn<double>("first"); // where the bullet or number starts

    // Made with LibreOffice Writer: \fi-283\li709\tx709.
    QTest::newRow("bulleted, word processor") << QByteArray("@wordlists.rtf") << 1 << 709 / 15.0 << 426 / 15.0;
    QTest::newRow("numbered, word processor") << QByteArray("@wordlists.rtf") << 4 << 709 / 15.0 << 426 / 15.0;
    // As Word writes old-style bullets: no tab stop, the left indent stops the tab.
    QTest::newRow("implicit stop at the left indent")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs20\\fi-360\\li720{\\pntext \\'b7\\tab}"
                      "El nitr\\'f3geno disponible en el suelo a la siembra se mide como nitratos en los "
                      "primeros sesenta cent\\'edmetros del perfil.\\par}")
        << 0 << 48.0 << 24.0;
}

void TestRtfReader::hangingIndent()
{
    QFETCH(QByteArray, rtf);
    QFETCH(int, block);
    QFETCH(double, left);
    QFETCH(double, first);

    QTextDocument document;
    readInto(source(rtf), document);
    document.setTextWidth(260); // narrow, so the paragraph wraps
    document.documentLayout();
    QVERIFY(document.pageCount() > 0); // lays the document out
    const QTextBlock paragraph = document.findBlockByNumber(block);
    const QTextBlockFormat format = paragraph.blockFormat();
    QCOMPARE(format.leftMargin(), left);
    QCOMPARE(format.leftMargin() + format.textIndent(), first);

    const QTextLayout* layout = paragraph.layout();
    QVERIFY2(layout->lineCount() >= 2, qPrintable(paragraph.text()));
    const int textStart = int(paragraph.text().indexOf(u'\t')) + 1;
    QVERIFY(textStart > 0);
    const QTextLine firstLine = layout->lineAt(0);
    const QTextLine wrapped = layout->lineAt(1);
    const qreal textX = firstLine.cursorToX(textStart);
    const qreal wrappedX = wrapped.cursorToX(wrapped.textStart());
    // The bullet at the first-line indent; the text, first line and wrapped, at the left indent.
    QVERIFY2(qAbs(textX - wrappedX) < 0.5, qPrintable(u"%1 %2"_s.arg(textX).arg(wrappedX)));
    QVERIFY2(qAbs((wrappedX - firstLine.cursorToX(0)) - (left - first)) < 0.5,
             qPrintable(u"%1 %2"_s.arg(firstLine.cursorToX(0)).arg(wrappedX)));
}

QTEST_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"
