#include "AxisSliderWindow.h"
#include "ui/common/WindowNames.h"

#include <QLabel>

namespace {

// Two columns (maxima, minima) by two rows (left axis, bottom axis).
constexpr int ColumnLeft[2] = {8, 204};
constexpr int ColumnWidth = 185;
constexpr int RowTop[2] = {6, 88};
constexpr int CaptionHeight = 16;
constexpr int SliderHeight = 28;
constexpr int EndCaptionHeight = 16;
constexpr int EndWidth = 60;

int row(AxisLimit limit)
{
    return limit == AxisLimit::LeftMaximum || limit == AxisLimit::LeftMinimum ? 0 : 1;
}

int column(AxisLimit limit)
{
    return limit == AxisLimit::LeftMaximum || limit == AxisLimit::BottomMaximum ? 0 : 1;
}

const QString YieldMaximumHint = QStringLiteral("Ajusta el valor máximo del eje de rendimiento");
const QString NitrogenMaximumHint = QStringLiteral("Ajusta el valor máximo del eje de Nitrógeno disponible");

} // namespace

AxisSliderWindow::AxisSliderWindow(const WindowSetup& setup, QWidget* parent)
    : VelmaroWindow(setup.objectName, setup.caption, parent)
{
    setFixedSize(setup.size);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    if (setup.screenPosition)
        move(*setup.screenPosition);
    else
        centreOnDesktopWhenFirstShown();

    for (const SliderSetup& s : setup.sliders) {
        const int x = ColumnLeft[column(s.limit)];
        const int top = RowTop[row(s.limit)];
        const QString name = QLatin1String(s.objectName);

        auto* caption = new QLabel(s.caption, this);
        caption->setObjectName(name + QStringLiteral("Caption"));
        caption->setGeometry(x, top, ColumnWidth, CaptionHeight);

        auto* slider = new QSlider(Qt::Horizontal, this);
        slider->setObjectName(name);
        slider->setGeometry(x, top + CaptionHeight, ColumnWidth, SliderHeight);
        slider->setRange(s.minimum, s.maximum);
        slider->setValue(s.position);
        slider->setSingleStep(s.singleStep);
        slider->setPageStep(s.tickInterval);
        slider->setTickInterval(s.tickInterval);
        slider->setTickPosition(setup.ticks);
        slider->setToolTip(s.hint);
        sliders_[static_cast<int>(s.limit)] = slider;

        const int endTop = top + CaptionHeight + SliderHeight;
        auto* leftEnd = new QLabel(s.leftEnd, this);
        leftEnd->setObjectName(name + QStringLiteral("LeftEnd"));
        leftEnd->setGeometry(x, endTop, EndWidth, EndCaptionHeight);
        leftEnd->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        auto* rightEnd = new QLabel(s.rightEnd, this);
        rightEnd->setObjectName(name + QStringLiteral("RightEnd"));
        rightEnd->setGeometry(x + ColumnWidth - EndWidth, endTop, EndWidth, EndCaptionHeight);
        rightEnd->setAlignment(Qt::AlignRight | Qt::AlignTop);
        // The limit the slider sets now, between its two ends, following it as it moves.
        auto* value = new QLabel(QString::number(s.position), this);
        value->setObjectName(name + QStringLiteral("Value"));
        value->setGeometry(x + EndWidth, endTop, ColumnWidth - 2 * EndWidth, EndCaptionHeight);
        value->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        QFont bold = value->font();
        bold.setBold(true);
        value->setFont(bold);
        connect(slider, &QSlider::valueChanged, value,
                [value](int position) { value->setText(QString::number(position)); });
    }

    // Every change of position, by dragging, clicking, keys or from the program.
    for (int i = 0; i < static_cast<int>(sliders_.size()); ++i) {
        const auto limit = static_cast<AxisLimit>(i);
        if (!sliders_[i])
            continue;
        connect(sliders_[i], &QSlider::valueChanged, this,
                [this, limit](int position) { Q_EMIT limitChanged(limit, static_cast<double>(position)); });
    }
}

std::unique_ptr<AxisSliderWindow> AxisSliderWindow::yieldAxisWindow(QWidget* parent)
{
    const WindowSetup setup{
        QString(WindowNames::YieldAxes),
        QStringLiteral("Ajuste de ejes"),
        QSize(397, 173),
        QPoint(221, 193),
        QSlider::TicksBelow,
        {{
            {"TrackBar1", AxisLimit::LeftMaximum, QStringLiteral("Máximo de eje de rendimiento"), 4000, 10000, 10000, 1,
             500, QStringLiteral("4000"), QStringLiteral("10000"), YieldMaximumHint},
            {"TrackBar4", AxisLimit::LeftMinimum, QStringLiteral("Mínimo de eje de rendimiento"), 0, 2000, 0, 1, 500,
             QStringLiteral("0"), QStringLiteral("2000"), QString()},
            {"TrackBar2", AxisLimit::BottomMaximum, QStringLiteral("Máximo de eje de nitrógeno"), 100, 200, 200, 1, 20,
             QStringLiteral("100"), QStringLiteral("200"), NitrogenMaximumHint},
            {"TrackBar3", AxisLimit::BottomMinimum, QStringLiteral("Mínimo de eje de  nitrógeno"), 0, 100, 0, 1, 20,
             QStringLiteral("0"), QStringLiteral("100"), QString()},
        }},
    };
    return std::make_unique<AxisSliderWindow>(setup, parent);
}

std::unique_ptr<AxisSliderWindow> AxisSliderWindow::economicAxisWindow(QWidget* parent)
{
    // The money axis in U$S/ha; the maximum slider keeps the yield chart's hint.
    const WindowSetup setup{
        QString(WindowNames::EconomicAxes),
        QStringLiteral("Ajuste de ejes de gráfico económico"),
        QSize(397, 173),
        std::nullopt,
        QSlider::TicksAbove,
        {{
            {"TrackBar1", AxisLimit::LeftMaximum, QStringLiteral("Máximo de eje de $/ha"), 2, 20, 4, 1, 9,
             QStringLiteral("2"), QStringLiteral("20"), YieldMaximumHint},
            {"TrackBar4", AxisLimit::LeftMinimum, QStringLiteral("Mínimo de eje de $/ha"), -8, 2, -2, 1, 4,
             QStringLiteral("-8"), QStringLiteral("2"), QString()},
            {"TrackBar2", AxisLimit::BottomMaximum, QStringLiteral("Máximo de eje de kg N/ha"), 100, 200, 200, 10, 20,
             QStringLiteral("100"), QStringLiteral("200"), NitrogenMaximumHint},
            {"TrackBar3", AxisLimit::BottomMinimum, QStringLiteral("Mínimo de eje de kg N/ha"), 0, 100, 0, 10, 20,
             QStringLiteral("0"), QStringLiteral("100"), QString()},
        }},
    };
    return std::make_unique<AxisSliderWindow>(setup, parent);
}

QSlider* AxisSliderWindow::slider(AxisLimit limit) const
{
    return sliders_[static_cast<int>(limit)];
}
