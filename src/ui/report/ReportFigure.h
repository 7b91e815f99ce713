#pragma once

#include <QPicture>
#include <QString>
#include <QStringList>

// A chart for a report: its title, the drawing and the lines under it.
struct ReportFigure {
    QString title;
    QPicture picture;
    QStringList caption;
};
