#include "Panels.h"

#include "core/window/Twips.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QString kUiFont = QStringLiteral("微软雅黑");

// Places controls by their twip figures; a control without a given size
// takes the height of a button and the width of its text.
class Placer {
public:
    Placer(QWidget* parent, const Twips& twips) : parent_(parent), twips_(twips) {}

    template <typename W>
    W* add(W* widget, const char* name, int left, int top, int width = 0, int height = 375)
    {
        widget->setObjectName(QLatin1String(name));
        QFont f(kUiFont);
        f.setPointSizeF(9);
        widget->setFont(f);
        widget->adjustSize();
        const int w = width > 0 ? twips_.toPixels(width) : widget->sizeHint().width();
        widget->setGeometry(twips_.toPixels(left), twips_.toPixels(top), w, twips_.toPixels(height));
        widget->show();  // the panel may be on screen already
        return widget;
    }
    QLabel* label(const char* name, const QString& caption, int left, int top)
    {
        auto* l = add(new QLabel(caption, parent_), name, left, top);
        l->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
        l->setTextFormat(Qt::PlainText);
        return l;
    }
    QPushButton* button(const char* name, const QString& caption, int left, int top, int width)
    {
        return add(new QPushButton(caption, parent_), name, left, top, width);
    }
    QLineEdit* text(const char* name, int left, int top, int width, int height = 375)
    {
        return add(new QLineEdit(parent_), name, left, top, width, height);
    }
    QRadioButton* option(const char* name, const QString& caption, int left, int top)
    {
        return add(new QRadioButton(caption, parent_), name, left, top);
    }
    Placer inside(QWidget* child) const { return Placer(child, twips_); }
    QWidget* parent() const { return parent_; }

private:
    QWidget* parent_;
    const Twips& twips_;
};

// Option buttons of one frame exclude each other; the group lives with the frame.
void group(QWidget* owner, std::initializer_list<QRadioButton*> options)
{
    auto* buttons = new QButtonGroup(owner);
    for (QRadioButton* option : options)
        buttons->addButton(option);
}

}  // namespace

AddPanel makeAddPanel(QFrame* panel, const Twips& twips)
{
    Placer at(panel, twips);
    AddPanel p;
    p.Label1 = at.label("Label1", QStringLiteral("路径："), 120, 240);
    p.Text1 = at.text("Text1", 840, 240, 3015, 420);
    p.Label2 = at.label("Label2", QStringLiteral("名称："), 120, 720);
    p.Text2 = at.text("Text2", 840, 720, 3015, 420);
    for (QLineEdit* box : {p.Text1, p.Text2}) {
        QFont f(kUiFont);
        f.setPointSizeF(10.5);
        box->setFont(f);
    }
    p.Command1 = at.button("Command1", QStringLiteral("浏览"), 1440, 1320, 735);
    p.Command4 = at.button("Command4", QStringLiteral("取消"), 2280, 1320, 735);
    p.Command2 = at.button("Command2", QStringLiteral("确定"), 3120, 1320, 735);
    return p;
}

QuickPanel makeQuickPanel(QFrame* panel, const Twips& twips)
{
    Placer at(panel, twips);
    QuickPanel p;
    const int columns[] = {120, 1440, 2760};
    const int rows[] = {240, 720, 1200};
    const auto cell = [&](const char* name, const QString& caption, int row, int column) {
        return at.button(name, caption, columns[column], rows[row], 1095);
    };
    p.Command11 = cell("Command11", QStringLiteral("计算机"), 0, 0);
    p.Command12 = cell("Command12", QStringLiteral("控制面板"), 0, 1);
    p.Command13 = cell("Command13", QStringLiteral("Internet"), 0, 2);
    p.Command14 = cell("Command14", QStringLiteral("回收站"), 1, 0);
    p.Command15 = cell("Command15", QStringLiteral("宽带连接"), 1, 1);
    p.Command16 = cell("Command16", QStringLiteral("任务管理"), 1, 2);
    p.Command19 = cell("Command19", QStringLiteral("快速关机"), 2, 0);
    p.Command20 = cell("Command20", QStringLiteral("重启"), 2, 1);
    p.Command18 = cell("Command18", QStringLiteral("锁屏"), 2, 2);
    return p;
}

