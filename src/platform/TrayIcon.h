#pragma once

#include "core/Result.h"
#include "core/app/TrayHostPresenter.h"

#include <QIcon>
#include <QPoint>
#include <QString>

#include <functional>

// The program's icon in the notification area. Where there is no
// notification area yet, the icon appears when one starts.
class TrayIcon {
public:
    using Handler = std::function<void(TrayEvent)>;

    virtual ~TrayIcon() = default;
    virtual Result install(const QIcon& icon, const QString& tip, Handler handler) = 0;
};
