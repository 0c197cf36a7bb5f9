#pragma once
// The launcher TVOR_FRM_KELD0, the program's main window: one button per calculator of the registry, in
// its order, captioned and coloured as its entry says, each calculator open at most once (its window deletes
// itself on close and the reference clears), and 退    出, which ends the program with every open calculator
// (each asking about its unsaved sheets; a cancel stops it). It also holds the About window of the run.
#include <QPointer>
#include <QWidget>

#include <map>
#include <memory>
#include <string>
#include <string_view>

class QPushButton;

namespace qianyan {

class CalculatorWindow;
class QtPlatform;
class TVOR_DAX_FRM_CopyRight;

class TVOR_FRM_KELD0 : public QWidget {
public:
    explicit TVOR_FRM_KELD0(QtPlatform& platform);
    ~TVOR_FRM_KELD0() override;

    // The open calculator of that launcher button, or nullptr.
    CalculatorWindow* openWindow(const std::string& button) const;
    // The About window, once the first © press has created it.
    TVOR_DAX_FRM_CopyRight* aboutWindow() const { return about_.get(); }
    QPushButton* button(const std::string& name) const;
    // Opens a project file in the calculator it was saved from (opening that calculator, or bringing it
    // forward); a file that is no project, or cannot be read, is refused with the reason in a box.
    void openProjectFile(const std::string& path);

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QPushButton* addButton(const std::string& name, const QString& caption, int top, const QString& colour,
                           int px);
    // Opens the calculator of that button, or brings it forward when it is open; nullptr without a face.
    CalculatorWindow* openCalculator(const std::string& button, std::string_view calculator);
    void showAboutWindow();

    QtPlatform& platform_;
    std::map<std::string, QPushButton*> buttons_;
    std::map<std::string, QPointer<CalculatorWindow>> open_;
    std::unique_ptr<TVOR_DAX_FRM_CopyRight> about_;
};

} // namespace qianyan
