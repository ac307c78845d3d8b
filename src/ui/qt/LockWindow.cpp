#include "LockWindow.h"

#include "Art.h"

#include "QtGeometry.h"

#include "Fonts.h"
#include "FormBuilder.h"
#include "MouseLabel.h"
#include "platform/Platform.h"
#include "platform/qt/QtText.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QScreen>
#include <QTimer>

namespace {

// The Windows virtual-key code the lock's key test knows a key by; 0 for
// the keys it does not name.
std::uint32_t virtualKey(int key)
{
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 0x09;
    case Qt::Key_Escape: return 0x1B;
    case Qt::Key_F4: return 0x73;
    case Qt::Key_Meta:
    case Qt::Key_Super_L: return 0x5B;
    case Qt::Key_Super_R: return 0x5C;
    case Qt::Key_Menu: return 0x5D;
    default: return 0;
    }
}

double nextRandom()
{
    return QRandomGenerator::global()->generateDouble();
}

}  // namespace

bool lockDropsKey(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers held = event.modifiers();
    if (held & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return true;
    // A password is typed, never pasted: QLineEdit pastes on these.
    if (event.matches(QKeySequence::Paste) || event.key() == Qt::Key_Paste ||
        (event.key() == Qt::Key_Insert && (held & Qt::ShiftModifier)))
        return true;
    KeyRecord record;
    record.message = event.type() == QEvent::KeyRelease ? 0x0101 : 0x0100;
    record.virtualKey = virtualKey(event.key());
    return lockSwallowsKey(0, record, false);
}

LockWindow::LockWindow(Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint)
    , platform_(platform)
    , guard_(platform.lockGuard)
    , twips_(platform.screen.twipsPerPixelX())
    , presenter_(*this, platform.services, nextRandom)
{
    createControls();
}

QRect LockWindow::screenInWindow() const
{
    return toQRect(platform_.screen.geometry()).translated(-pos());
}

void LockWindow::createControls()
{
    using namespace lock_screen_form;
    applyForm(this, kForm, twips_);
    setContextMenuPolicy(Qt::NoContextMenu);
    setMouseTracking(true);

    // Over every screen: the whole virtual desktop.
    QRect desktop = toQRect(platform_.screen.geometry());
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        desktop = desktop.united(primary->virtualGeometry());
    setGeometry(desktop);
    const QRect screen = screenInWindow();
    const PixelRect area{screen.left(), screen.top(), screen.left() + screen.width(), screen.top() + screen.height()};
    const Layout places = lock_screen_form::layout(area, twips_);

    const FormControls controls = buildControls(kForm, this, twips_);
    banner_ = controls.get<QLabel>(kBanner);
    banner_->setAttribute(Qt::WA_TranslucentBackground);
    banner_->move(centredLeft(area, banner_->width()), places.bannerTop);
    setBannerColour(*kForm.find(kBanner)->textColour);

    const ControlSpec& entrySpec = *kForm.find(kEntry);
    entry_ = controls.get<QLineEdit>(kEntry);
    entry_->setContextMenuPolicy(Qt::NoContextMenu);
    entry_->setAcceptDrops(false);
    entry_->setStyleSheet(QStringLiteral("QLineEdit { background: %1; color: %2; border: none;"
                                         " lineedit-password-character: %3; }")
                              .arg(cssColour(*entrySpec.backColour), cssColour(*entrySpec.textColour))
                              .arg(int(entrySpec.passwordChar)));
    entry_->setGeometry(toQRect(places.entry));
    entry_->installEventFilter(this);

    message_ = controls.get<QLabel>(kMessage);
    message_->setStyleSheet(
        QStringLiteral("color: %1; background: transparent;").arg(cssColour(*kForm.find(kMessage)->textColour)));
    message_->move(area.left + area.width() / 2, places.messageTop);

    restPicture_ = controls.get<MouseLabel>(kRestPicture);
    highlightedPicture_ = controls.get<MouseLabel>(kHighlightedPicture);
    for (MouseLabel* picture : {restPicture_, highlightedPicture_}) {
        picture->setPixmap(QPixmap::fromImage(art::unlockPicture(picture == highlightedPicture_)));
        picture->setMouseTracking(true);
        picture->setAttribute(Qt::WA_NoMousePropagation);
        picture->setGeometry(toQRect(places.picture));
    }
    highlightedPicture_->hide();
    connect(restPicture_, &MouseLabel::moved, this, [this] { presenter_.pointerOverUnlock(); });
    // A click on the highlighted picture counts only after a right password.
    connect(highlightedPicture_, &MouseLabel::clicked, this, [this] {
        if (unlockEnabled_)
            presenter_.unlockClicked();
    });

    // Nothing but the entry takes the keyboard.
    for (QWidget* child : findChildren<QWidget*>())
        if (child != entry_)
            child->setFocusPolicy(Qt::NoFocus);
    setFocusProxy(entry_);

    tickTimer_ = new QTimer(this);
    tickTimer_->setInterval(300);
    connect(tickTimer_, &QTimer::timeout, this, [this] { presenter_.tick(); });
}

Result LockWindow::confinePointer(const PixelRect& rect)
{
    // The rectangle is measured on the main screen; the display wants it on
    // the whole desktop.
    const QPoint origin = toQRect(platform_.screen.geometry()).topLeft();
    return guard_.confinePointer(NativeWindow(winId()), PixelRect{rect.left + origin.x(), rect.top + origin.y(),
                                                 rect.right + origin.x(), rect.bottom + origin.y()});
}

void LockWindow::freePointer()
{
    guard_.freePointer(NativeWindow(winId()));
}

Result LockWindow::holdKeyboard()
{
    return guard_.holdKeyboard(NativeWindow(winId()));
}

void LockWindow::releaseKeyboard()
{
    guard_.releaseKeyboard(NativeWindow(winId()));
}

void LockWindow::keepOnTop()
{
    guard_.keepOnTop(NativeWindow(winId()));
}

void LockWindow::restoreWindow()
{
    guard_.restoreWindow(NativeWindow(winId()));
}

void LockWindow::makeTranslucent(int alpha)
{
    guard_.makeTranslucent(NativeWindow(winId()), alpha);
}

Result LockWindow::blockTaskManager()
{
    return guard_.blockTaskManager(NativeWindow(winId()));
}

double LockWindow::screenWidthTwips() const
{
    return toQRect(platform_.screen.geometry()).width() * twipsPerPixelX();
}

double LockWindow::screenHeightTwips() const
{
    return toQRect(platform_.screen.geometry()).height() * twipsPerPixelY();
}

double LockWindow::twipsPerPixelX() const
{
    return platform_.screen.twipsPerPixelX();
}

double LockWindow::twipsPerPixelY() const
{
    return platform_.screen.twipsPerPixelY();
}

std::string LockWindow::typedPassword() const
{
    return toStd(entry_->text());
}

void LockWindow::showUnlockHighlighted(bool highlighted)
{
    restPicture_->setVisible(!highlighted);
    highlightedPicture_->setVisible(highlighted);
}

// The picture itself stays enabled: a disabled one would hand the pointer's
// moves to the background, which swaps the pictures back at every move.
void LockWindow::setUnlockEnabled(bool enabled)
{
    unlockEnabled_ = enabled;
}

void LockWindow::setMessage(const std::string& text)
{
    message_->setText(toQt(text));
    message_->adjustSize();
    const QRect screen = screenInWindow();
    message_->move(screen.x() + (screen.width() - message_->width()) / 2, message_->y());
}

void LockWindow::setBannerColour(std::uint32_t rgb)
{
    QPalette colours = banner_->palette();
    colours.setColor(QPalette::WindowText, QColor(QRgb(rgb)));
    banner_->setPalette(colours);
}

void LockWindow::focusEntry()
{
    activateWindow();
    entry_->setFocus();
}

// While the tick runs, a hide or a cover by another program is answered at
// once too, not only at the next tick.
void LockWindow::setTickRunning(bool running)
{
    if (running) {
        tickTimer_->start();
        guard_.watchWindow(NativeWindow(winId()), [this] { presenter_.windowDisturbed(); });
    } else {
        tickTimer_->stop();
        guard_.watchWindow(NativeWindow(winId()), nullptr);
    }
}

void LockWindow::close()
{
    setTickRunning(false);
    hide();
    emit closeRequested();
}

// The keys reach the entry unless the lock drops them; the middle button's
// paste of the selection, any drop and any text an input method hands over
// are kept out too.
bool LockWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::InputMethod:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: event->ignore(); return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
        if (lockDropsKey(*static_cast<QKeyEvent*>(event)))
            return true;
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton)
            return true;
        break;
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}

// Keys that reach the window itself go no further.
void LockWindow::keyPressEvent(QKeyEvent* event)
{
    event->accept();
}

void LockWindow::keyReleaseEvent(QKeyEvent* event)
{
    event->accept();
}

void LockWindow::mouseMoveEvent(QMouseEvent* event)
{
    presenter_.pointerOverBackground();
    event->accept();
}

// Only the unlock closes the lock: a close asked by the window manager or
// another program is refused.
void LockWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
}
