#include "QtServices.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>


void QtMessageBoxes::inform(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}

bool QtMessageBoxes::confirm(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

QAction* QtPopupMenus::popup(QMenu& menu, const QPoint& globalPos)
{
    return menu.exec(globalPos);
}

QPoint QtPopupMenus::pointerPosition() const
{
    return QCursor::pos();
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

QRect QtScreen::geometry() const
{
    const QScreen* screen = primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}
