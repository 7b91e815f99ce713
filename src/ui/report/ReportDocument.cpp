#include "ReportDocument.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>

#include "core/ReportContent.h"
#include "ui/report/FigureObject.h"

namespace {

const QColor Teal(0, 110, 110);
const QColor Grey(90, 90, 90);
const QColor Warning(150, 0, 0);
constexpr double Dpi = 96.0;
// Nine columns of the dose table fit the A4 text width at this size.
constexpr double TablePoints = 7;
constexpr double CellPadding = 2;
// The widest line of a table's heading, in pixels at 96 dots per inch.
constexpr double HeadingWidth = 62;

QTextCharFormat chars(double points, bool bold = false, const QColor& colour = Qt::black)
{
    QTextCharFormat f;
    f.setFontFamilies({QStringLiteral("Arial")});
    f.setFontPointSize(points);
    f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    f.setForeground(colour);
    return f;
}

// A heading broken between its words into lines no wider than `width` or its longest
// word, so that narrow columns leave room for the wide ones.
QString narrowHeading(const QString& heading, double width)
{
    const QFontMetricsF m(chars(TablePoints, true).font());
    QStringList lines;
    for (const QString& word : heading.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
        // A unit stays with its number: "−30 %".
        if (!lines.isEmpty() && (word == u"%" || m.horizontalAdvance(lines.last() + QLatin1Char(' ') + word) <= width))
            lines.last() += QLatin1Char(' ') + word;
        else
            lines << word;
    }
    return lines.join(QLatin1Char('\n'));
}

// Shares of the text width for each column of a table: every word whole, and no cell
// broken while the page has room; headings break between their words first.
QList<QTextLength> columnWidths(const DocumentTable& t, bool rowTitles)
{
    const QFontMetricsF heading(chars(TablePoints, true).font());
    const QFontMetricsF plain(chars(TablePoints).font());
    const QFontMetricsF bold(chars(TablePoints, true).font());
    // Both sides of a cell and its border, and a gap of two letters, so that text read back
    // from the page keeps the columns apart.
    constexpr double Padding = 2 * CellPadding + 2 + 8;
    const auto longestWord = [](const QFontMetricsF& m, const QString& text) {
        double w = 0;
        for (const QString& word : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
            w = std::max(w, m.horizontalAdvance(word));
        return w;
    };
    const int columns = static_cast<int>(t.header.size());
    std::vector<double> least(static_cast<size_t>(columns)), wanted(static_cast<size_t>(columns));
    for (int c = 0; c < columns; ++c) {
        double low = 0, high = 0;
        for (const QString& line : t.header.at(c).split(QLatin1Char('\n')))
            low = std::max(low, heading.horizontalAdvance(line));
        for (const QStringList& row : t.rows) {
            const QFontMetricsF& m = rowTitles && c == 0 ? bold : plain;
            low = std::max(low, longestWord(m, row.value(c)));
            high = std::max(high, m.horizontalAdvance(row.value(c)));
        }
        // Row titles stay whole: a broken one would read as two rows.
        if (rowTitles && c == 0)
            low = high;
        least[static_cast<size_t>(c)] = low + Padding;
        wanted[static_cast<size_t>(c)] = std::max(low, high) + Padding;
    }
    const double available = ReportDocument::TextWidthMm / 25.4 * Dpi;
    double leastSum = 0, wantedSum = 0;
    for (int c = 0; c < columns; ++c) {
        leastSum += least[static_cast<size_t>(c)];
        wantedSum += wanted[static_cast<size_t>(c)];
    }
    // Room beyond every column's least goes first to the columns that want it, then to all alike.
    const double spare = available - leastSum;
    const double toWanted = std::min(std::max(spare, 0.0), wantedSum - leastSum);
    const double toAll = std::max(spare - toWanted, 0.0) / std::max(columns, 1);
    QList<QTextLength> widths;
    double total = 0;
    std::vector<double> width(static_cast<size_t>(columns));
    for (int c = 0; c < columns; ++c) {
        const size_t i = static_cast<size_t>(c);
        const double want = wantedSum > leastSum ? (wanted[i] - least[i]) / (wantedSum - leastSum) : 0;
        width[i] = least[i] + toWanted * want + toAll;
        total += width[i];
    }
    for (double w : width)
        widths << QTextLength(QTextLength::PercentageLength, 100 * w / total);
    return widths;
}

// Writes block after block; the document's own first block takes the first.
class Writer {
public:
    explicit Writer(QTextDocument& document) : cursor_(&document) { }

    QTextCursor& cursor() { return cursor_; }

    void paragraph(const QString& text, const QTextCharFormat& format, double above = 0, double below = 2,
                   bool pageBreak = false, Qt::Alignment align = Qt::AlignLeft)
    {
        QTextBlockFormat block;
        block.setTopMargin(above);
        block.setBottomMargin(below);
        block.setAlignment(align);
        if (pageBreak)
            block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        if (first_)
            cursor_.setBlockFormat(block);
        else
            cursor_.insertBlock(block);
        cursor_.setBlockCharFormat(format);
        first_ = false;
        cursor_.insertText(text, format);
    }

    void heading(const QString& text, bool pageBreak = false)
    {
        paragraph(text, chars(11, true, Teal), 10, 4, pageBreak);
    }

    // "Label: value" with the label in bold.
    void labelled(const QString& label, const QString& value)
    {
        paragraph(label + QStringLiteral(": "), chars(9, true), 0, 1);
        cursor_.insertText(value, chars(9));
    }

    // A table whose first heading is empty names its rows in its first column.
    void table(DocumentTable t, const QString& intro = {})
    {
        for (QString& heading : t.header)
            heading = narrowHeading(heading, HeadingWidth);
        const bool rowTitles = !t.header.isEmpty() && t.header.first().isEmpty();
        paragraph(t.title, chars(10, true, Teal), 12, 2);
        if (!intro.isEmpty())
            paragraph(intro, chars(8.5), 0, 2);
        QTextTableFormat format;
        // No rules between the cells: the headings are shaded instead. (Rules drawn by Qt
        // between neighbouring cells cost most of the layout's time.)
        format.setBorder(0);
        format.setCellPadding(CellPadding);
        format.setCellSpacing(0);
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        format.setColumnWidthConstraints(columnWidths(t, rowTitles));
        // Each line of a heading in a row of its own, so that every heading row reads as one
        // line; every cell starts at its column's left edge, headings and numbers alike.
        const int columns = static_cast<int>(t.header.size());
        int headingRows = 1;
        for (const QString& heading : t.header)
            headingRows = std::max(headingRows, static_cast<int>(heading.count(QLatin1Char('\n'))) + 1);
        format.setHeaderRowCount(headingRows);
        QTextTable* table = cursor_.insertTable(static_cast<int>(t.rows.size()) + headingRows, columns, format);
        // An empty cell too takes the table's size, or its line would stand taller.
        const auto fill = [table](int row, int column, const QString& text, const QTextCharFormat& f) {
            QTextCursor at = table->cellAt(row, column).firstCursorPosition();
            at.setBlockCharFormat(f);
            at.insertText(text, f);
        };
        for (int c = 0; c < columns; ++c) {
            const QStringList lines = t.header.at(c).split(QLatin1Char('\n'));
            for (int r = 0; r < headingRows; ++r) {
                // The cell's format is its first block's: shaded after the text is in.
                fill(r, c, lines.value(r), chars(TablePoints, true));
                QTextTableCell cell = table->cellAt(r, c);
                QTextTableCellFormat shaded = cell.format().toTableCellFormat();
                shaded.setBackground(QColor(225, 238, 238));
                // The heading's lines close up.
                shaded.setTopPadding(r == 0 ? CellPadding : 0);
                shaded.setBottomPadding(r + 1 == headingRows ? CellPadding : 0);
                cell.setFormat(shaded);
            }
        }
        for (int r = 0; r < t.rows.size(); ++r)
            for (int c = 0; c < columns; ++c)
                fill(r + headingRows, c, t.rows.at(r).value(c), chars(TablePoints, rowTitles && c == 0));
        // The block Qt keeps after a table takes the next paragraph.
        cursor_.movePosition(QTextCursor::End);
        first_ = true;
        for (const QString& note : t.notes)
            paragraph(note, chars(9), 3, 0);
    }

private:
    QTextCursor cursor_;
    bool first_ = true;
};

QImage pictureImage(const QPicture& picture, double widthPx)
{
    // Enough pixels for print: some 240 dots per inch at the page's width.
    const QRect box = picture.boundingRect();
    const double scale = 2.5 * widthPx / box.width();
    QImage image(QSize(qRound(box.width() * scale), qRound(box.height() * scale)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    painter.translate(-box.topLeft());
    painter.drawPicture(0, 0, picture);
    return image;
}

} // namespace

std::unique_ptr<QTextDocument> ReportDocument::build(const ReportContent& content, const QList<ReportFigure>& figures,
                                                     const Options& options)
{
    auto document = std::make_unique<QTextDocument>();
    document->setDocumentMargin(0);
    // Laid out with the fonts' own metrics, so the lines break alike on screen and on paper.
    document->setUseDesignMetrics(true);
    QFont base(QStringLiteral("Arial"));
    base.setPointSizeF(9);
    document->setDefaultFont(base);
    document->setMetaInformation(QTextDocument::DocumentTitle, content.title);
    Writer w(*document);

    w.paragraph(content.title, chars(15, true, Teal), 0, 4);
    for (const QString& line : content.headingLines())
        w.paragraph(line, chars(9, false, Grey), 0, 1);
    if (!content.hasAdvice)
        w.paragraph(content.status, chars(10, true), 10, 2);

    const DoseAdvice::Result& advice = content.advice;
    if (options.recommendation && !advice.recommendation.isEmpty()) {
        w.heading(advice.recommendationHeading);
        for (const QString& line : advice.recommendation)
            w.paragraph(line, chars(10), 0, 3);
    }

    w.heading(QStringLiteral("Base de la recomendación"));
    for (const QString& scenario : advice.scenarios)
        w.paragraph(scenario, chars(9), 0, 1);
    for (const DoseAdvice::BasisItem& item : advice.basis)
        w.labelled(item.label, item.text);
    if (!advice.placeholderWarning.isEmpty())
        w.paragraph(advice.placeholderWarning, chars(9.5, true, Warning), 4, 2);

    if (content.hasAdvice) {
        w.table(advice.optimumTable);
        w.table(advice.riskTable, advice.riskIntro);
        w.table(advice.sensitivityTable);
    }

    bool firstFigure = true;
    const double widthPx = TextWidthMm / 25.4 * Dpi;
    for (const ReportFigure& figure : figures) {
        if (figure.picture.boundingRect().isEmpty())
            continue;
        if (firstFigure)
            w.heading(QStringLiteral("Gráficos"), true);
        firstFigure = false;
        w.paragraph(figure.title, chars(10, true, Teal), 6, 2);
        w.paragraph(QString(), chars(9), 0, 0, false, Qt::AlignHCenter);
        if (options.figures == Figures::Drawn) {
            FigureObject::of(*document).insert(w.cursor(), figure.picture, TextWidthMm);
        } else {
            const QString name = QStringLiteral("grafico%1.png").arg(&figure - figures.constData() + 1);
            const QImage image = pictureImage(figure.picture, widthPx);
            document->addResource(QTextDocument::ImageResource, QUrl(name), image);
            QTextImageFormat picture;
            picture.setName(name);
            picture.setWidth(widthPx);
            picture.setHeight(widthPx * image.height() / image.width());
            w.cursor().insertImage(picture);
        }
        for (const QString& line : figure.caption)
            w.paragraph(line, chars(8, false, Grey), 0, 0);
    }
    return document;
}
