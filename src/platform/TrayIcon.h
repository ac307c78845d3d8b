#pragma once

#include "Result.h"

#include <QIcon>
#include <QPoint>
#include <QString>

#include <functional>

// What happened at the tray icon, as the program tells it apart.
enum class TrayEvent {
    Show,         // left double-click (or the primary activation where no double-click exists)
    MenuRequest,  // right button released
    Other,        // pointer moves, single clicks, other buttons
};

// The program's icon in the notification area. Where there is no
// notification area yet, the icon appears when one starts.
class TrayIcon {
public:
    using Handler = std::function<void(TrayEvent)>;

    virtual ~TrayIcon() = default;
    virtual PlatformResult install(const QIcon& icon, const QString& tip, Handler handler) = 0;
};
