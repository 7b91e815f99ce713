#include "DataSourceLabel.h"

#include <algorithm>

#include "ui/charting/CurveChart.h"

DataSourceLabel::DataSourceLabel(CurveChart* chart) : QLabel(chart), chart_(chart)
{
    setObjectName(QStringLiteral("DataSourceLabel"));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    setFont(font);
    setTextFormat(Qt::PlainText);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(chart_, &QCustomPlot::afterReplot, this, &DataSourceLabel::place);
}

void DataSourceLabel::setSource(const QString& text)
{
    setText(text);
    adjustSize();
    chart_->setSourceNote(text);
    place();
}

void DataSourceLabel::place()
{
    const QRect plot = chart_->axisRect()->rect();
    move(plot.right() - width(), std::max(0, plot.top() - height() - 1));
}
