#pragma once

#include <array>
#include <optional>
#include <vector>

#include <QHash>
#include <QList>
#include <QStringList>

#include "core/BatchField.h"
#include "core/Sheet.h"
#include "core/SheetColumns.h"

class ResponseTable;

// Reads the fields of a batch sheet, one row each. Headings in Spanish, in any order,
// told apart without regard to case, accents or blanks:
//   lote; codigo, or sitio, unidad, agua and cultivar (the scenario dialog's names);
//   precio_grano (U$S/t); costo_n (U$S/t of N), or producto and precio_producto (U$S/t of
//   product); n_referencia (kg/ha); optional nivel (20, Medio, 80), tolerancia, peso_20,
//   peso_medio, peso_80.
// Every value passes the same checks as in the windows; a row with a fault is refused
// with every reason found, each naming its column, so the other rows can go on.
class BatchFieldReader {
public:
    enum Column {
        Lot,
        Code,
        Site,
        Unit,
        Water,
        Cultivar,
        GrainPrice,
        NCost,
        Product,
        ProductPrice,
        ReferenceN,
        LevelColumn,
        Tolerance,
        Weight20,
        WeightMedio,
        Weight80
    };
    static const QList<SheetColumn>& columns();

    explicit BatchFieldReader(const ResponseTable& table);

    // Finds the columns in the sheet's header; false with *error naming the file, the
    // header's line and what is missing.
    bool matchHeader(const Sheet& sheet, QString* error);

    struct Reading {
        BatchField field;
        QStringList faults; // "precio_grano: 'abc' no es un número", for the output
        QStringList places; // the same with the file, line and column, for the adviser's terminal
        bool ok() const { return faults.isEmpty(); }
    };
    Reading read(const SheetRow& row);

private:
    struct Scenario {
        QString code;
        QString fault; // with the column, when the row names no scenario that exists
        int column = Code;
    };
    Scenario scenarioOf(const SheetRow& row) const;
    // The number in a column as the core readers take it: written with a point.
    std::optional<QString> numberText(const SheetRow& row, int column, Reading& reading) const;
    void refuse(Reading& reading, const SheetRow& row, int column, const QString& reason) const;
    const PerLevel<Curves::Quadratic>& curvesOf(const QString& code);

    const ResponseTable& table_;
    SheetColumns columns_;
    Sheet sheet_;                   // the header and dialect, no rows
    QHash<QString, int> tableRows_; // code -> line of the table
    QHash<QString, PerLevel<Curves::Quadratic>> curves_;
};
