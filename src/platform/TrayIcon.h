#pragma once

#include "core/Result.h"
#include "core/app/TrayHostPresenter.h"

#include <functional>
#include <string>

// The pictures a tray icon can show.
enum class TrayPicture { Application };

// The program's icon in the notification area. Where there is no
// notification area yet, the icon appears when one starts.
class TrayIcon {
public:
    using Handler = std::function<void(TrayEvent)>;

    virtual ~TrayIcon() = default;
    // tip: UTF-8.
    virtual Result install(TrayPicture picture, const std::string& tip, Handler handler) = 0;
};
