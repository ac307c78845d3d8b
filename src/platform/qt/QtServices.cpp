#include "QtServices.h"

#include "QtText.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

void QtMessageBoxes::inform(const std::string& title, const std::string& text)
{
    QMessageBox box(QMessageBox::Information, toQt(title), toQt(text), QMessageBox::Ok, QApplication::activeWindow());
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}

bool QtMessageBoxes::confirm(const std::string& title, const std::string& text)
{
    QMessageBox box(QMessageBox::Warning, toQt(title), toQt(text), QMessageBox::Ok | QMessageBox::Cancel,
                    QApplication::activeWindow());
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