SearchPanel makeSearchPanel(QFrame* panel, const Twips& twips)
{
    Placer at(panel, twips);
    SearchPanel p;
    p.Frame3 = at.add(new QWidget(panel), "Frame3", 240, 120, 2445, 255);
    Placer engines = at.inside(p.Frame3);
    p.Option8 = engines.option("Option8", QStringLiteral("百度"), 120, 0);
    p.Option9 = engines.option("Option9", QStringLiteral("谷歌"), 840, 0);
    p.Option10 = engines.option("Option10", QStringLiteral("狗狗"), 1680, 0);
    for (QRadioButton* option : {p.Option8, p.Option9, p.Option10})
        option->resize(option->width(), p.Frame3->height());
    group(p.Frame3, {p.Option8, p.Option9, p.Option10});
    p.Option8->setChecked(true);

    p.Frame4 = at.add(new QWidget(panel), "Frame4", 240, 360, 2445, 855);
    Placer categories = at.inside(p.Frame4);
    p.Option12 = categories.option("Option12", QStringLiteral("网页"), 120, 120);
    p.Option13 = categories.option("Option13", QStringLiteral("知道"), 840, 120);
    p.Option14 = categories.option("Option14", QStringLiteral("MP3"), 1680, 120);
    p.Option15 = categories.option("Option15", QStringLiteral("图片"), 120, 480);
    p.Option16 = categories.option("Option16", QStringLiteral("视频"), 840, 480);
    p.Option17 = categories.option("Option17", QStringLiteral("新闻"), 1680, 480);
    group(p.Frame4, {p.Option12, p.Option13, p.Option14, p.Option15, p.Option16, p.Option17});
    p.Option12->setChecked(true);

    p.Text3 = at.text("Text3", 240, 1320, 2445, 420);
    p.Command17 = at.button("Command17", QStringLiteral("So一下"), 2760, 1320, 1095);
    return p;
}

TimerPanel makeTimerPanel(QFrame* panel, const Twips& twips)
{
    Placer at(panel, twips);
    TimerPanel p;
    p.Label4[2] = at.label("Label4_2", QStringLiteral("当前时间:"), 120, 240);
    p.Option1 = at.option("Option1", QStringLiteral("定时"), 120, 720);
    p.Text4 = at.text("Text4", 840, 720, 300);
    p.Label4[0] = at.label("Label4_0", QStringLiteral("点"), 1200, 720);
    p.Text5 = at.text("Text5", 1560, 720, 300);
    p.Label4[1] = at.label("Label4_1", QStringLiteral("分"), 1920, 720);
    p.Option2 = at.option("Option2", QStringLiteral("计时"), 120, 1320);
    p.Text6 = at.text("Text6", 840, 1320, 420);
    p.Label4[3] = at.label("Label4_3", QStringLiteral("分"), 1320, 1320);
    p.Command3 = at.button("Command3", QStringLiteral("开始"), 1680, 1320, 495);
    group(panel, {p.Option1, p.Option2});
    p.Option1->setChecked(true);
    p.Text6->setEnabled(false);

    p.Frame1 = at.add(new QGroupBox(panel), "Frame1", 2280, 0, 1695, 1695);
    Placer actions = at.inside(p.Frame1);
    p.Option5 = actions.option("Option5", QStringLiteral("闹钟"), 120, 240);
    p.Option3 = actions.option("Option3", QStringLiteral("关机"), 840, 240);
    p.Option6 = actions.option("Option6", QStringLiteral("注销"), 120, 600);
    p.Option4 = actions.option("Option4", QStringLiteral("重启"), 840, 600);
    p.Option7 = actions.option("Option7", QStringLiteral("执行程序"), 120, 960);
    p.Text7 = actions.text("Text7", 120, 1320, 1455, 270);
    group(p.Frame1, {p.Option5, p.Option3, p.Option6, p.Option4, p.Option7});
    p.Option5->setChecked(true);
    p.Text7->setText(QStringLiteral("请在列表中选择!"));
    p.Text7->setEnabled(false);
    return p;
}
