#include "Startup.h"

#include <cstdio>
#include <memory>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QSet>
#include <QTextDocument>
#include <QTranslator>

#include <fontconfig/fontconfig.h>

#include "core/BatchRun.h"
#include "core/ReportContent.h"
#include "richtext/RtfReader.h"
#include "ui/app/MainWindow.h"
#include "ui/report/ReportPages.h"

namespace {

void print(FILE* stream, const QString& text)
{
    std::fputs(qPrintable(text), stream);
    std::fflush(stream);
}

enum class Request { Run, CheckHelpDocument, BatchWithReports };

// Each advised field's report as a PDF file in `folder`, named after its lot; a second
// field of the same name takes its line too.
BatchRun::Options withReports(BatchRun::Options options, const QString& folder)
{
    auto written = std::make_shared<QSet<QString>>();
    options.report = [folder, written](const AdviserCase::Identity& identity, int line,
                                       const DoseAdvice::Inputs& inputs, QString* error) {
        const ReportContent content =
            ReportContent::build(identity, QDate::currentDate(), QStringLiteral(VELMARO_VERSION), inputs);
        QString name = content.fileName(QStringLiteral("pdf"));
        if (written->contains(name))
            name = QStringLiteral("%1 (línea %2).pdf").arg(content.baseName()).arg(line);
        written->insert(name);
        const QString path = QDir(folder).filePath(name);
        if (ReportPages::savePdf(path, content, {}, error))
            return true;
        *error = QStringLiteral("%1: no se pudo escribir el informe (%2)").arg(path, *error);
        return false;
    };
    return options;
}

} // namespace

std::optional<int> Startup::answerCommandLine(int& argc, char** argv)
{
    Request request = Request::Run;
    BatchRun::Options batchOptions;
    QString reportFolder;
    const auto say = [](const QString& line) { print(stderr, line + QLatin1Char('\n')); };
    {
        // A core application only: the options are answered without a display.
        QCoreApplication core(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("velmaro"));
        QCoreApplication::setApplicationVersion(QStringLiteral(VELMARO_VERSION));
        loadSpanishTranslations(core); // the parser's own texts ("Uso:", "Opciones:")

        QCommandLineParser parser;
        parser.setApplicationDescription(
            QStringLiteral("Velmaro zona NEA: asesor de la fertilización nitrogenada del trigo."));
        // Qt's own help and version options describe themselves in English: ours in Spanish.
        const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                      QStringLiteral("Muestra esta ayuda y termina."));
        const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                         QStringLiteral("Muestra la versión del programa y termina."));
        parser.addOption(help);
        parser.addOption(version);
        const QCommandLineOption batch(QStringLiteral("lote"),
                                       QStringLiteral("Calcula la dosis de cada lote del archivo (CSV, .xlsx u .ods) "
                                                      "sin abrir ventanas y termina."),
                                       QStringLiteral("archivo"));
        const QCommandLineOption output(
            QStringLiteral("salida"),
            QStringLiteral("Archivo .csv o .xlsx donde --lote escribe la dosis de cada lote."),
            QStringLiteral("archivo"));
        const QCommandLineOption data(QStringLiteral("datos"),
                                      QStringLiteral("Con --lote: una tabla propia (codigo, nivel, a, b, c) o ensayos "
                                                     "(codigo, nivel, n_disponible, rendimiento) en lugar de las "
                                                     "curvas incorporadas; tres veces para los tres archivos de "
                                                     "columnas fijas."),
                                      QStringLiteral("archivo"));
        const QCommandLineOption reports(QStringLiteral("informes"),
                                         QStringLiteral("Con --lote: escribe además el informe de cada lote, en PDF, "
                                                        "en la carpeta."),
                                         QStringLiteral("carpeta"));
        parser.addOptions({batch, output, data, reports});
        QCommandLineOption checkHelp(QStringLiteral("comprobar-ayuda"),
                                     QStringLiteral("Lee el documento de ayuda y dice dónde lo encontró."));
        checkHelp.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(checkHelp);
        parser.addPositionalArgument(caseArgumentName(), caseArgumentDescription(), u'[' + caseArgumentName() + u']');

        // Unknown options are Qt's own (-platform, -style ...): the application takes them.
        parser.parse(QCoreApplication::arguments());
        if (parser.isSet(help)) {
            print(stdout, parser.helpText() + batchHelp());
            return 0;
        }
        if (parser.isSet(version)) {
            print(stdout,
                  QCoreApplication::applicationName() + QLatin1Char(' ') + QCoreApplication::applicationVersion() +
                      QLatin1Char('\n'));
            return 0;
        }
        if (parser.isSet(batch) || parser.isSet(output) || parser.isSet(data) || parser.isSet(reports)) {
            if (parser.value(batch).isEmpty() || parser.value(output).isEmpty()) {
                print(stderr,
                      QStringLiteral("velmaro: --lote y --salida van juntas, cada una con su archivo; vea "
                                     "velmaro --help\n"));
                return BatchRun::NotRun;
            }
            batchOptions = {parser.value(batch), parser.value(output), parser.values(data), {}};
            if (!parser.isSet(reports))
                // The core alone: no window system is touched, so it runs over SSH and from cron.
                return BatchRun::run(batchOptions, say);
            reportFolder = parser.value(reports);
            if (!QDir().mkpath(reportFolder)) {
                say(QStringLiteral("%1: no se pudo crear la carpeta de los informes").arg(reportFolder));
                return BatchRun::NotRun;
            }
            request = Request::BatchWithReports;
        }
        if (parser.isSet(checkHelp))
            request = Request::CheckHelpDocument;
    }
    if (request == Request::BatchWithReports) {
        // The pages are laid out with fonts, which need a platform: without a display the
        // one that draws off screen.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication gui(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("velmaro"));
        QCoreApplication::setApplicationVersion(QStringLiteral(VELMARO_VERSION));
        return BatchRun::run(withReports(batchOptions, reportFolder), say);
    }
    if (request == Request::CheckHelpDocument) {
        // A rich-text document needs the fonts of a GUI application, never a window.
        QGuiApplication gui(argc, argv);
        return checkHelpDocument();
    }
    return std::nullopt;
}

