#pragma once

#include "Panels.h"
#include "launcher/Launcher.h"
#include "scheduler/NoticeHost.h"
#include "core/window/DragHandle.h"
#include "core/window/PanelDeck.h"
#include "core/window/Twips.h"

#include <QMenu>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>

class MouseLabel;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QTimer;
struct Platform;

// The main window's variables that outlive the window: a hide destroys the
// window, a show makes it anew, and these keep their values in between.
struct Form2Memory {
    short PanelIndex = 0;
    DragOffset drag;
    short FindStart = 0;
    NoticeHost notices;  // the due-time notice, which outlives the window
};

// The main window: a frameless window dragged by its title strip, with the
// launcher list, its buttons, the star and the viewport of slide-in panels.
// Making it runs the load step: the list is read from the profile.
class Form2 : public QWidget {
    Q_OBJECT
public:
    Form2(Platform& platform, Form2Memory& memory, QWidget* parent = nullptr);
    ~Form2() override;

    // Window geometry in twips.
    static constexpr int kViewportLeft = 240;
    static constexpr int kViewportWidth = 4095;
    static constexpr int kWidthTwips = 2 * kViewportLeft + kViewportWidth;
    static constexpr int kHeightTwips = 6630;

    void ShowPanel(int k);
    void HideAllPanels();
    void Command4_Click();
    void Timer1_Timer();

    // The launcher list's commands.
    void Command1_Click();  // browse for the add panel's path
    void Command2_Click();  // add the item of the add panel
    void Command6_Click();  // delete the current item
    void Command8_Click();  // delete all items
    void List1_Click();
    void Command5_Click();  // start the current item
    void List1_DblClick();  // start it and close the window
    void wenjianmulu_Click();
    void PlaceShortcut(Launcher::Place place);
    void List1_MouseMove(const QPoint& at);

    // The status display.
    void Timer2_Timer();    // the clock, twice a second
    void Label3_DblClick(); // roll the window up to its title strip and back
    bool rolledUp() const;
    static constexpr int kRolledUpTwips = 460;

    // The timer panel and the schedule.
    void Command3_Click();  // start or stop the schedule
    void StartSchedule();
    void StopSchedule();
    void Timer3_Timer();    // the schedule's minute
    ScheduleAction selectedAction() const;

    // The search panel.
    void Command17_Click();  // search the web
    void Text3_DblClick();   // find the next list entry holding the query

    // The text of the selected entry; empty when none is selected.
    QString currentText() const;

    const PanelDeck& panels() const { return deck_; }
    // The caption of the title strip, also the window's name for the system.
    void setTitleStrip(const QString& text);

    // Replaces the profile with the edits of one command. A failure is told
    // in one notice naming the file and the reason; returns whether it saved.
    bool commitProfile(class ProfileEdit& edit);
    struct ProfileAccess profileAccess() const;

    // Controls, named as the rest of the program knows them.
    MouseLabel* Label3 = nullptr;   // title strip
    MouseLabel* Image1 = nullptr;   // background picture
    QListWidget* List1 = nullptr;
    QPushButton* Command5 = nullptr;  // 启动
    QPushButton* Command6 = nullptr;  // 删除
    QPushButton* Command7 = nullptr;  // 添加
    QPushButton* Command8 = nullptr;  // 清空
    QPushButton* Command9 = nullptr;  // 隐藏
    QPushButton* Command10 = nullptr; // 退出
    MouseLabel* Label7 = nullptr;   // star
    QWidget* Picture2 = nullptr;    // panel viewport
    std::array<QFrame*, PanelDeck::kPanelCount> Picture1{};
    // The controls of each panel, made when first needed (at the latest
    // when the panel slides in) with their design values.
    AddPanel& addPanel();        // in Picture1[0]
    QuickPanel& quickPanel();    // in Picture1[1]
    SearchPanel& searchPanel();  // in Picture1[2]
    TimerPanel& timerPanel();    // in Picture1[3]
    QLabel* Label5 = nullptr;       // status: date line
    QLabel* Label6 = nullptr;       // status: address
    QLabel* Label8 = nullptr;       // status: up-time
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QTimer* Timer3 = nullptr;

    QMenu zhucaidan;
    QMenu kuaijiefangshi;
    QMenu xuanxiang;
    QAction* qidong = nullptr;
    QAction* wenjianmulu = nullptr;
    QAction* zaizhuomian = nullptr;
    QAction* zaikaishicaidan = nullptr;
    QAction* zaikuaisuqidong = nullptr;
    QAction* tianjia = nullptr;
    QAction* shanchu = nullptr;
    QAction* qingkong = nullptr;
    QAction* kuaijie = nullptr;
    QAction* dingshi = nullptr;
    QAction* soso = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

signals:
    // The hide button was pressed, or the window manager closed the window
    // (Alt+F4): the owner destroys the window.
    void hideRequested();

private:
    static QString styleSheetText();
    void createControls();
    void createMenus();
    void connectControls();
    void load();
    void placePanels();
    void place(QWidget* widget, int left, int top, int width, int height);
    void popup(QMenu& menu);

    void onStarPressed(QMouseEvent* event);
    void refreshDesktop();

    void makePanelControls(int k);
    void connectListCommands();
    QStringList listEntries() const;
    QString profileFile() const;
    void renewTitleStrip();
    void connectSearchPanel();
    void showTimeInTimerPanel();
    void connectTimerPanel();
    void fireSchedule();

    Platform& platform_;
    Form2Memory& memory_;
    std::optional<AddPanel> addPanel_;
    std::optional<QuickPanel> quickPanel_;
    std::optional<SearchPanel> searchPanel_;
    std::optional<TimerPanel> timerPanel_;
    Twips twips_;
    PanelDeck deck_;
    DragHandle drag_;
    Launcher launcher_;
    int tipRow_ = -1;  // the entry whose path the tooltip shows
};
