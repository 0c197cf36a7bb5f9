#include "app/about_window.h"

#include "documents/qt/qt_text.h"
#include "framework/qt/window_look.h"
#include "framework/scrambled_text.h"
#include "platform/platform.h"

#include <QBoxLayout>
#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <functional>

namespace qianyan {

namespace {

// The About window's texts, scrambled with its own key table.
constexpr ScrambleKey key{0x2C71, 0x6A0E, 0x1D93, 0x75B4, 0x0F28, 0x4E6D, 0x31C5, 0x5897, 0x62F3};
constexpr std::string_view moduleName = "713D36A775FA17CB80551CF6BA642300";
constexpr std::string_view series = "2C006A671DF275DA0F514E0C31AB58B73FBF70D86A2E6FDB1298";
constexpr std::string_view rights = "AD9B1F3F42931B248047009B31E558DA62BA2C256A2E962B265B";
constexpr std::string_view designer = "A7CFE1AFE28928F85381D614472B";
constexpr std::string_view scope = "BC731F26E28928F853813E215D2D30FEE94DA7D0";
constexpr std::string_view review = "52A20D9285E80B7B52CD34666FCD019A0ACB";
constexpr std::string_view docs = "630E1F26966713BA4126C5CC4A5221AD2D78";
constexpr std::string_view docsHover = "5CC83BF57FC02AB4580030D27EBA2DBFE9074A7F";
constexpr std::string_view docsLink =
    "2C196A7A1DE775C40F5B4E5731EA58B862962C096A6F1DFE75C40F444E0831EB58F862812C166A211DE2"
    "75DD0F494E0331BC58F6629D2C5E6A6A1DFC75D70F5B";
constexpr std::string_view webCaption = "53203D4EE289";
constexpr std::string_view web =
    "2C146A761DF275D90F584E0131A058B9629C2C036A691DBC75C50F414E0C31AB58EE62922C1F";
constexpr std::string_view webLink =
    "2C196A7A1DE775C40F5B4E5731EA58B862962C096A6F1DFE75C40F444E0831EB58F862812C166A2"
    "11DE275DD0F494E0331BC58F6629D";
constexpr std::string_view mailCaption = "BCDF11BFE289";
constexpr std::string_view mail =
    "2C006A671DF275DA0F514E0C31AB58D762962C096A6F1DFE75C40F444E0831EB58F862812C16";
constexpr std::string_view mailLink =
    "2C1C6A6F1DFA75D80F5C4E0231FF58E6629A2C106A601DEA75D50F464E2D31A058EF62922C1C6A7E1D"
    "FF75D10F064E0231B758F0";
constexpr std::string_view updateCaption = "4A850FBE";
constexpr std::string_view updateLink =
    "2C196A7A1DE775C40F5B4E5731EA58B862962C096A6F1DFE75C40F444E0831EB58F862812C166A2"
    "11DE275DD0F494E0331BC58F6629D2C5E6A7C1DF675D80F4D4E0C31B658F26280";

QString text(std::string_view scrambled) {
    return qtText(unscramble(scrambled, key));
}

QLabel* line(std::string_view scrambled, int px = 13, Qt::Alignment align = Qt::AlignLeft) {
    auto* label = new QLabel(text(scrambled));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(align | Qt::AlignVCenter);
    setFontPixels(label, px);
    return label;
}

// The picture ImageQQ: the program's emblem.
class Emblem : public QWidget {
public:
    Emblem() { setFixedSize(100, 100); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        paintEmblem(painter, rect());
    }
};

} // namespace

// A label that is a link: bold, underlined and red under the mouse, and opens its link on a click.
class HoverLink : public QLabel {
public:
    HoverLink(QString plain, QString hover, QColor color, std::function<void()> click)
        : plain_(std::move(plain)), hover_(std::move(hover)), color_(color), click_(std::move(click)) {
        setTextFormat(Qt::PlainText);
        setCursor(Qt::PointingHandCursor);
        setFontPixels(this, 13);
        look(false);
    }

protected:
    void enterEvent(QEnterEvent*) override { look(true); }
    void leaveEvent(QEvent*) override { look(false); }
    void mouseReleaseEvent(QMouseEvent*) override { click_(); }

private:
    void look(bool hovered) {
        setText(hovered ? hover_ : plain_);
        QFont f = font();
        f.setBold(hovered);
        f.setUnderline(hovered);
        setFont(f);
        setStyleSheet(QStringLiteral("color: %1;").arg((hovered ? QColor(Qt::red) : color_).name()));
    }

