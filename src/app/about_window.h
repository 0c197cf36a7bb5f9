#pragma once
// The About window TVOR_DAX_FRM_CopyRight: one per program run, created by the first © press, hidden
// (not destroyed) when closed. It is a popup, so Esc or a click anywhere outside dismisses it.
#include <QWidget>

#include <string_view>

namespace qianyan {

class Platform;

class TVOR_DAX_FRM_CopyRight : public QWidget {
public:
    explicit TVOR_DAX_FRM_CopyRight(Platform& platform, QWidget* parent = nullptr);

    void lb_danweiClick();
    void lb_wangzhiClick();
    void lb_lianxiUrClick();
    void cbt_updateClick();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void openLink(std::string_view scrambled);

    Platform& platform_;
};

} // namespace qianyan
