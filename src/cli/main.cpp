// qianyan-cli: replays a session at the calculator windows as a script.
#include "cli/batch_run.h"
#include "cli/command_line.h"
#include "cli/script_driver.h"

#include <iostream>

#ifdef QIANYAN_PDF
#include "documents/qt/sheet_pdf.h"

#include <QGuiApplication>

namespace {

// Painting needs a Qt application; the driver shows nothing, so it needs no display either.
void writePdf(const qianyan::CalculationSheet& sheet, const qianyan::SheetFigures& figures,
              const std::string& path) {
    static int argc = 1;
    static char name[] = "qianyan-cli";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        // The driver's output is its own: Qt's notes about the session (no runtime folder) stay out of it.
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        static QGuiApplication application(argc, argv);
    }
    qianyan::writeDocSheetPdf(sheet.doc(), figures, path, sheet.docKinds());
}

} // namespace
#endif

int main(int argc, char** argv) {
    using namespace qianyan;
    std::string problem;
    const auto options = parseDriverOptions(std::vector<std::string>(argv + 1, argv + argc), problem);
    if (!options) {
        std::cerr << "error\t" << problem << "\n(qianyan-cli --help)\n";
        return 2;
    }
    if (options->help) {
        std::cout << driverHelp();
        return 0;
    }
    ScriptedPlatform platform(options->documents.empty() ? defaultDocumentsFolder() : options->documents,
                              options->clock.value_or(localNow()));
    if (options->answer) platform.defaultAnswer = *options->answer;
    if (options->unsaved) platform.defaultSaveChoice = *options->unsaved;
    ScriptDriver driver(platform, std::cout, std::cerr);
#ifdef QIANYAN_PDF
    driver.writePdf = writePdf;
#endif
    driver.open(options->window);
    if (!options->batchTable) return driver.run(options->script) ? 0 : 2;
    // A script after the table may read the sheets, which then keep every pile.
    const bool scriptFollows = options->script.find_first_not_of(" \t\r\n") != std::string::npos;
    const BatchOutcome batch =
        runBatch(*driver.current(), platform, *options->batchTable, options->out, std::cout, scriptFollows);
    const bool scripted = driver.run(options->script);
    return !batch.usable || !scripted ? 2 : batch.failed > 0 ? 1 : 0;
}
