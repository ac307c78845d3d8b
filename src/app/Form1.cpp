#include "Form1.h"

#include "Art.h"
#include "core/window/TitleText.h"
#include "QtText.h"
#include "platform/Platform.h"

#include <QGuiApplication>
#include <QListWidget>

#include <cstdio>

void Form1::DeleteLater::operator()(QObject* object) const
{
    // The window may be destroyed from inside one of its own handlers.
    object->deleteLater();
}

Form1::Form1(Platform& platform, QObject* parent)
    : QObject(parent)
    , platform_(platform)
    , icon_(art::appIcon())
{
    // One icon for the tray and, as the application's icon, for every window.
    QGuiApplication::setWindowIcon(icon_);
    caidan.setTitle(QStringLiteral("菜单"));
    xianshi = caidan.addAction(QStringLiteral("显示"));
    tuichu = caidan.addAction(QStringLiteral("退出"));
    connect(xianshi, &QAction::triggered, this, &Form1::showMainWindow);
    connect(tuichu, &QAction::triggered, this, [this] { platform_.process.exitNow(); });
}

Form1::~Form1() = default;

bool Form1::start(InstanceLock& lock)
{
    const InstanceLock::Outcome outcome = lock.acquire();
    if (outcome.anotherRunning)
        return false;
    if (!outcome.problem.isEmpty())
        std::fprintf(stderr, "ombrel: running without the one-copy check: %s\n", qPrintable(outcome.problem));
    showMainWindow();
    WindowStyle();
    return true;
}

void Form1::showMainWindow()
{
    if (form2_) {
        if (form2_->isMinimized())
            form2_->showNormal();
        form2_->raise();
        form2_->activateWindow();
        return;
    }
    form2_.reset(new Form2(platform_, memory_));
    connect(form2_.get(), &Form2::hideRequested, this, &Form1::hideMainWindow);
    form2_->show();
}

void Form1::hideMainWindow()
{
    if (!form2_)
        return;
    form2_->hide();
    form2_.reset();
}

void Form1::WindowStyle()
{
    // The tip counts the list as it is now and is never updated afterwards.
    const qsizetype count = form2_ ? form2_->List1->count() : 0;
    const PlatformResult installed = platform_.tray.install(
        icon_, toQt(trayTipText(std::size_t(count), platform_.codePage)), [this](TrayEvent event) { onTrayEvent(event); });
    if (!installed.ok())
        std::fprintf(stderr, "ombrel: tray icon: %s\n", qPrintable(installed.reason));
}

void Form1::onTrayEvent(TrayEvent event)
{
    switch (event) {
    case TrayEvent::Show:
        showMainWindow();
        break;
    case TrayEvent::MenuRequest:
        platform_.menus.popup(caidan, platform_.menus.pointerPosition());
        break;
    case TrayEvent::Other:
        break;
    }
}
