#include "Startup.h"

#include <cstdio>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QTextDocument>
#include <QTranslator>

#include "richtext/RtfReader.h"
#include "ui/app/MainWindow.h"

namespace {

void print(FILE* stream, const QString& text)
{
    std::fputs(qPrintable(text), stream);
    std::fflush(stream);
}

enum class Request { Run, CheckHelpDocument };

} // namespace

std::optional<int> Startup::answerCommandLine(int& argc, char** argv)
{
    Request request = Request::Run;
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
        QCommandLineOption checkHelp(QStringLiteral("comprobar-ayuda"),
                                     QStringLiteral("Lee el documento de ayuda y dice dónde lo encontró."));
        checkHelp.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(checkHelp);
        parser.addPositionalArgument(caseArgumentName(), caseArgumentDescription(), u'[' + caseArgumentName() + u']');

        // Unknown options are Qt's own (-platform, -style ...): the application takes them.
        parser.parse(QCoreApplication::arguments());
        if (parser.isSet(help)) {
            print(stdout, parser.helpText());
            return 0;
        }
        if (parser.isSet(version)) {
            print(stdout,
                  QCoreApplication::applicationName() + QLatin1Char(' ') + QCoreApplication::applicationVersion() +
                      QLatin1Char('\n'));
            return 0;
        }
        if (parser.isSet(checkHelp))
            request = Request::CheckHelpDocument;
    }
    if (request == Request::CheckHelpDocument) {
        // A rich-text document needs the fonts of a GUI application, never a window.
        QGuiApplication gui(argc, argv);
        return checkHelpDocument();
    }
    return std::nullopt;
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
