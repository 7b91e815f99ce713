#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

// Reads the bytes of the help document the adviser keeps beside the program, refusing
// anything that could freeze the window or is not a document: only a regular file is
// opened (never a pipe or a device, which could block or never end), only up to
// kSizeLimit bytes, and only when it holds RTF or plain text.
//
// A refusal names the file, its full path and the reason, in Spanish:
//   No se puede abrir el archivo "velmaro.rtf" (/ruta/completa/velmaro.rtf): no existe.
class HelpDocumentFile {
public:
    // Far above any real help document, pictures included; below what freezes the layout.
    static constexpr qint64 kSizeLimit = 20 * 1024 * 1024;

    // The whole content, or nothing with *error (when given) set to the refusal.
    static std::optional<QByteArray> read(const QString& path, QString* error = nullptr);

    // The refusal for `path` with a reason such as "no existe".
    static QString refusal(const QString& path, const QString& reason);
};
