#pragma once

#include <QLabel>

// A red bold "?" beside a chart element. Under the pointer it turns blue and larger;
// reset() brings it back to red at its normal size (the surrounding panel or chart calls
// it when the pointer moves over them). A click asks for its help window.
class HelpMark : public QLabel {
    Q_OBJECT
public:
    HelpMark(const QString& objectName, const QString& text, int normalPoints, int hoverPoints,
             QWidget* parent = nullptr);

    void reset();
    bool isHighlighted() const { return highlighted_; }

    // The colour under the pointer; blue unless a window asks for another.
    void setHoverColour(const QColor& colour);

    // Always the room of the larger face under the pointer, the smaller one centred in it:
    // growing on hover never pushes a neighbour nor the layout around it.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

Q_SIGNALS:
    void clicked();

protected:
    bool event(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void setLook(bool highlighted);

    int normalPoints_;
    int hoverPoints_;
    bool highlighted_ = false;
    QColor hoverColour_ = Qt::blue;
};
