#include "QuickPanel.h"

#include "Placement.h"

#include <QFrame>
#include <QPushButton>

QuickPanel::QuickPanel(QFrame* frame, const Twips& twips)
{
    Placer at(frame, twips);
    const int columns[] = {120, 1440, 2760};
    const int rows[] = {240, 720, 1200};
    struct Cell {
        const char* name;
        const char* caption;
    };
    const Cell cells[3][3] = {
        {{"computerButton", "计算机"}, {"controlPanelButton", "控制面板"}, {"internetButton", "Internet"}},
        {{"recycleBinButton", "回收站"}, {"dialUpButton", "宽带连接"}, {"taskManagerButton", "任务管理"}},
        {{"quickPowerOffButton", "快速关机"}, {"rebootButton", "重启"}, {"lockButton", "锁屏"}},
    };
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const Cell& cell = cells[row][column];
            QPushButton* button =
                at.button(cell.name, QString::fromUtf8(cell.caption), columns[column], rows[row], 1095);
            if (row == 1 && column == 1)
                dialUpButton_ = button;
            if (row == 2 && column == 2)
                lockButton_ = button;
        }
    }
}
