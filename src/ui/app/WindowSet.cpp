#include "WindowSet.h"

#include <QCoreApplication>
#include <QLocale>
#include <QScreen>
#include <QWidget>

#include "core/ResponseTable.h"
#include "core/ScenarioSlots.h"
#include "ui/app/MainWindow.h"
#include "ui/common/ErrorReporter.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/ProgramLauncher.h"
#include "ui/scenario/ScenarioDialog.h"
#include "ui/common/VelmaroWindow.h"

namespace {

// Windows still to come: their names and captions, in order of creation after the
// main window.
struct PlainWindow {
    const char* objectName;
    const char16_t* caption;
};

constexpr PlainWindow PlainWindows[] = {
    {"TForm4", u"Seleccione las curvas que desea ver"},
    {"TForm7", u"Mapa Paraná"},
    {"TForm8", u"Mapa de Reconquista"},
    {"TForm11", u"Ajuste de ejes"},
    {"TForm12", u"Imprimir"},
    {"TForm13", u"Cambio de títulos de ejes y gráfico"},
    {"TForm14", u"Funciones aplicadas"},
    {"TForm15", u"Uso del gráfico"},
    {"TForm16", u"Ayuda eje de rendimiento"},
    {"TForm17", u"Ayuda eje de nitrógeno"},
    {"TForm18", u"Ayuda incremento de rendimiento por kg N"},
    {"TForm19", u"Ayuda para elegir curvas"},
    {"TForm21", u"Costo del Nitrógeno"},
    {"TForm22", u"ATENCION"},
    {"TForm23", u"Imprimir gráfico económico"},
    {"TForm24", u"Cambio de títulos de gráfico económico"},
    {"TForm25", u"Ajuste de ejes de gráfico económico"},
    {"TForm26", u"Ayuda eje Y de gráfico económico"},
    {"TForm27", u"Ayuda eje x gráfico económico"},
    {"TForm28", u"Ayuda margen en $/ha"},
    {"TForm29", u"Ayuda parte económica"},
    {"TForm30", u"ayuda parte económica"},
    {"TForm31", u"Ayuda pte económica"},
    {"TForm32", u"Calculo de N disponible en suelo"},
    {"TForm33", u"Nitrógeno disponible de referencia"},
    {"TForm34", u"Form34"},
    {"TForm20", u"N disp. de referencia"},
    {"TForm3", u"Gráfico de rendimiento en función de N disponible"},
    {"TForm36", u"Mapa de Victoria"}, // an area no list offers: created, never shown
    {"TForm6", u"Mapas"},
    {"TForm10", u"Mapa Rafaela"},
    {"TForm35", u"Créditos"},
    {"TForm9", u"Mapa de Gualeguaychú"},
    {"TForm5", u"Mapa de Gualeguay"},
    {"TForm37", u"Imprimir"},
};

} // namespace

template <typename Window, typename... Args>
Window* WindowSet::create(Args&&... args)
{
    auto window = std::make_unique<Window>(std::forward<Args>(args)...);
    Window* raw = window.get();
    windows_.push_back(std::move(window));
    return raw;
}

WindowSet::WindowSet(const Seams& seams)
    : seams_(seams),
      slots_(std::make_unique<ScenarioSlots>())
{
    if (!seams_.messages) {
        ownMessages_ = std::make_unique<DialogMessageBoxes>();
        seams_.messages = ownMessages_.get();
    }
    if (!seams_.errors) {
        ownErrors_ = std::make_unique<DialogErrorReporter>();
        seams_.errors = ownErrors_.get();
    }
    if (!seams_.launcher) {
        ownLauncher_ = std::make_unique<SystemProgramLauncher>();
        seams_.launcher = ownLauncher_.get();
    }

    QCoreApplication::setApplicationName(QStringLiteral("velmaro"));
    QLocale::setDefault(QLocale::c());

    mainWindow_ = create<MainWindow>(*slots_, ResponseTable::builtIn(), seams_);
    scenarioDialog_ = create<ScenarioDialog>(*slots_);
    for (const PlainWindow& w : PlainWindows)
        create<VelmaroWindow>(QLatin1String(w.objectName), QString::fromUtf16(w.caption));

    auto presenter = [this](const char* name) {
        return [this, name] { present(window(QLatin1String(name))); };
    };
    connect(mainWindow_, &MainWindow::closed, this, &WindowSet::quitRequested);
    connect(mainWindow_, &MainWindow::scenarioRequested, scenarioDialog_, &ScenarioDialog::openForSlot);
    connect(mainWindow_, &MainWindow::plotRequested, this, presenter("TForm3"));
    connect(mainWindow_, &MainWindow::creditsRequested, this, presenter("TForm35"));
    connect(mainWindow_, &MainWindow::helpPrintRequested, this, presenter("TForm37"));
    connect(mainWindow_, &MainWindow::mapsRequested, this, [this] {
        present(window(QStringLiteral("TForm5")));
        present(window(QStringLiteral("TForm6")));
    });
    connect(mainWindow_, &MainWindow::curveSelectionToHide, this,
            [this] { window(QStringLiteral("TForm4"))->hide(); });
}

WindowSet::~WindowSet()
{
    // The last window created goes first.
    while (!windows_.empty())
        windows_.pop_back();
}

void WindowSet::present(QWidget* window)
{
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
}

void WindowSet::start()
{
    // Maximised; where no window manager honours that, the window still fills the screen.
    if (const QScreen* screen = mainWindow_->screen())
        mainWindow_->setGeometry(screen->availableGeometry());
    mainWindow_->showMaximized();
}

QWidget* WindowSet::window(const QString& objectName) const
{
    for (const auto& w : windows_) {
        if (w->objectName() == objectName)
            return w.get();
    }
    return nullptr;
}

std::vector<QWidget*> WindowSet::windows() const
{
    std::vector<QWidget*> list;
    list.reserve(windows_.size());
    for (const auto& w : windows_)
        list.push_back(w.get());
    return list;
}
