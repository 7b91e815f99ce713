#include "DataSourceLabel.h"

#include "ui/charting/CurveChart.h"

DataSourceLabel::DataSourceLabel(CurveChart* chart, Row row)
    : QLabel(chart),
      chart_(chart),
      row_(row)
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
    move(plot.right() - width() - 6, row_ == Row::InsidePlot ? plot.top() + 4 : 2);
}
