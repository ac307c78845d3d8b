#include "Form4.h"

#include "app/MouseLabel.h"
#include "core/window/LeadingNumber.h"
#include "platform/Platform.h"

#include <QPushButton>
#include <QTimer>

namespace {

QColor fromBgr(unsigned bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

QString actionName(PowerAction action)
{
    switch (action) {
    case PowerAction::PowerOff: return QStringLiteral("关机");
    case PowerAction::Reboot: return QStringLiteral("重启");
    case PowerAction::LogOff: return QStringLiteral("注销");
    }
    return {};
}

std::optional<PowerAction> powerActionFor(ScheduleAction action)
{
    switch (action) {
    case ScheduleAction::PowerOff: return PowerAction::PowerOff;
    case ScheduleAction::Reboot: return PowerAction::Reboot;
    case ScheduleAction::LogOff: return PowerAction::LogOff;
    case ScheduleAction::Alarm:
    case ScheduleAction::RunProgram: break;
    }
    return std::nullopt;
}

}  // namespace

Form4::Form4(Platform& platform, std::function<ScheduleAction()> chosenAction, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , platform_(platform)
    , chosenAction_(std::move(chosenAction))
    , twips_(platform.screen.twipsPerPixelX())
    , drag_(dragOffset_)
{
    createControls();
    load();
}

void Form4::createControls()
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("定时提示"));
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    setPalette(grey);
    setAutoFillBackground(true);
    setFixedSize(twips_.toPixels(kWidthTwips), twips_.toPixels(kHeightTwips));

    QFont uiFont(QStringLiteral("微软雅黑"));
    uiFont.setPointSizeF(10.5);

    Label6 = new MouseLabel(this);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setStyleSheet(QStringLiteral("background: #d9e4f2; border: 1px solid #6f93c4;"));

    Label4 = new MouseLabel(QStringLiteral("★定时提示★"), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setAlignment(Qt::AlignCenter);
    Label4->setTextFormat(Qt::PlainText);
    uiFont.setBold(true);
    Label4->setFont(uiFont);
    Label4->setStyleSheet(QStringLiteral("color: white; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
                                         "stop:0 #3a6fb5, stop:1 #1d4f91);"));
    uiFont.setBold(false);

    Label1 = new QLabel(QStringLiteral("时间到!!"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setTextFormat(Qt::PlainText);
    QFont big(QStringLiteral("幼圆"));
    big.setPointSize(36);
    Label1->setFont(big);
    setMessageColour(kRed);
    place(Label1, 480, 840, 2880, 720);

    const auto makeButton = [this, &uiFont](const char* name, const QString& caption) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(name));
        button->setFont(uiFont);
        return button;
    };
    Command4 = makeButton("Command4", QStringLiteral("立刻执行"));
    Command1 = makeButton("Command1", QStringLiteral("停止响铃"));
    Command3 = makeButton("Command3", QStringLiteral("取消"));
    place(Command4, 480, 1800, 1215, 375);
    place(Command1, 1200, 1800, 1335, 375);
    place(Command3, 2160, 1800, 1215, 375);

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    Timer2 = new QTimer(this);
    Timer2->setInterval(500);

    connect(Timer1, &QTimer::timeout, this, &Form4::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &Form4::Timer2_Timer);
    connect(Command4, &QPushButton::clicked, this, &Form4::Command4_Click);
    connect(Command1, &QPushButton::clicked, this, &Form4::unloadRequested);
    connect(Command3, &QPushButton::clicked, this, &Form4::unloadRequested);
    for (MouseLabel* handle : {Label4, Label6})
        dragWindowBy(handle, this, drag_);
}

// The load step: the alarm rings and flashes, any other action counts down.
void Form4::load()
{
    raise();
    if (chosenAction_() == ScheduleAction::Alarm) {
        Command1->show();
        Command3->hide();
        Command4->hide();
        Label1->setText(QStringLiteral("时间到!!!"));
        Timer1->stop();
        Timer2->start();
    } else {
        Command1->hide();
        Command3->show();
        Command4->show();
        Label1->setText(QStringLiteral("10"));
        Timer1->start();
        Timer2->stop();
    }
    place(Label4, 50, 50, kWidthTwips - 100, 350);
    place(Label6, 50, 450, kWidthTwips - 100, kHeightTwips - 500);
    Label1->raise();

    const QRect screen = platform_.screen.geometry();
    move(screen.x() + (screen.width() - width()) / 2, screen.y() + (screen.height() - height()) / 2);
}

void Form4::place(QWidget* widget, int left, int top, int width, int height)
{
    widget->setGeometry(twips_.toPixels(left), twips_.toPixels(top), twips_.toPixels(width),
                        twips_.toPixels(height));
}

void Form4::setMessageColour(unsigned bgr)
{
    colour_ = bgr;
    QPalette palette = Label1->palette();
    palette.setColor(QPalette::WindowText, fromBgr(bgr));
    Label1->setPalette(palette);
}

void Form4::Timer1_Timer()
{
    const int left = int(leadingNumber(Label1->text().toStdString())) - 1;
    Label1->setText(QString::number(left));
    if (left == 0)
        Command4_Click();
}

void Form4::Timer2_Timer()
{
    // The ring plays on its own, so the flashing keeps its pace; a missing
    // sound goes unreported.
    platform_.sound.playRing(platform_.appFolder.path() + QStringLiteral("/Ring.wav"));
    setMessageColour(colour_ == kRed ? kCyan : kRed);
}

// Runs the action chosen now, not the one chosen when the schedule fired.
// The call returns at once; a failure is told when its answer comes, also
// if the notice is gone by then.
void Form4::Command4_Click()
{
    Timer1->stop();
    if (const std::optional<PowerAction> action = powerActionFor(chosenAction_())) {
        MessageBoxes& messages = platform_.messages;
        platform_.power.request(*action, [&messages, what = actionName(*action)](const PlatformResult& result) {
            if (!result.ok())
                messages.inform(nullptr, QStringLiteral("提示"), QStringLiteral("%1失败：%2").arg(what, result.reason));
        });
    }
    hide();
}


