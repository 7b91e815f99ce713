// libFuzzer target: any bytes through the rich-text reader must return, without a crash,
// a hang or a sanitizer report, and leave a document that can be read and laid out.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QByteArray>
#include <QGuiApplication>
#include <QTextDocument>

#include "richtext/RtfReader.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication application(*argc, *argv); // fonts for the document's layout
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray rtf = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QTextDocument document;
    RtfReader::read(rtf, document);
    volatile qsizetype length = document.toPlainText().size();
    (void)length;
    document.setTextWidth(400); // lay it out as the help area would
    volatile int pages = document.pageCount();
    (void)pages;
    // The help document's text limit stops reading part way: a small one, to get there.
    volatile bool more = RtfReader::holdsMoreText(rtf, 4096);
    (void)more;
    return 0;
}
