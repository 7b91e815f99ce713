#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

struct zip;

// A zip archive held in memory (an .xlsx or .ods file), read with libzip. Every entry
// read is inflated in pieces and counted against one cap over the whole archive, so an
// archive that inflates far beyond its size (a zip bomb) is refused after reading no
// more than the cap, whatever sizes its directory claims.
class ZipArchive {
public:
    // Far more than the XML of any sheet a table or a trial needs.
    static constexpr qint64 MaximumInflatedBytes = 32 * 1024 * 1024;

    explicit ZipArchive(const QByteArray& bytes);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // Empty when the archive opened; otherwise why not, in Spanish, without the file name.
    const QString& openError() const { return openError_; }
    bool contains(const QString& name) const;
    // The entry inflated; nothing, with *error set, when it is missing, damaged,
    // encrypted or would pass the cap.
    std::optional<QByteArray> read(const QString& name, QString* error);

private:
    QByteArray bytes_; // the archive's bytes, which libzip reads in place
    zip* archive_ = nullptr;
    QString openError_;
    qint64 inflated_ = 0;
};
