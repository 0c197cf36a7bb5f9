// qianyan: the desktop program. It starts the launcher and runs until the launcher closes; with
// --screenshots FOLDER it renders every window into FOLDER instead.
#include "app/launcher_window.h"
#include "app/screenshots.h"
#include "framework/qt/window_look.h"
#include "platform/qt/qt_platform.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>

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
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("qianyan"));
    QApplication::setApplicationVersion(QStringLiteral(QIANYAN_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("io.github.qianyan.Qianyan"));
    QApplication::setWindowIcon(programIcon());

    const QStringList arguments = QApplication::arguments();
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--screenshots")); at >= 0)
        return qianyan::takeScreenshots(at + 1 < arguments.size() ? arguments[at + 1]
                                                                  : QStringLiteral("docs/screenshots"));

    qianyan::QtPlatform platform;
    qianyan::TVOR_FRM_KELD0 launcher(platform);
    qianyan::centreOnScreen(&launcher);
    launcher.show();
    return QApplication::exec();
}
