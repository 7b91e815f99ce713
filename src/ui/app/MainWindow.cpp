#include "MainWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFrame>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>

#include "core/HelpDocumentLocation.h"
#include "core/ResponseTable.h"
#include "core/ScenarioSlots.h"
#include "richtext/RtfReader.h"
#include "ui/common/ErrorReporter.h"
#include "ui/common/Look.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/ProgramLauncher.h"
#include "ui/common/WindowNames.h"

namespace {

// What each slot panel shows: its position, colour, picture and captions.
struct SlotLook {
    const char* panelName;
    QRect geometry;
    QColor colour;
    QPoint picture;
    const char* pictureFile;
    const char* checkName;
    std::array<const char*, 4> valueNames;
    std::array<const char16_t*, 4> captions;
};

const std::array<SlotLook, 3> SlotLooks{{
    {"Panel2",
     QRect(48, 208, 200, 150),
     QColor(255, 255, 225),
     QPoint(60, 208),
     "wheat1.jpg",
     "CheckBox1",
     {"Label7", "Label31", "Label8", "Label10"},
     {u"Sitio:", u"Unidad de paisaje.", u"Cultivar:", u"Agua a la siembra:"}},
    {"Panel3",
     QRect(300, 208, 200, 150),
     QColor(240, 240, 240),
     QPoint(304, 208),
     "wheat2.jpg",
     "CheckBox2",
     {"Label15", "Label33", "Label16", "Label18"},
     {u"Sitio", u"Unidad de paisaje:", u"Cultivar:", u"Agua a la siembra"}},
    {"Panel4",
     QRect(532, 208, 200, 150),
     QColor(0, 255, 255),
     QPoint(534, 208),
     "wheat3.jpg",
     "CheckBox3",
     {"Label23", "Label35", "Label24", "Label26"},
     {u"Sitio:", u"Unidad de paisaje:", u"Cultivar:", u"Agua a la siembra:"}},
}};

constexpr std::array<int, 4> RowTops{24, 55, 87, 116};

QPixmap picture(const char* file)
{
    return QPixmap(QStringLiteral(":/pictures/") + QLatin1String(file));
}

// Read past the pixmap cache, which would keep the picture after the paint.
QImage backgroundPicture()
{
    return QImageReader(QStringLiteral(":/pictures/main_background.jpg")).read();
}

} // namespace

MainWindow::MainWindow(ScenarioSlots& scenarioSlots, const ResponseTable& table, MessageBoxes& messages,
                       ErrorReporter& errors, ProgramLauncher& launcher, QWidget* parent)
    : VelmaroWindow(QString(WindowNames::Main), QStringLiteral("Velmaro zona NEA"), parent),
      slots_(scenarioSlots),
      table_(table),
      messages_(messages),
      errors_(errors),
      launcher_(launcher),
      firstBackground_(std::async(std::launch::async | std::launch::deferred, [] { return backgroundPicture(); }))
{
    resize(608, 413);
    setFont(Look::arial(8));

    buildBanner();
    buildToolbar();
    buildCaseButtons();

    // The wheat pictures lie behind the panels and are seen while a slot is empty.
    for (const SlotLook& look : SlotLooks) {
        auto* wheat = new QLabel(this);
        wheat->setGeometry(QRect(look.picture, QSize(185, 150)));
        wheat->setPixmap(picture(look.pictureFile));
        wheat->setScaledContents(true);
    }
    for (int slot = 1; slot <= 3; ++slot)
        buildSlotPanel(slot);

    helpArea_ = new QTextEdit(this);
    helpArea_->setObjectName(QStringLiteral("RichEdit1"));
    helpArea_->setGeometry(51, 364, 666, 141);
    helpArea_->setReadOnly(true);
    helpArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    helpArea_->hide();

    printHelpButton_ = new QPushButton(QStringLiteral("Imprimir"), this);
    printHelpButton_->setObjectName(QStringLiteral("BitBtn1"));
    printHelpButton_->setGeometry(720, 424, 53, 25);
    printHelpButton_->hide();
    connect(printHelpButton_, &QPushButton::clicked, this, &MainWindow::helpPrintRequested);

    connect(&slots_, &ScenarioSlots::slotChanged, this, &MainWindow::showSlot);
}

