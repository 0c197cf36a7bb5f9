// qianyan: the desktop program. It starts the launcher and runs until the launcher closes; with
// --screenshots FOLDER it renders every window into FOLDER instead. --help and --version answer before
// any window system is reached.
#include "app/launcher_window.h"
#include "app/program_arguments.h"
#include "app/screenshots.h"
#include "framework/qt/print_support.h"
#include "framework/qt/window_look.h"
#include "platform/qt/qt_platform.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QTranslator>

#include <cstdio>

namespace {

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        qianyan::paintEmblem(painter, QRectF(0, 0, size, size));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

int main(int argc, char* argv[]) {
    const qianyan::ProgramArguments arguments =
        qianyan::readProgramArguments(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
    switch (arguments.action) {
    case qianyan::ProgramArguments::Action::Help:
        std::fputs(qianyan::programHelp().c_str(), stdout);
        return 0;
    case qianyan::ProgramArguments::Action::Version:
        std::puts("qianyan " QIANYAN_VERSION);
        return 0;
    case qianyan::ProgramArguments::Action::Refused:
        std::fprintf(stderr, "qianyan: %s\n", arguments.refusal.c_str());
        return 2;
    default:
        break;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("qianyan"));
    QApplication::setApplicationVersion(QStringLiteral(QIANYAN_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("io.github.qianyan.Qianyan"));
    QApplication::setWindowIcon(programIcon());
    QTranslator translator;
    qianyan::speakChineseInQtDialogs(translator);

    if (arguments.action == qianyan::ProgramArguments::Action::Screenshots)
        return qianyan::takeScreenshots(QString::fromStdString(arguments.screenshotFolder));

    qianyan::loadPrintSupportInBackground();
    qianyan::QtPlatform platform;
    qianyan::TVOR_FRM_KELD0 launcher(platform);
    qianyan::centreOnScreen(&launcher);
    launcher.show();
    if (!arguments.projectFile.empty()) launcher.openProjectFile(arguments.projectFile);
    return QApplication::exec();
}
