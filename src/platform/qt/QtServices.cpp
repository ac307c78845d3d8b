#include "QtServices.h"

#include "QtText.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

bool QtMessageBoxes::show(const Box& request)
{
    const bool question = request.buttons == Buttons::OkCancel;
    QMessageBox box(request.icon == Icon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon, toQt(request.title),
                    toQt(request.text), question ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok,
                    QApplication::activeWindow());
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    if (question) {
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
        box.setDefaultButton(request.defaultButton == 1 ? QMessageBox::Cancel : QMessageBox::Ok);
    }
    return box.exec() == QMessageBox::Ok;
}

namespace {

// A Qt menu with the description's items and submenus, in the face of the
// windows' controls; each action carries its item's identity.
void fillMenu(QMenu& menu, const MenuSpec& spec)
{
    menu.setTitle(toQt(spec.caption));
    QFont font(QStringLiteral("微软雅黑"));
    font.setPointSizeF(9);
    menu.setFont(font);
    for (const MenuItemSpec& item : spec.items) {
        if (item.separator) {
            menu.addSeparator();
        } else if (item.submenu) {
            auto* submenu = new QMenu(&menu);
            fillMenu(*submenu, *item.submenu);
            menu.addMenu(submenu);
        } else {
            menu.addAction(toQt(item.caption))->setData(toQt(item.id));
        }
    }
}

}  // namespace

std::optional<std::string> QtPopupMenus::popup(const MenuSpec& spec, PixelPoint at)
{
    QMenu menu;
    fillMenu(menu, spec);
    const QAction* chosen = menu.exec(QPoint(at.x, at.y));
    if (!chosen)
        return std::nullopt;
    return toStd(chosen->data().toString());
}

PixelPoint QtPopupMenus::pointerPosition() const
{
    const QPoint at = QCursor::pos();
    return {at.x(), at.y()};
}

namespace {
QScreen* primaryScreen()
{
    return QGuiApplication::primaryScreen();
}
}  // namespace

double QtScreen::twipsPerPixelX() const
{
    const QScreen* screen = primaryScreen();
    return 1440.0 / (screen ? screen->logicalDotsPerInchX() : 96.0);
}

double QtScreen::twipsPerPixelY() const
{
    const QScreen* screen = primaryScreen();
    return 1440.0 / (screen ? screen->logicalDotsPerInchY() : 96.0);
}

PixelRect QtScreen::geometry() const
{
    const QScreen* screen = primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    return {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
}

// The busy pointer over every window of the program, until it is set back.
void QtBusyPointer::setBusy(bool busy)
{
    if (busy == busy_)
        return;
    busy_ = busy;
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}