void MainWindow::buildBanner()
{
    auto* banner = new QFrame(this);
    banner->setObjectName(QStringLiteral("Panel1"));
    banner->setGeometry(55, 12, 689, 85);
    banner->setFrameStyle(QFrame::Panel | QFrame::Raised);
    banner->setLineWidth(5);
    banner->setAutoFillBackground(true);
    QPalette palette = banner->palette();
    palette.setColor(QPalette::Window, QColor(34, 85, 51));
    banner->setPalette(palette);

    const char* logos[] = {"logo1.jpg", "logo2.jpg", "logo3.jpg", "logo4.jpg"};
    const int logoX[] = {8, 86, 531, 609};
    for (int i = 0; i < 4; ++i) {
        auto* logo = new QLabel(banner);
        logo->setObjectName(QStringLiteral("Image%1").arg(i + 1));
        logo->setGeometry(logoX[i], 7, 72, 72);
        logo->setPixmap(picture(logos[i]));
        logo->setScaledContents(true);
    }

    auto* caption1 = new QLabel(QStringLiteral("Red de ensayos de fertilización nitrogenada de trigo"), banner);
    caption1->setGeometry(164, 6, 361, 16);
    auto* caption2 = new QLabel(QStringLiteral("Noreste de la región pampeana - Entre Ríos y Santa Fe"), banner);
    caption2->setGeometry(164, 22, 361, 16);
    for (QLabel* caption : {caption1, caption2}) {
        caption->setAlignment(Qt::AlignCenter);
        caption->setFont(Look::arialPixels(12, true));
        caption->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    }

    auto* title = new QLabel(QStringLiteral("Velmaro zona NEA"), banner);
    title->setObjectName(QStringLiteral("Label1"));
    title->setGeometry(164, 38, 361, 40);
    title->setAlignment(Qt::AlignCenter);
    QFont titleFont = Look::arialPixels(32, true);
    titleFont.setItalic(true);
    title->setFont(titleFont);
    title->setStyleSheet(QStringLiteral("color: yellow; background: transparent;"));
}

QToolButton* MainWindow::addToolButton(QWidget* bar, int x, const QString& name, const QString& caption,
                                       const QString& pictureFile)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(name);
    button->setText(caption);
    button->setIcon(QIcon(QStringLiteral(":/pictures/") + pictureFile));
    button->setIconSize(QSize(44, 44));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setGeometry(x, 6, 64, 65);
    // The white caption stays readable under the pointer: the raised face shown there is
    // shaded from the desktop blue, never the style's near-white.
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, QColor(58, 110, 165)); // the desktop colour
    palette.setColor(QPalette::ButtonText, Qt::white);
    button->setPalette(palette);
    button->setStyleSheet(QStringLiteral("QToolButton { color: white; }"));
    return button;
}

