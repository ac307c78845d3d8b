#pragma once

#include <array>

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;
class Twips;

// The controls of the four slide-in panels, made with their design values.
// What the controls do is wired by the window that holds them.

struct AddPanel {  // panel 0: a new list item
    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;  // path
    QLabel* Label2 = nullptr;
    QLineEdit* Text2 = nullptr;  // name
    QPushButton* Command1 = nullptr;  // 浏览
    QPushButton* Command4 = nullptr;  // 取消
    QPushButton* Command2 = nullptr;  // 确定
};

struct QuickPanel {  // panel 1: quick system buttons
    QPushButton* Command11 = nullptr;
    QPushButton* Command12 = nullptr;
    QPushButton* Command13 = nullptr;
    QPushButton* Command14 = nullptr;
    QPushButton* Command15 = nullptr;
    QPushButton* Command16 = nullptr;
    QPushButton* Command19 = nullptr;
    QPushButton* Command20 = nullptr;
    QPushButton* Command18 = nullptr;
};

struct SearchPanel {  // panel 2: web search
    QWidget* Frame3 = nullptr;
    QRadioButton* Option8 = nullptr;   // 百度
    QRadioButton* Option9 = nullptr;   // 谷歌
    QRadioButton* Option10 = nullptr;  // 狗狗
    QWidget* Frame4 = nullptr;
    QRadioButton* Option12 = nullptr;  // 网页
    QRadioButton* Option13 = nullptr;  // 知道
    QRadioButton* Option14 = nullptr;  // MP3
    QRadioButton* Option15 = nullptr;  // 图片
    QRadioButton* Option16 = nullptr;  // 视频
    QRadioButton* Option17 = nullptr;  // 新闻
    QLineEdit* Text3 = nullptr;
    QPushButton* Command17 = nullptr;
};

struct TimerPanel {  // panel 3: the schedule
    std::array<QLabel*, 4> Label4{};
    QRadioButton* Option1 = nullptr;  // 定时
    QRadioButton* Option2 = nullptr;  // 计时
    QLineEdit* Text4 = nullptr;
    QLineEdit* Text5 = nullptr;
    QLineEdit* Text6 = nullptr;
    QPushButton* Command3 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton* Option5 = nullptr;  // 闹钟
    QRadioButton* Option3 = nullptr;  // 关机
    QRadioButton* Option6 = nullptr;  // 注销
    QRadioButton* Option4 = nullptr;  // 重启
    QRadioButton* Option7 = nullptr;  // 执行程序
    QLineEdit* Text7 = nullptr;
};

AddPanel makeAddPanel(QFrame* panel, const Twips& twips);
QuickPanel makeQuickPanel(QFrame* panel, const Twips& twips);
SearchPanel makeSearchPanel(QFrame* panel, const Twips& twips);
TimerPanel makeTimerPanel(QFrame* panel, const Twips& twips);
