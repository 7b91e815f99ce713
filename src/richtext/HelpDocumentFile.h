#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

// Reads the bytes of the help document the adviser keeps beside the program, refusing
// anything that could freeze the window or is not a document: only a regular file is
// opened (never a pipe or a device, which could block or never end), only up to
// SizeLimit bytes, only when it holds RTF or plain text, and only up to TextLimit
// characters of text, so that showing and laying out its pages takes a moment.
//
// A refusal names the file, its full path and the reason, in Spanish:
//   No se puede abrir el archivo "velmaro.rtf" (/ruta/completa/velmaro.rtf): no existe.
class HelpDocumentFile {
public:
    // Far above any real help document, pictures included; below what freezes the layout.
    static constexpr qint64 SizeLimit = 20 * 1024 * 1024;
    // Text beyond pictures: some 170 full A4 pages, more than any help document holds.
    static constexpr qsizetype TextLimit = 500'000;

    // The whole content, or nothing with *error (when given) set to the refusal.
    static std::optional<QByteArray> read(const QString& path, QString* error = nullptr);

    // The refusal for `path` with a reason such as "no existe".
    static QString refusal(const QString& path, const QString& reason);
};
