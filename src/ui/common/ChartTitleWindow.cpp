#include "ChartTitleWindow.h"

#include <algorithm>
#include <array>
#include <utility>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include "ui/common/FirstShowing.h"
#include "ui/common/Look.h"
#include "ui/common/WindowNames.h"

namespace {

// Caption above each field, top to bottom.
struct Field {
    const char* captionName;
    const char16_t* caption;
    const char* editName;
    int top;
};

constexpr Field Fields[3] = {
    {"Label1", u"Título del gráfico", "Edit1", 16},
    {"Label2", u"Título eje X", "Edit2", 72},
    {"Label3", u"Título eje Y", "Edit3", 128},
};

constexpr int Left = 16;
constexpr int FieldWidth = 310;

} // namespace

ChartTitleWindow::ChartTitleWindow(const QString& objectName, const QString& caption, QWidget* parent)
    : VelmaroWindow(objectName, caption, parent)
{
    centreOnDesktopWhenFirstShown();
    setFixedSize(350, 249);
    FirstShowing::font(this, QFont(QStringLiteral("MS Sans Serif"), 8));

    std::array<QLineEdit*, 3> edits{};
    for (int i = 0; i < 3; ++i) {
        const Field& f = Fields[i];
        auto* label = new QLabel(QString::fromUtf16(f.caption), this);
        label->setObjectName(QLatin1String(f.captionName));
        label->setGeometry(Left, f.top, FieldWidth, 16);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(f.editName));
        edit->setGeometry(Left, f.top + 18, FieldWidth, 22);
        label->setBuddy(edit);
        edits[i] = edit;
    }
    title_ = edits[0];
    bottomAxis_ = edits[1];
    leftAxis_ = edits[2];

    accept_ = new QPushButton(Look::standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("Aceptar"), this);
    accept_->setObjectName(QStringLiteral("BitBtn1"));
    accept_->setGeometry(133, 192, 84, 27);

    connect(accept_, &QPushButton::clicked, this, &ChartTitleWindow::accept);
    behaveAsDialog(accept_);
}

std::unique_ptr<ChartTitleWindow> ChartTitleWindow::yieldTitleWindow(QWidget* parent)
{
    return std::make_unique<ChartTitleWindow>(QString(WindowNames::YieldTitles),
                                              QStringLiteral("Cambio de títulos de ejes y gráfico"), parent);
}

std::unique_ptr<ChartTitleWindow> ChartTitleWindow::economicTitleWindow(QWidget* parent)
{
    return std::make_unique<ChartTitleWindow>(QString(WindowNames::EconomicTitles),
                                              QStringLiteral("Cambio de títulos de gráfico económico"), parent);
}

void ChartTitleWindow::setTitleSource(std::function<ChartTitles()> source)
{
    source_ = std::move(source);
}

ChartTitles ChartTitleWindow::titles() const
{
    return ChartTitles{title_->text(), bottomAxis_->text(), leftAxis_->text()};
}

void ChartTitleWindow::onActivated()
{
    if (!source_)
        return;
    const ChartTitles current = source_();
    title_->setText(current.title);
    bottomAxis_->setText(current.bottomAxis);
    leftAxis_->setText(current.leftAxis);
    fitFieldsToTitles();
}

void ChartTitleWindow::fitFieldsToTitles()
{
    // Every field as wide as the longest title, so none opens cut off; never narrower than
    // the window was laid out.
    int widest = FieldWidth;
    for (QLineEdit* edit : {title_, bottomAxis_, leftAxis_})
        widest = std::max(widest, edit->fontMetrics().horizontalAdvance(edit->text()) + 16);
    widest = std::min(widest, 1000);
    for (QLineEdit* edit : {title_, bottomAxis_, leftAxis_})
        edit->setFixedWidth(widest);
    setFixedSize(widest + 2 * Left + 8, height());
    accept_->move((width() - accept_->width()) / 2, accept_->y());
}

void ChartTitleWindow::accept()
{
    const ChartTitles typed = titles();
    Q_EMIT accepted(typed);
    hide();
}
