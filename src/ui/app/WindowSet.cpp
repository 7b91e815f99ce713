#include "WindowSet.h"

#include <QCoreApplication>
#include <QLocale>

#include "core/ResponseTable.h"
#include "core/ScenarioSlots.h"
#include "ui/app/MainWindow.h"
#include "ui/common/VelmaroWindow.h"

namespace {

// Windows still to come: their names and captions, in order of creation after the
// main window.
struct PlainWindow {
    const char* objectName;
    const char16_t* caption;
};

constexpr PlainWindow PlainWindows[] = {
    {"TForm2", u"Elección de escenario"},
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

WindowSet::WindowSet()
    : slots_(std::make_unique<ScenarioSlots>())
{
    QCoreApplication::setApplicationName(QStringLiteral("velmaro"));
    QLocale::setDefault(QLocale::c());

    mainWindow_ = create<MainWindow>(*slots_, ResponseTable::builtIn());
    for (const PlainWindow& w : PlainWindows)
        create<VelmaroWindow>(QLatin1String(w.objectName), QString::fromUtf16(w.caption));

    connect(mainWindow_, &MainWindow::closed, this, &WindowSet::quitRequested);
}

WindowSet::~WindowSet()
{
    // The last window created goes first.
    while (!windows_.empty())
        windows_.pop_back();
}

void WindowSet::start()
{
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
