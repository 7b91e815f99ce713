#pragma once

#include <QString>

// The three titles of a chart as the adviser reads them: the chart title (its first
// line), the bottom (nitrogen) axis title and the left axis title.
struct ChartTitles {
    QString title;
    QString bottomAxis;
    QString leftAxis;
    bool operator==(const ChartTitles&) const = default;
};
