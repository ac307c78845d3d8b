#include "Form2.h"

#include "Art.h"
#include "MouseLabel.h"
#include "core/launcher/ListOrder.h"
#include "core/launcher/ListIndex.h"
#include "core/window/TitleText.h"
#include "core/status/StatusText.h"
#include "platform/Platform.h"
#include "core/profile/Profile.h"
#include "QtText.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace {

const QString kUiFont = QStringLiteral("微软雅黑");
const QString kStatusFont = QStringLiteral("幼圆");

QFont makeFont(const QString& family, double points, bool bold = false)
{
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

}  // namespace

Form2::Form2(Platform& platform, Form2Memory& memory, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , platform_(platform)
    , memory_(memory)
    , twips_(platform.screen.twipsPerPixelX())
    , deck_(memory.PanelIndex)
    , drag_(memory.drag)
    , launcher_(platform)
{
    createControls();
    createMenus();
    connectControls();
    load();
    // The notice reads the action from this window's timer panel while the
    // window lives, and the design choice after it is gone.
    memory_.notices.setActionSource([window = QPointer<Form2>(this)] {
        return window ? window->selectedAction() : ScheduleAction::Alarm;
    });
}

Form2::~Form2() = default;

// One style sheet for the whole window: cheaper to apply than one per control.
QString Form2::styleSheetText()
{
    const auto hex = [](unsigned rgb) { return QStringLiteral("#%1").arg(rgb, 6, 16, QLatin1Char('0')); };
    return QStringLiteral(
               "#Label3 { color: white; padding-left: 6px;"
               "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); }"
               "#List1 { color: rgb(0,0,255); background: rgb(192,192,192); border: 1px solid #7f8fa6; }"
               "#List1::item:selected { color: white; background: rgb(0,0,128); }"
               "QPushButton { color: #17365d; border: 1px solid #6f93c4; border-radius: 3px;"
               "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #dbe7f6); }"
               "QPushButton:hover { border-color: #2f66b3; background: #eef5ff; }"
               "QPushButton:pressed { background: #c5d8f1; }"
               "#Label7 { color: #d08a00; }"
               "#Picture2 { background: rgba(255,255,255,150); border: 1px solid #8fb0da; }"
               "#Label5, #Label6, #Label8, #Label4_2 { color: rgb(0,0,255); }"
               ".QFrame[panel=\"true\"] { background: #eef4fb; border: 1px solid #8fb0da; }"
               "#Text1, #Text2 { background: rgb(224,224,224); border: 1px solid #8fa3bf; }")
        .arg(hex(art::kTitleTop), hex(art::kTitleBottom));
}

void Form2::createControls()
{
    setObjectName(QStringLiteral("Form2"));
    QPalette frame = palette();
    frame.setColor(QPalette::Window, QColor(art::kFrameColor));
    setPalette(frame);
    setAutoFillBackground(true);

    Image1 = new MouseLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setMouseTracking(true);

    Label3 = new MouseLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setFont(makeFont(kUiFont, 10.5, true));
    Label3->setTextFormat(Qt::PlainText);

    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setFont(makeFont(kUiFont, 10.5));
    List1->viewport()->installEventFilter(this);
    List1->viewport()->setMouseTracking(true);

    const QFont buttonFont = makeFont(kUiFont, 9);
    const auto makeButton = [this, &buttonFont](const char* name, const QString& caption) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(name));
        button->setFont(buttonFont);
        button->setFocusPolicy(Qt::TabFocus);
        return button;
    };
    Command5 = makeButton("Command5", QStringLiteral("启动"));
    Command6 = makeButton("Command6", QStringLiteral("删除"));
    Command7 = makeButton("Command7", QStringLiteral("添加"));
    Command8 = makeButton("Command8", QStringLiteral("清空"));
    Command9 = makeButton("Command9", QStringLiteral("隐藏"));
    Command10 = makeButton("Command10", QStringLiteral("退出"));

    Label7 = new MouseLabel(QStringLiteral("☆"), this);
    Label7->setObjectName(QStringLiteral("Label7"));
    Label7->setMouseTracking(true);
    Label7->setAlignment(Qt::AlignCenter);
    Label7->setFont(makeFont(kUiFont, 14, true));

    Picture2 = new QWidget(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setAttribute(Qt::WA_StyledBackground);

    // The status labels lie beneath the panels and show whenever no panel covers them.
    const QFont statusFont = makeFont(kStatusFont, 12);
    const auto makeStatus = [this, &statusFont](const char* name, const QString& caption) {
        auto* label = new QLabel(caption, Picture2);
        label->setObjectName(QLatin1String(name));
        label->setFont(statusFont);
        // Plain text: a label left to guess the format costs several times
        // as much to redraw, and these change every second.
        label->setTextFormat(Qt::PlainText);
        return label;
    };
    Label5 = makeStatus("Label5", QStringLiteral("时钟"));
    Label6 = makeStatus("Label6", QStringLiteral("IP地址"));
    Label8 = makeStatus("Label8", QStringLiteral("运行时间"));

    for (int i = 0; i < PanelDeck::kPanelCount; ++i) {
        auto* panel = new QFrame(Picture2);
        panel->setObjectName(QStringLiteral("Picture1_%1").arg(i));
        panel->setProperty("panel", true);
        Picture1[i] = panel;
    }

    setStyleSheet(styleSheetText());

    Timer1 = new QTimer(this);
    Timer1->setInterval(10);
    Timer2 = new QTimer(this);
    Timer2->setInterval(500);
    Timer3 = new QTimer(this);
    Timer3->setInterval(60'000);
}

void Form2::createMenus()
{
    zhucaidan.setTitle(QStringLiteral("主菜单"));
    qidong = zhucaidan.addAction(QStringLiteral("启动"));
    wenjianmulu = zhucaidan.addAction(QStringLiteral("文件目录"));
    kuaijiefangshi.setTitle(QStringLiteral("快捷方式"));
    zhucaidan.addMenu(&kuaijiefangshi);
    zaizhuomian = kuaijiefangshi.addAction(QStringLiteral("在桌面"));
    zaikaishicaidan = kuaijiefangshi.addAction(QStringLiteral("在开始菜单"));
    zaikuaisuqidong = kuaijiefangshi.addAction(QStringLiteral("在快速启动"));
    tianjia = zhucaidan.addAction(QStringLiteral("添加"));
    shanchu = zhucaidan.addAction(QStringLiteral("删除"));
    qingkong = zhucaidan.addAction(QStringLiteral("清空"));

    xuanxiang.setTitle(QStringLiteral("选项"));
    kuaijie = xuanxiang.addAction(QStringLiteral("快捷按键"));
    dingshi = xuanxiang.addAction(QStringLiteral("定时选项"));
    soso = xuanxiang.addAction(QStringLiteral("搜索引擎"));

    for (QMenu* menu : {&zhucaidan, &kuaijiefangshi, &xuanxiang})
        menu->setFont(makeFont(kUiFont, 9));
}

void Form2::connectControls()
{
    connect(Timer1, &QTimer::timeout, this, &Form2::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &Form2::Timer2_Timer);
    connect(Timer3, &QTimer::timeout, this, &Form2::Timer3_Timer);
    connect(Label3, &MouseLabel::doubleClicked, this, &Form2::Label3_DblClick);

    for (MouseLabel* handle : {Label3, Image1})
        dragWindowBy(handle, this, drag_);
    connect(Label3, &MouseLabel::clicked, this, &Form2::refreshDesktop);
    connect(Image1, &MouseLabel::moved, this, [this] { Label7->setText(QStringLiteral("☆")); });
    connect(Label7, &MouseLabel::moved, this, [this] { Label7->setText(QStringLiteral("★")); });
    connect(Label7, &MouseLabel::pressed, this, &Form2::onStarPressed);

    connect(Command7, &QPushButton::clicked, this, [this] { ShowPanel(0); });
    connect(tianjia, &QAction::triggered, this, [this] { ShowPanel(0); });
    connect(kuaijie, &QAction::triggered, this, [this] { ShowPanel(1); });
    connect(soso, &QAction::triggered, this, [this] { ShowPanel(2); });
    connect(dingshi, &QAction::triggered, this, [this] { ShowPanel(3); });

    connectListCommands();
    connect(Command9, &QPushButton::clicked, this, &Form2::hideRequested);
    connect(Command10, &QPushButton::clicked, this, [this] { platform_.process.exitNow(); });
}

// The load step, run each time the window is made.
void Form2::load()
{
    std::vector<std::string> entries = readListIndex(ProfileSnapshot(profileAccess(), toStd(profileFile())));
    // The list box is sorted: entries go to their sorted places as they are added.
    ListOrder(platform_.collation).sort(entries);
    List1->addItems(toQt(entries));
    renewTitleStrip();
    Label5->setText(QLatin1Char(' ') + toQt(dateLine(platform_.clock.now())));

    const int width = twips_.toPixels(kWidthTwips);
    const int height = twips_.toPixels(kHeightTwips);
    setFixedSize(width, height);
    place(Label3, 50, 50, kWidthTwips - 110, 350);
    place(Image1, 50, 450, kWidthTwips - 110, kHeightTwips - 520);
    Image1->setPixmap(art::background(Image1->size()));

    place(List1, 240, 600, 2775, 3810);
    const std::array buttons{Command5, Command6, Command7, Command8, Command9, Command10};
    for (std::size_t i = 0; i < buttons.size(); ++i)
        place(buttons[i], 3240, 600 + 600 * int(i), 975, 375);
    place(Label7, 3530, 4080, 360, 360);
    place(Picture2, kViewportLeft, 4560, kViewportWidth, 1860);
    Label5->move(twips_.toPixels(60), twips_.toPixels(120));
    Label6->move(twips_.toPixels(180), twips_.toPixels(480));
    Label8->move(twips_.toPixels(180), twips_.toPixels(840));

    HideAllPanels();

    Label6->setText(QStringLiteral("IP地址:") + platform_.system.localAddress());
    Label8->clear();
    for (QLabel* label : {Label5, Label6, Label8})
        label->adjustSize();
    Timer2->start();

    const QRect screen = platform_.screen.geometry();
    move(screen.x() + (screen.width() - width) / 2, screen.y() + (screen.height() - height) / 2);
}

void Form2::setTitleStrip(const QString& text)
{
    Label3->setText(text);
    setWindowTitle(text);
}

void Form2::place(QWidget* widget, int left, int top, int width, int height)
{
    widget->setGeometry(twips_.toPixels(left), twips_.toPixels(top), twips_.toPixels(width),
                        twips_.toPixels(height));
}

void Form2::placePanels()
{
    for (int i = 0; i < PanelDeck::kPanelCount; ++i)
        place(Picture1[i], 0, deck_.top(i), kViewportWidth, 1875);
    Picture1[deck_.topmost()]->raise();
    if (deck_.timerEnabled() && !Timer1->isActive())
        Timer1->start();
    else if (!deck_.timerEnabled())
        Timer1->stop();
}

AddPanel& Form2::addPanel()
{
    if (!addPanel_) {
        addPanel_ = makeAddPanel(Picture1[0], twips_);
        connect(addPanel_->Command4, &QPushButton::clicked, this, &Form2::Command4_Click);
        connect(addPanel_->Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
        connect(addPanel_->Command2, &QPushButton::clicked, this, &Form2::Command2_Click);
    }
    return *addPanel_;
}

QuickPanel& Form2::quickPanel()
{
    if (!quickPanel_)
        quickPanel_ = makeQuickPanel(Picture1[1], twips_);
    return *quickPanel_;
}

SearchPanel& Form2::searchPanel()
{
    if (!searchPanel_) {
        searchPanel_ = makeSearchPanel(Picture1[2], twips_);
        connectSearchPanel();
    }
    return *searchPanel_;
}

TimerPanel& Form2::timerPanel()
{
    if (!timerPanel_) {
        timerPanel_ = makeTimerPanel(Picture1[3], twips_);
        showTimeInTimerPanel();
        connectTimerPanel();
    }
    return *timerPanel_;
}

void Form2::makePanelControls(int k)
{
    switch (k) {
    case 0: addPanel(); break;
    case 1: quickPanel(); break;
    case 2: searchPanel(); break;
    case 3: timerPanel(); break;
    default: break;
    }
}

void Form2::ShowPanel(int k)
{
    makePanelControls(k);
    deck_.showPanel(k);
    placePanels();
}

void Form2::HideAllPanels()
{
    deck_.hideAllPanels();
    placePanels();
}

// Cancel on the add panel: empty the boxes and put the panel away at once,
// without a slide.
void Form2::Command4_Click()
{
    addPanel().Text1->clear();
    addPanel().Text2->clear();
    deck_.hidePanelAtOnce(0);
    placePanels();
}

void Form2::Timer1_Timer()
{
    deck_.tick();
    placePanels();
}

void Form2::popup(QMenu& menu)
{
    platform_.menus.popup(menu, platform_.menus.pointerPosition());
}



void Form2::onStarPressed(QMouseEvent* event)
{
    if (pressedButton(event) == 1)
        popup(xuanxiang);
    else if (pressedButton(event) == 2)
        HideAllPanels();
}

// A close from the window manager unloads the window, as the hide button does,
// so the tray can make it anew.
void Form2::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit hideRequested();
}

bool Form2::eventFilter(QObject* watched, QEvent* event)
{
    if (searchPanel_ && watched == searchPanel_->Text3) {
        if (event->type() == QEvent::MouseButtonDblClick
            && static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton)
            Text3_DblClick();
        return QWidget::eventFilter(watched, event);
    }
    if (watched != List1->viewport())
        return QWidget::eventFilter(watched, event);
    const auto mouse = [event] { return static_cast<const QMouseEvent*>(event); };
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        // The menu acts on the entry that was current before the press.
        if (mouse()->button() == Qt::RightButton) {
            popup(zhucaidan);
            return true;
        }
        break;
    case QEvent::MouseButtonDblClick:
        if (mouse()->button() == Qt::LeftButton)
            List1_DblClick();
        break;
    case QEvent::MouseMove:
        if (mouse()->buttons() == Qt::NoButton)
            List1_MouseMove(mouse()->position().toPoint());
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool Form2::commitProfile(ProfileEdit& edit)
{
    const ProfileResult result = edit.commit();
    if (!result.ok())
        platform_.messages.inform(this, QStringLiteral("提示"), toQt(result.message()));
    return result.ok();
}

ProfileAccess Form2::profileAccess() const
{
    return {platform_.fileStore, platform_.codePage};
}

void Form2::refreshDesktop()
{
    // Nothing is shown when there is no desktop window to refresh.
    platform_.desktop.refresh();
}
