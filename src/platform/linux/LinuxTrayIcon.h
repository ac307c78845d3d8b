#pragma once

#include "platform/TrayIcon.h"

#include <QObject>
#include <QSystemTrayIcon>

#include <memory>

// The tray icon on a Linux desktop. Two kinds of notification area exist:
// - XEmbed (the classic X11 tray): the icon is a small window of ours, so a
//   double-click and the release of the right button arrive as such;
// - StatusNotifierItem over D-Bus (KDE; GNOME with the AppIndicator
//   extension): the host reports only "activate" and "context menu", never a
//   double-click, so there the primary activation shows the window.
// Qt picks the kind at start; which one it picked shows in whether it made
// a window for the icon.
class LinuxTrayIcon final : public QObject, public TrayIcon {
public:
    LinuxTrayIcon();
    ~LinuxTrayIcon() override;

    Result install(TrayPicture picture, const std::string& tip, Handler handler) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onActivated(QSystemTrayIcon::ActivationReason reason);

    std::unique_ptr<QSystemTrayIcon> icon_;
    Handler handler_;
};