QString Startup::batchHelp()
{
    return QStringLiteral("\n"
                          "Dosis para muchos lotes, sin ventanas ni pantalla (por SSH, desde cron):\n"
                          "  velmaro --lote campos.csv --salida dosis.csv [--datos tabla.csv]\n"
                          "                [--informes carpeta]\n"
                          "\n"
                          "campos.csv tiene un lote por fila. El encabezado nombra las columnas, en\n"
                          "cualquier orden y sin importar mayúsculas ni acentos:\n"
                          "  lote           nombre del lote\n"
                          "  codigo         código del escenario (AGAA); o bien sitio, unidad, agua y\n"
                          "                 cultivar, con los nombres del diálogo de escenarios\n"
                          "  precio_grano   precio neto del grano, U$S/t\n"
                          "  costo_n        costo del nitrógeno, U$S/t de N; o bien producto (UREA,\n"
                          "                 CAN...) y precio_producto, U$S/t de producto\n"
                          "  n_referencia   N disponible de referencia (análisis de suelo), kg/ha\n"
                          "  nivel          optativa: 20, Medio u 80; vacía, los tres\n"
                          "  tolerancia     optativa: U$S/ha del rango rentable (2.5)\n"
                          "  peso_20, peso_medio, peso_80\n"
                          "                 optativas: pesos de las campañas (0.25, 0.50, 0.25)\n"
                          "Se leen CSV separados por coma, punto y coma o tabulación (con coma decimal si\n"
                          "el separador no es la coma) en UTF-8, UTF-16 o Windows-1252, y libros .xlsx y\n"
                          ".ods. Por ejemplo:\n"
                          "  lote;codigo;precio_grano;costo_n;n_referencia\n"
                          "  Lote 7;AGAA;160;600;55\n"
                          "  La Loma;DCAB;172,5;650;40\n"
                          "\n"
                          "dosis.csv (o dosis.xlsx) tiene una fila por lote y nivel: N disponible óptimo,\n"
                          "N a aplicar, producto, rendimiento, % del máximo, margen, rango rentable,\n"
                          "observación, el riesgo de la campaña y los datos usados. El CSV sale como los\n"
                          "demás del programa: separado por punto y coma y con coma decimal, salvo que en\n"
                          "«Datos de respuesta» se haya elegido el formato internacional. Una fila\n"
                          "rechazada lleva su razón en la columna Error, y la razón sale también por la\n"
                          "salida de errores, con línea y columna. Termina con 0 si calculó todos los\n"
                          "lotes, 1 si rechazó alguno y 2 si no pudo leer o escribir un archivo.\n"
                          "Con --informes, cada lote calculado tiene además su informe en PDF en la\n"
                          "carpeta («Informe Lote 7.pdf»).\n");
}

std::future<void> Startup::readFontConfiguration()
{
    // The font database reads the same configuration through FcInit(), which finds it read.
    return std::async(std::launch::async, [] { FcInit(); });
}

bool Startup::loadSpanishTranslations(QCoreApplication& application)
{
    // Owned by the application, which outlives every dialog.
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_es"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

QString Startup::caseArgumentName()
{
    return QStringLiteral("caso");
}

QString Startup::caseArgumentDescription()
{
    return QStringLiteral("Caso de Velmaro (archivo .velmaro) que se abre al empezar.");
}

QString Startup::caseToOpen(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(caseArgumentName(), caseArgumentDescription());
    parser.parse(arguments); // options are answered before, or are Qt's own
    return parser.positionalArguments().value(0);
}

int Startup::checkHelpDocument()
{
    const QString path = MainWindow::helpDocumentPath();
    QTextDocument document;
    QString error;
    if (!RtfReader::readFile(path, document, &error)) {
        print(stderr, error + QLatin1Char('\n'));
        return 1;
    }
    print(stdout,
          QStringLiteral("%1: %2 caracteres\n").arg(QFileInfo(path).absoluteFilePath()).arg(document.characterCount()));
    return 0;
}
