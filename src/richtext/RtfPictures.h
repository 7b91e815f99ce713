#pragma once

#include <cstdint>
#include <string_view>

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QTextImageFormat>

class QImage;
class QSize;
class QTextDocument;

// The pictures of an RTF document (\pict): collects one picture's properties and data,
// decodes PNG and JPEG, and hands the document an image resource with the format that
// shows it at its stated size (\picwgoal, \pichgoal and \picscalex/y; else \picw, \pich).
// Pictures Qt cannot decode (Windows and Mac metafiles, device bitmaps, damaged data)
// become a grey framed placeholder of the same size, so the page keeps its layout and
// the reader sees that something is missing.
class RtfPictures {
public:
    enum class Format : std::uint8_t {
        Unknown,      // no format word: whatever the data turns out to be
        Png,          // \pngblip
        Jpeg,         // \jpegblip
        Metafile,     // \wmetafile, \emfblip, \macpict, \pmmetafile
        DeviceBitmap, // \dibitmap, \wbitmap
    };

    // Decoded pictures of one document stay below this many pixels in all (about
    // 128 MB); a picture beyond it is shown as a placeholder.
    static constexpr std::int64_t PixelBudget = 32'000'000;

    explicit RtfPictures(QTextDocument& document);

    // A \pict group opens: forget the previous picture.
    void begin();

    void setFormat(Format format) { format_ = format; }
    void setWidth(int value) { width_ = value; }           // \picw
    void setHeight(int value) { height_ = value; }         // \pich
    void setGoalWidth(int twips) { goalWidth_ = twips; }   // \picwgoal
    void setGoalHeight(int twips) { goalHeight_ = twips; } // \pichgoal
    void setScaleX(int percent) { scaleX_ = percent; }     // \picscalex
    void setScaleY(int percent) { scaleY_ = percent; }     // \picscaley

    // The data: hex digits (blanks and line ends between them are fine) or \bin bytes.
    void appendHex(std::string_view text) { hex_.append(text.data(), qsizetype(text.size())); }
    void appendBinary(std::string_view bytes) { binary_.append(bytes.data(), qsizetype(bytes.size())); }

    // Adds the picture just read to the document's resources and returns the format
    // that places it, sized in the document's pixels (96 per inch).
    QTextImageFormat finish();

private:
    QImage decode(const QByteArray& data);
    QString placeholder(const QSize& size);
    QSizeF statedSize(const QSize& decoded) const;

    QTextDocument& document_;
    Format format_ = Format::Unknown;
    int width_ = 0;
    int height_ = 0;
    int goalWidth_ = 0;
    int goalHeight_ = 0;
    int scaleX_ = 100;
    int scaleY_ = 100;
    QByteArray hex_;
    QByteArray binary_;

    int count_ = 0;
    std::int64_t decodedPixels_ = 0;
    QHash<QString, QString> placeholders_; // "wxh" of the drawn placeholder -> resource name
};
