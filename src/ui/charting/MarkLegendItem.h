#pragma once

#include <qcustomplot.h>

// A legend entry for marks drawn over a chart that are not series of their own (the
// optimum lines and profitable ranges): an icon drawn with the mark's pen and brush, and
// its text.
class MarkLegendItem : public QCPAbstractLegendItem {
    Q_OBJECT
public:
    MarkLegendItem(QCPLegend* legend, const QString& text, const QPen& pen, const QBrush& brush);

    QString text() const { return text_; }

protected:
    void draw(QCPPainter* painter) override;
    QSize minimumOuterSizeHint() const override;

private:
    QRect textRect() const;

    QString text_;
    QPen pen_;     // a line across the icon, when not Qt::NoPen
    QBrush brush_; // the icon's fill
};
