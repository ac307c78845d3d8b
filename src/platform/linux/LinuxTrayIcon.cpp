#include "LinuxTrayIcon.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include <algorithm>

namespace {

bool isXEmbedTrayWindow(QObject* object)
{
    return object->isWidgetType() && qstrcmp(object->metaObject()->className(), "QSystemTrayIconSys") == 0;
}

// Qt makes a small window of its own for an icon embedded in an XEmbed tray,
// and none for a StatusNotifierItem, so the kind of tray in use shows here.
bool iconIsXEmbedded()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.cbegin(), windows.cend(), isXEmbedTrayWindow);
}

}  // namespace

LinuxTrayIcon::LinuxTrayIcon() = default;

LinuxTrayIcon::~LinuxTrayIcon()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

// The application's picture is the icon the program gave its windows.
Result LinuxTrayIcon::install(TrayPicture, const std::string& tip, Handler handler)
{
    if (icon_)
        return Result::success();  // a second add leaves the icon as it is
    handler_ = std::move(handler);
    icon_ = std::make_unique<QSystemTrayIcon>(QApplication::windowIcon());
    icon_->setToolTip(QString::fromStdString(tip));
    connect(icon_.get(), &QSystemTrayIcon::activated, this, &LinuxTrayIcon::onActivated);
    qApp->installEventFilter(this);
    // Shown even without a notification area: Qt embeds the icon as soon
    // as a tray appears.
    icon_->show();
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return Result::failure("no notification area (yet)");
    return Result::success();
}

void LinuxTrayIcon::onActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (!handler_ || iconIsXEmbedded())
        return;  // the XEmbed icon's own mouse events are read in eventFilter
    TrayEvent event = TrayEvent::Other;
    if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
        event = TrayEvent::Show;
    else if (reason == QSystemTrayIcon::Context)
        event = TrayEvent::MenuRequest;
    // The host's D-Bus call is answered first: the tray menu waits for a
    // choice, and the host must not wait with it.
    QMetaObject::invokeMethod(this, [this, event] { handler_(event); }, Qt::QueuedConnection);
}

bool LinuxTrayIcon::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    const bool mouse = type == QEvent::MouseButtonDblClick || type == QEvent::MouseButtonRelease
                       || type == QEvent::MouseButtonPress;
    if (!mouse || !handler_ || !isXEmbedTrayWindow(watched))
        return false;
    const auto* me = static_cast<QMouseEvent*>(event);
    if (type == QEvent::MouseButtonDblClick && me->button() == Qt::LeftButton)
        handler_(TrayEvent::Show);
    else if (type == QEvent::MouseButtonRelease && me->button() == Qt::RightButton)
        handler_(TrayEvent::MenuRequest);
    else
        handler_(TrayEvent::Other);
    return false;
}
