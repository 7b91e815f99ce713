#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

#include "core/AdviserCase.h"

// The case file (".velmaro"): JSON with a format name and a version number, every value
// of the case as the text it holds, and the data in use stored inside it (each table
// file's bytes with its name and SHA-256, the accepted fits with their trial file), so
// that the case opens anywhere with the same numbers.
//
// The reader refuses a file whole, with one Spanish message that names the file and what
// is wrong with it, and changes nothing. The writer writes through QSaveFile: a failed
// write leaves the file that was there.
class CaseFile {
public:
    static constexpr int Version = 1;
    // Far beyond any case: a full one with a table of its own is some 100 kB.
    static constexpr qint64 MaximumBytes = 16 * 1024 * 1024;
    // What a one-line field holds; the notes may run longer.
    static constexpr qsizetype MaximumTextLength = 32767;
    static constexpr qsizetype MaximumNotesLength = 1'000'000;

    static QString formatName(); // "velmaro-caso"
    static QString suffix();     // "velmaro"

    struct Reading {
        bool ok = false;
        QString error;
        AdviserCase::Content content;
        // A recovery copy: where its case was last saved (empty for a case never saved).
        std::optional<QString> casePath;
    };

    // The file's bytes. A recovery copy also says where its case was last saved.
    static QByteArray toJson(const AdviserCase::Content& content, const std::optional<QString>& casePath = {});
    // The content of a case file's bytes; `fileName` names the file in the message.
    static Reading parse(const QByteArray& bytes, const QString& fileName);
    // Refuses, before reading any of it, what is not a readable file of a case's size.
    static Reading read(const QString& path);
    // Empty, or why the file could not be written (the file that was there stays).
    static QString write(const QString& path, const QByteArray& bytes);

    // The whole round: on success the case is marked saved to (or opened from) `path`;
    // on failure the message, and the case and the file on disk stay as they were.
    static QString save(AdviserCase& adviserCase, const QString& path);
    static QString open(AdviserCase& adviserCase, const QString& path);

    // "No se pudo abrir el caso «name»: reason", as every refusal of a reader is worded.
    static QString openFailure(const QString& path, const QString& reason);

private:
    // Why the bytes are not a case, or empty with the content in *reading.
    static QString parseContent(const QByteArray& bytes, Reading* reading);
};
