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
