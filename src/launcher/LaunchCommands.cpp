// The main window's commands that start an item, open its folder, place a
// shortcut to it, and show its path under the pointer.

#include "app/Form2.h"
#include "core/launcher/ItemText.h"
#include "core/profile/Profile.h"
#include "app/QtText.h"

#include <QListWidget>

namespace {
const QString kNotice = QStringLiteral("提示");
}

void Form2::Command5_Click()
{
    const QString current = currentText();
    if (current.isEmpty()) {
        platform_.messages.inform(this, kNotice, QStringLiteral("请选择要启动的项目!"));
        return;
    }
    if (List1->count() > 0)
        launcher_.LaunchItem(current, this);
}

// A double-click starts the item and closes the window, but only once the
// start got through: after a message or a failure the window stays.
void Form2::List1_DblClick()
{
    const QString current = currentText();
    if (current.isEmpty()) {
        platform_.messages.inform(this, kNotice, QStringLiteral("请选择要启动的项目!"));
        return;
    }
    if (List1->count() > 0 && launcher_.LaunchItem(current, this))
        emit hideRequested();
}

void Form2::wenjianmulu_Click()
{
    const QString current = currentText();
    if (current.isEmpty()) {
        platform_.messages.inform(this, kNotice, QStringLiteral("请选择打开目录的项目!"));
        return;
    }
    if (List1->count() > 0)
        launcher_.openFolder(current, this);
}

void Form2::PlaceShortcut(Launcher::Place place)
{
    launcher_.PlaceShortcut(currentText(), place, this);
}

// The tooltip names the path of the entry under the pointer; below the last
// entry it shows nothing. The profile is read when the pointer reaches
// another entry, not at every move.
void Form2::List1_MouseMove(const QPoint& at)
{
    const int row = List1->indexAt(at).row();
    if (row >= 0 && row == tipRow_)
        return;
    tipRow_ = row;
    if (row < 0)
        List1->setToolTip(QString());
    else
        List1->setToolTip(QStringLiteral("路径:") + toQt(GetINI(profileAccess(), toStd(List1->item(row)->text()), std::string(kFilenameKey), toStd(profileFile()))));
}
