// Renders the windows that only show after a wait (the panels, the timer
// panel, the alarm notice, the countdown notice) to PNG files, headless and
// with stand-in services, so that they can be looked at.
//
// Usage: ombrel_gallery FOLDER

#include "../ui/FakePlatform.h"
#include "ui/qt/AppSession.h"
#include "ui/qt/DialUpDialog.h"
#include "ui/qt/DueNoticeWindow.h"
#include "ui/qt/LockSetupWindow.h"
#include "ui/qt/LockWindow.h"
#include "ui/qt/TimerPanel.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

void save(QWidget& widget, const QString& file)
{
    QApplication::processEvents();
    if (!widget.grab().save(file))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    else
        std::printf("wrote %s\n", qPrintable(file));
}

// Shows a panel and runs its slide to the end.
void slideIn(MainWindow& window, Panel panel)
{
    window.frame().presenter().showPanel(panel);
    while (window.frame().slideTimer()->isActive())
        window.frame().presenter().slideTick();
}

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: ombrel_gallery FOLDER\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir appFolder;
    FakePlatform fakes(appFolder.path().toStdString());
    {
        AppSession session(fakes.platform);
        session.showMainWindow();
        MainWindow& window = *session.mainWindow();
        const std::pair<Panel, const char*> panels[] = {
            {Panel::AddItem, "add-panel"}, {Panel::QuickButtons, "quick-panel"}, {Panel::Search, "search-panel"}};
        for (const auto& [panel, name] : panels) {
            slideIn(window, panel);
            save(window, out + QStringLiteral("/%1.png").arg(QLatin1String(name)));
        }
        slideIn(window, Panel::Timer);
        TimerPanel& panel = window.timerPanel();
        panel.modeOption(ScheduleMode::Countdown)->click();
        panel.box(TimeBox::Minutes)->setText(QStringLiteral("1"));
        window.clockTick();
        save(window, out + QStringLiteral("/timer-panel.png"));

        panel.startButton()->click();
        save(window, out + QStringLiteral("/timer-panel-running.png"));
        panel.presenter().minuteTick();
        session.dueNotice()->presenter().flashTick();
        save(*session.dueNotice(), out + QStringLiteral("/alarm-notice.png"));
        session.dueNotice()->stopRingButton()->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        panel.actionOption(ScheduleAction::PowerOff)->click();
        panel.box(TimeBox::Minutes)->setText(QStringLiteral("1"));
        panel.startButton()->click();
        panel.presenter().minuteTick();
        for (int i = 0; i < 3; ++i)
            session.dueNotice()->presenter().countdownTick();
        save(*session.dueNotice(), out + QStringLiteral("/countdown-notice.png"));
        session.dueNotice()->cancelButton()->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        session.showDialUp();
        DialUpDialog& dialUp = *session.dialUp();
        dialUp.setTexts("宽带连接", "user@163", "secret");
        dialUp.setStatus("正在连接 宽带连接...");
        save(dialUp, out + QStringLiteral("/dial-up-dialog.png"));
        dialUp.cancelButton()->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        session.showLockSetup();
        LockSetupWindow& setup = *session.lockSetup();
        setup.passwordBox()->setText(QStringLiteral("secret"));
        save(setup, out + QStringLiteral("/lock-setup.png"));
        setup.repeatBox()->setText(QStringLiteral("secret"));
        setup.okButton()->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        LockWindow& lock = *session.lockWindow();
        lock.entry()->setText(QStringLiteral("secret"));
        lock.presenter().pointerOverUnlock();
        save(lock, out + QStringLiteral("/lock-window.png"));
        lock.presenter().unlockClicked();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        session.hideMainWindow();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
