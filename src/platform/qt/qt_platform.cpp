#include "platform/qt/qt_platform.h"

#include "platform/legacy_text_file.h"

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTranslator>
#include <QUrl>

namespace qianyan {

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Boxes belong to the window the person is working in, so they open over it.
QWidget* dialogParent() {
    return QApplication::activeWindow();
}

QString programTitle() {
    return QStringLiteral("嵌岩桩承载力计算");
}

} // namespace

std::string QtPlatform::documentsFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty()) throw PlatformError("找不到文档文件夹");
    const std::string path = folder.toStdString();
    ensureFolder(path);
    return path;
}

bool QtPlatform::fileExists(const std::string& path) {
    return regularFileExists(path);
}

void QtPlatform::checkReplaceable(const std::string& path) {
    qianyan::checkReplaceable(path);
}

void QtPlatform::writeTextFile(const std::string& path, const LineSource& lines) {
    writeLegacyTextFile(path, lines);
}

std::string QtPlatform::askSavePath(const std::string& suggestedPath, std::string_view filter) {
    return QFileDialog::getSaveFileName(dialogParent(), programTitle(), fromUtf8(suggestedPath),
                                        fromUtf8(filter))
        .toStdString();
}

void QtPlatform::writeUtf8File(const std::string& path, const LineSource& lines) {
    writeUtf8TextFile(path, lines);
}

std::string QtPlatform::readFile(const std::string& path, std::size_t limit) {
    return readWholeFile(path, limit);
}

std::string QtPlatform::askProjectPath(bool saving) {
    QString folder;
    try {
        folder = fromUtf8(documentsFolder());
    } catch (const PlatformError&) {
    }
    const QString filter = QStringLiteral("嵌岩项目 (*.%1)").arg(fromUtf8(projectFileExtension));
    const QString path =
        saving ? QFileDialog::getSaveFileName(dialogParent(), QStringLiteral("保存项目"), folder, filter)
               : QFileDialog::getOpenFileName(dialogParent(), QStringLiteral("打开项目"), folder, filter);
    return path.toStdString();
}

bool QtPlatform::askYesNo(std::string_view question) {
    return QMessageBox::question(dialogParent(), programTitle(), fromUtf8(question),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

SaveChoice QtPlatform::askSaveDiscardCancel(std::string_view question) {
    QMessageBox box(QMessageBox::Question, programTitle(), fromUtf8(question), QMessageBox::NoButton,
                    dialogParent());
    QPushButton* save = box.addButton(QStringLiteral("保存"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("不保存"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save) return SaveChoice::Save;
    if (box.clickedButton() == discard) return SaveChoice::Discard;
    return SaveChoice::Cancel;
}

void QtPlatform::inform(std::string_view message) {
    QMessageBox::information(dialogParent(), programTitle(), fromUtf8(message), QMessageBox::Ok);
}

void QtPlatform::reportError(std::string_view message) {
    QMessageBox::warning(dialogParent(), programTitle(), fromUtf8(message), QMessageBox::Ok);
}

DateTime QtPlatform::now() {
    const QDateTime t = QDateTime::currentDateTime();
    const QDate d = t.date();
    const QTime h = t.time();
    return {d.year(), d.month(), d.day(), h.hour(), h.minute(), h.second()};
}

void QtPlatform::openLink(std::string_view link) {
    QDesktopServices::openUrl(QUrl(fromUtf8(link)));
}

void QtPlatform::showAboutWindow() {
    if (showAbout_) showAbout_();
}

bool speakChineseInQtDialogs(QTranslator& translator) {
    if (!translator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(&translator);
    return true;
}

} // namespace qianyan