    QString plain_, hover_;
    QColor color_;
    std::function<void()> click_;
};

TVOR_DAX_FRM_CopyRight::TVOR_DAX_FRM_CopyRight(Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Popup), platform_(platform) {
    setObjectName(QStringLiteral("TVOR_DAX_FRM_CopyRight"));
    setWindowTitle(QStringLiteral("关于"));
    setFixedSize(260, 330);

    auto* module = line(moduleName, 18, Qt::AlignHCenter);
    module->setStyleSheet(QStringLiteral("color: blue;"));
    auto* seriesLine = line(series, 14, Qt::AlignHCenter);
    seriesLine->setText(seriesLine->text() + QLatin1Char(' ') + QCoreApplication::applicationVersion());

    auto* danwei = new HoverLink(text(docs), text(docsHover), Qt::black, [this] { lb_danweiClick(); });
    danwei->setAlignment(Qt::AlignCenter);
    auto* wangzhi = new HoverLink(text(web), text(web), Qt::blue, [this] { lb_wangzhiClick(); });
    auto* lianxi = new HoverLink(text(mail), text(mail), Qt::blue, [this] { lb_lianxiUrClick(); });

    auto* updateButton = new QPushButton(text(updateCaption));
    setFontPixels(updateButton, 12);
    updateButton->setFixedWidth(44);
    connect(updateButton, &QPushButton::clicked, this, [this] { cbt_updateClick(); });

    auto* webRow = new QHBoxLayout;
    webRow->addWidget(line(webCaption));
    webRow->addWidget(wangzhi, 1);
    auto* mailRow = new QHBoxLayout;
    mailRow->addWidget(line(mailCaption));
    mailRow->addWidget(lianxi, 1);
    auto* pictureRow = new QHBoxLayout;
    pictureRow->addStretch(1);
    pictureRow->addWidget(new Emblem);
    pictureRow->addStretch(1);
    pictureRow->addWidget(updateButton, 0, Qt::AlignBottom);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->setSpacing(3);
    layout->addWidget(module);
    layout->addWidget(seriesLine);
    layout->addSpacing(6);
    layout->addWidget(line(rights));
    layout->addWidget(line(designer));
    layout->addWidget(line(scope, 12));
    layout->addWidget(line(review, 12));
    layout->addWidget(danwei);
    layout->addLayout(webRow);
    layout->addLayout(mailRow);
    layout->addStretch(1);
    layout->addLayout(pictureRow);
}

void TVOR_DAX_FRM_CopyRight::openLink(std::string_view scrambled) {
    platform_.openLink(unscramble(scrambled, key));
}
void TVOR_DAX_FRM_CopyRight::lb_danweiClick() {
    openLink(docsLink);
}
void TVOR_DAX_FRM_CopyRight::lb_wangzhiClick() {
    openLink(webLink);
}
void TVOR_DAX_FRM_CopyRight::lb_lianxiUrClick() {
    openLink(mailLink);
}
void TVOR_DAX_FRM_CopyRight::cbt_updateClick() {
    openLink(updateLink);
}

void TVOR_DAX_FRM_CopyRight::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintVerticalGradient(painter, rect(), QColor(0xF4, 0x8D, 0x72), QColor(0xFE, 0xE9, 0xE9), 0.5);
    // A popup has no frame of its own.
    painter.setPen(QColor(0xC0, 0x6A, 0x55));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace qianyan
