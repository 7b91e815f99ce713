#pragma once

// Shared by the sheet readers' libFuzzer targets: an archive built in memory from the
// fuzzer's bytes (so the XML readers see well-formed zips), and the checks every sheet
// read must pass.
#include <cstdlib>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QList>
#include <QString>

#include <zip.h>

#include "core/CellNumber.h"
#include "core/Sheet.h"

inline void require(bool condition)
{
    if (!condition)
        std::abort();
}

// A zip archive holding `parts` (name, content), stored uncompressed.
inline QByteArray zipOf(const std::vector<std::pair<const char*, QByteArray>>& parts)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(buffer);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    for (const auto& [name, content] : parts) {
        zip_source_t* file = zip_source_buffer_create(content.constData(), zip_uint64_t(content.size()), 0, &error);
        zip_file_add(archive, name, file, ZIP_FL_OVERWRITE);
    }
    zip_close(archive);
    QByteArray out;
    if (zip_source_open(buffer) == 0) {
        char chunk[65536];
        for (zip_int64_t got; (got = zip_source_read(buffer, chunk, sizeof chunk)) > 0;)
            out.append(chunk, qsizetype(got));
        zip_source_close(buffer);
    }
    zip_source_free(buffer);
    zip_error_fini(&error);
    return out;
}

// A sheet read as sound has a header, rows in file order that are not blank, cells
// without blanks around them, stored numbers that read as numbers; a refused one has a
// message that names the file and no rows.
inline void checkSheet(const Sheet& sheet)
{
    require(sheet.ok != !sheet.error.isEmpty());
    if (!sheet.ok) {
        require(sheet.rows.isEmpty() && sheet.error.startsWith(sheet.fileName));
        return;
    }
    require(!sheet.header.isBlank());
    int line = sheet.header.line;
    for (const SheetRow& row : sheet.rows) {
        require(row.line > line && !row.isBlank());
        line = row.line;
        for (const SheetCell& cell : row.cells) {
            require(cell.text == cell.text.trimmed());
            const NumberText::Reading number = CellNumber::read(cell, sheet.decimalComma);
            require(!cell.number || number.ok);
            require(number.ok != !number.error.isEmpty());
        }
    }
}

// The fuzzer's bytes cut at form feeds into up to `count` parts.
inline QList<QByteArray> partsOf(const uint8_t* data, size_t size, int count)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QList<QByteArray> parts = bytes.split('\f');
    parts.resize(count);
    return parts;
}
