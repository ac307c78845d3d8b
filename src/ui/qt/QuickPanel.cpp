#include "QuickPanel.h"

#include "Placement.h"

#include <QFrame>
#include <QPushButton>

QuickPanel::QuickPanel(QFrame* frame, const Twips& twips, Services& services) : presenter_(services)
{
    Placer at(frame, twips);
    const int columns[] = {120, 1440, 2760};
    const int rows[] = {240, 720, 1200};
    using Chosen = void (QuickButtonsPresenter::*)();
    struct Cell {
        const char* name;
        const char* caption;
        Chosen chosen;  // nullptr for the buttons wired by the window
    };
    const Cell cells[3][3] = {
        {{"computerButton", "计算机", &QuickButtonsPresenter::computerChosen},
         {"controlPanelButton", "控制面板", &QuickButtonsPresenter::controlPanelChosen},
         {"internetButton", "Internet", &QuickButtonsPresenter::internetChosen}},
        {{"recycleBinButton", "回收站", &QuickButtonsPresenter::recycleBinChosen},
         {"dialUpButton", "宽带连接", nullptr},
         {"taskManagerButton", "任务管理", &QuickButtonsPresenter::taskManagerChosen}},
        {{"quickPowerOffButton", "快速关机", &QuickButtonsPresenter::powerOffChosen},
         {"rebootButton", "重启", &QuickButtonsPresenter::restartChosen},
         {"lockButton", "锁屏", nullptr}},
    };
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const Cell& cell = cells[row][column];
            QPushButton* button =
                at.button(cell.name, QString::fromUtf8(cell.caption), columns[column], rows[row], 1095);
            if (cell.chosen) {
                QObject::connect(button, &QPushButton::clicked, button,
                                 [this, chosen = cell.chosen] { (presenter_.*chosen)(); });
            }
            if (row == 1 && column == 1)
                dialUpButton_ = button;
            if (row == 2 && column == 2)
                lockButton_ = button;
        }
    }
}