void MainWindow::buildToolbar()
{
    auto* bar = new QFrame(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setGeometry(70, 104, 654, 82);
    bar->setFrameStyle(QFrame::Panel | QFrame::Raised);
    bar->setLineWidth(2);
    bar->setAutoFillBackground(true);
    QPalette palette = bar->palette();
    palette.setColor(QPalette::Window, QColor(58, 110, 165)); // the desktop colour
    bar->setPalette(palette);
    auto* inner = new QFrame(bar);
    inner->setGeometry(3, 3, 648, 76);
    inner->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    inner->setLineWidth(1);

    struct Button {
        const char* name;
        const char16_t* caption;
        const char* picture;
    };
    const Button buttons[] = {
        {"ToolButton1", u"Escenario 1", "tool_escenario1.jpg"},
        {"ToolButton3", u"Escenario 2", "tool_escenario2.jpg"},
        {"ToolButton5", u"Escenario 3", "tool_escenario3.jpg"},
        {"ToolButton6", u"AYUDA", "tool_ayuda.jpg"},
        {"ToolButton8", u"Calculadora", "tool_calculadora.jpg"},
        {"ToolButton11", u"Notas", "tool_notas.jpg"},
        {"ToolButton13", u"Graficar", "tool_graficar.jpg"},
        {"ToolButton15", u"Créditos", "tool_creditos.jpg"},
        {"Mapas", u"Mapas", "tool_mapas.jpg"},
    };
    QList<QToolButton*> made;
    int x = 7;
    for (const Button& b : buttons) {
        made << addToolButton(bar, x, QLatin1String(b.name), QString::fromUtf16(b.caption), QLatin1String(b.picture));
        x += 64 + 8; // an 8-pixel separator after each button
    }

    for (int slot = 1; slot <= 3; ++slot)
        connect(made[slot - 1], &QToolButton::clicked, this, [this, slot] { Q_EMIT scenarioRequested(slot); });
    connect(made[3], &QToolButton::clicked, this, &MainWindow::toggleHelpArea);
    connect(made[4], &QToolButton::clicked, this, [this] { launcher_.start(ProgramLauncher::Program::Calculator); });
    connect(made[5], &QToolButton::clicked, this, [this] { launcher_.start(ProgramLauncher::Program::TextEditor); });
    connect(made[6], &QToolButton::clicked, this, &MainWindow::plot);
    connect(made[7], &QToolButton::clicked, this, &MainWindow::creditsRequested);
    connect(made[8], &QToolButton::clicked, this, &MainWindow::mapsRequested);

    // The adviser's own data: beside the toolbar, so that none of its buttons moves.
    auto* data = new QToolButton(this);
    data->setObjectName(QStringLiteral("ResponseDataButton"));
    data->setText(QStringLiteral("Datos"));
    data->setToolTip(QStringLiteral("Datos de respuesta: tabla en uso, tabla propia, ajuste desde ensayos"));
    data->setGeometry(bar->geometry().right() + 6, bar->y() + 8, 56, 65);
    data->setCursor(Qt::PointingHandCursor);
    data->setStyleSheet(QStringLiteral("QToolButton { color: white; font-weight: bold; background: rgb(58, 110, 165);"
                                       " border: 2px outset rgb(120, 160, 210); }"));
    connect(data, &QToolButton::clicked, this, &MainWindow::responseDataRequested);
    // The dose advice of the case, beside its data.
    auto* advice = new QToolButton(this);
    advice->setObjectName(QStringLiteral("AdviceButton"));
    advice->setText(QStringLiteral("Dosis"));
    advice->setToolTip(QStringLiteral("Dosis recomendada de N para cada curva, con los precios del caso"));
    advice->setGeometry(data->geometry().translated(data->width() + 6, 0));
    advice->setCursor(Qt::PointingHandCursor);
    advice->setStyleSheet(data->styleSheet());
    connect(advice, &QToolButton::clicked, this, &MainWindow::adviceRequested);
    // The report on the field, beside the advice it presents.
    auto* report = new QToolButton(this);
    report->setObjectName(QStringLiteral("ReportButton"));
    report->setText(QStringLiteral("Informe"));
    report->setToolTip(QStringLiteral("Informe del lote: vista previa, imprimir, guardar como PDF u ODT, copiar"));
    report->setGeometry(advice->geometry().translated(advice->width() + 6, 0));
    report->setCursor(Qt::PointingHandCursor);
    report->setStyleSheet(data->styleSheet());
    connect(report, &QToolButton::clicked, this, &MainWindow::reportRequested);
}

void MainWindow::buildCaseButtons()
{
    // The case's files, right of the banner, where no specified control lies.
    struct CaseButton {
        const char* name;
        const char16_t* caption;
        const char16_t* hint;
        QKeySequence keys;
        void (MainWindow::*signal)();
        QPoint at;
    };
    const CaseButton buttons[] = {
        {"OpenCaseButton",
         u"Abrir",
         u"Abre un caso guardado",
         QKeySequence(Qt::CTRL | Qt::Key_O),
         &MainWindow::openCaseRequested,
         {752, 14}},
        {"SaveCaseButton",
         u"Guardar",
         u"Guarda el caso en su archivo",
         QKeySequence(Qt::CTRL | Qt::Key_S),
         &MainWindow::saveCaseRequested,
         {860, 14}},
        {"SaveCaseAsButton",
         u"Guardar como",
         u"Guarda el caso en otro archivo",
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
         &MainWindow::saveCaseAsRequested,
         {860, 56}},
        {"CaseButton",
         u"Caso",
         u"Cliente, establecimiento, campaña, asesor y notas del caso",
         QKeySequence(),
         &MainWindow::caseWindowRequested,
         {752, 56}},
    };
    for (const CaseButton& b : buttons) {
        auto* action = new QAction(QString::fromUtf16(b.caption), this);
        action->setShortcut(b.keys);
        const QString hint = QString::fromUtf16(b.hint);
        action->setToolTip(
            b.keys.isEmpty() ? hint : hint + QStringLiteral(" (") + b.keys.toString(QKeySequence::NativeText) + u')');
        addAction(action); // the keys work wherever the focus is in this window
        connect(action, &QAction::triggered, this, b.signal);
        auto* button = new QToolButton(this);
        button->setObjectName(QLatin1String(b.name));
        button->setDefaultAction(action);
        button->setGeometry(QRect(b.at, QSize(102, 36)));
        button->setCursor(Qt::PointingHandCursor);
        button->setStyleSheet(QStringLiteral("QToolButton { color: white; font-weight: bold; background: rgb(58, 110, "
                                             "165); border: 2px outset rgb(120, 160, 210); }"
                                             " QToolButton::menu-button { background: rgb(58, 110, 165); border: 1px "
                                             "solid rgb(120, 160, 210); width: 14px; }"));
        if (qstrcmp(b.name, "OpenCaseButton") == 0) {
            recentMenu_ = new QMenu(QStringLiteral("Casos recientes"), button);
            recentMenu_->setObjectName(QStringLiteral("RecentCasesMenu"));
            button->setMenu(recentMenu_);
            button->setPopupMode(QToolButton::MenuButtonPopup);
            setRecentCases({});
        }
    }
}

void MainWindow::setRecentCases(const QStringList& paths)
{
    recentMenu_->clear();
    for (const QString& path : paths) {
        QAction* entry = recentMenu_->addAction(QFileInfo(path).fileName());
        entry->setToolTip(path);
        entry->setData(path);
        connect(entry, &QAction::triggered, this, [this, path] { Q_EMIT recentCaseRequested(path); });
    }
    if (paths.isEmpty())
        recentMenu_->addAction(QStringLiteral("(ningún caso reciente)"))->setEnabled(false);
}

void MainWindow::showCase(const QString& name, bool modified)
{
    const QString caption = QStringLiteral("Velmaro zona NEA");
    setWindowTitle(name.isEmpty() ? caption : caption + QStringLiteral(" - ") + name + QStringLiteral("[*]"));
    setWindowModified(modified);
}

void MainWindow::buildSlotPanel(int slot)
{
    const SlotLook& look = SlotLooks[slot - 1];
    SlotPanel& p = slotPanels_[slot - 1];

    p.panel = new QFrame(this);
    p.panel->setObjectName(QLatin1String(look.panelName));
    p.panel->setGeometry(look.geometry);
    p.panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    p.panel->setAutoFillBackground(true);
    QPalette palette = p.panel->palette();
    palette.setColor(QPalette::Window, look.colour);
    palette.setColor(QPalette::WindowText, Qt::black);
    p.panel->setPalette(palette);

    p.active = new QCheckBox(QStringLiteral("Activar"), p.panel);
    p.active->setObjectName(QLatin1String(look.checkName));
    p.active->setGeometry(4, 3, 64, 18);
    p.active->setFont(Look::arialPixels(11, true));
    connect(p.active, &QCheckBox::toggled, this, [this, slot](bool on) { slots_.setActive(slot, on); });

    auto* title = new QLabel(QStringLiteral("E S C E N A R I O %1").arg(slot), p.panel);
    title->setGeometry(70, 3, 128, 18);
    QFont titleFont = Look::arialPixels(13, true);
    titleFont.setUnderline(true);
    title->setFont(titleFont);
    title->setStyleSheet(QStringLiteral("color: red;"));

    QFont captionFont = Look::arialPixels(11);
    captionFont.setUnderline(true);
    for (int row = 0; row < 4; ++row) {
        auto* caption = new QLabel(QString::fromUtf16(look.captions[row]), p.panel);
        caption->setGeometry(4, RowTops[row], 88, 28);
        caption->setFont(captionFont);
        caption->setWordWrap(true);
        caption->setAlignment(Qt::AlignLeft | Qt::AlignTop);

        auto* value = new QLabel(p.panel);
        value->setObjectName(QLatin1String(look.valueNames[row]));
        value->setGeometry(92, RowTops[row], 104, 28);
        value->setFont(Look::arialPixels(11, true));
        value->setWordWrap(true);
        value->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        p.values[row] = value;
    }
    p.panel->hide();
}

void MainWindow::showSlot(int slot)
{
    if (slot < 1 || slot > 3)
        return;
    const SlotRecord& r = slots_.slot(slot);
    SlotPanel& p = slotPanels_[slot - 1];
    p.values[0]->setText(r.siteName);
    p.values[1]->setText(r.unitName);
    p.values[2]->setText(r.cultivarName);
    p.values[3]->setText(r.waterName);
    if (p.active->isChecked() != r.active)
        p.active->setChecked(r.active);
    // Shown once a scenario is confirmed; hidden again only by a reopened case without it.
    p.panel->setVisible(r.panelShown);
}

void MainWindow::onActivated()
{
    // Numbers are written and read with "." everywhere; nothing to set per window.
    Q_EMIT curveSelectionToHide();
}

void MainWindow::toggleHelpArea()
{
    if (helpArea_->isVisible()) {
        helpArea_->hide();
        printHelpButton_->hide();
        return;
    }
    helpArea_->show();
    printHelpButton_->show();
    // Read into a document of its own and then shown: read into the shown one, every
    // paragraph would be laid out as it arrives, three times slower for a large document.
    auto* loaded = new QTextDocument(helpArea_);
    QString error;
    if (!RtfReader::readFile(helpDocumentPath(), *loaded, &error)) {
        delete loaded;
        errors_.report(this, error);
        return;
    }
    loaded->setDefaultFont(helpArea_->document()->defaultFont());
    // The one read before goes; the area's first, empty one is deleted by the area itself.
    QTextDocument* previous = helpArea_->document();
    const bool readBefore = previous->parent() == helpArea_;
    helpArea_->setDocument(loaded);
    if (readBefore)
        delete previous;
}

void MainWindow::plot()
{
    // At least one scenario must be active to draw anything.
    bool anyActive = false;
    for (int slot = 1; slot <= 3; ++slot)
        anyActive = anyActive || slots_.slot(slot).active;
    if (!anyActive) {
        messages_.information(this, QStringLiteral("DEBE SELECCIONAR AL MENOS 1 ESCENARIO"));
        return;
    }
    slots_.composeAndLookUp(table_);
    Q_EMIT plotRequested();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (closeGuard_ && !closeGuard_()) {
        event->ignore();
        return;
    }
    event->accept();
    Q_EMIT closed();
}

void MainWindow::paintEvent(QPaintEvent*)
{
    QImage picture = firstBackground_.valid() ? firstBackground_.get() : backgroundPicture();
    const QPixmap background = QPixmap::fromImage(std::move(picture));
    QPainter painter(this);
    if (!background.isNull())
        painter.drawPixmap(rect(), background);
}

QString MainWindow::helpDocumentPath()
{
    return HelpDocumentLocation::find();
}
