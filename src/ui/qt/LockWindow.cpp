#include "LockWindow.h"

#include "QtGeometry.h"

#include "Fonts.h"
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
    setObjectName(QStringLiteral("lockWindow"));
    setWindowTitle(QStringLiteral("正在挂机"));
    setContextMenuPolicy(Qt::NoContextMenu);
    setMouseTracking(true);
    QPalette dark = palette();
    dark.setColor(QPalette::Window, QColor(64, 64, 64));
    setPalette(dark);
    setAutoFillBackground(true);

    // Over every screen: the whole virtual desktop.
    QRect desktop = toQRect(platform_.screen.geometry());
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        desktop = desktop.united(primary->virtualGeometry());
    setGeometry(desktop);
    const QRect screen = screenInWindow();
    const auto px = [this](double twips) { return twips_.toPixels(twips); };

    banner_ = new QLabel(QStringLiteral("正在挂机★不要乱动"), this);
    banner_->setObjectName(QStringLiteral("banner"));
    banner_->setTextFormat(Qt::PlainText);
    QFont bannerFont = roundFont(72);
    bannerFont.setBold(true);
    banner_->setFont(bannerFont);
    banner_->setAttribute(Qt::WA_TranslucentBackground);
    banner_->adjustSize();
    banner_->move(screen.x() + (screen.width() - banner_->width()) / 2, screen.y() + px(1440));
    setBannerColour(0xC00000);

    entry_ = new QLineEdit(this);
    entry_->setObjectName(QStringLiteral("entry"));
    entry_->setFont(uiFont(14.25));
    entry_->setEchoMode(QLineEdit::Password);
    entry_->setAttribute(Qt::WA_InputMethodEnabled, false);
    entry_->setContextMenuPolicy(Qt::NoContextMenu);
    entry_->setAcceptDrops(false);
    entry_->setStyleSheet(QStringLiteral("QLineEdit { background: rgb(0,0,255); color: rgb(192,0,0);"
                                         " border: none; lineedit-password-character: 42; }"));
    const int entryWidth = px(kEntryWidthTwips);
    const int entryHeight = px(kEntryHeightTwips);
    const int entryTop = screen.y() + (screen.height() - entryHeight) / 2 - px(600);
    entry_->setGeometry(screen.x() + (screen.width() - entryWidth) / 2, entryTop, entryWidth, entryHeight);
    entry_->installEventFilter(this);

    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("message"));
    message_->setTextFormat(Qt::PlainText);
    message_->setFont(uiFont(15.75, true));
    message_->setStyleSheet(QStringLiteral("color: rgb(192,0,0); background: transparent;"));
    message_->move(screen.x() + screen.width() / 2, entryTop - px(800));

    const auto makePicture = [this, &screen, entryTop, &px](const char* name, bool highlighted) {
        auto* picture = new MouseLabel(this);
        picture->setObjectName(QLatin1String(name));
        picture->setPixmap(unlockPicture(highlighted));
        picture->setMouseTracking(true);
        picture->setAttribute(Qt::WA_NoMousePropagation);
        picture->setGeometry(screen.x() + (screen.width() - kPictureWidth) / 2, entryTop + px(1000), kPictureWidth,
                             kPictureHeight);
        return picture;
    };
    restPicture_ = makePicture("restPicture", false);
    highlightedPicture_ = makePicture("highlightedPicture", true);
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

QPixmap LockWindow::unlockPicture(bool highlighted)
{
    QPixmap picture(kPictureWidth, kPictureHeight);
    picture.fill(Qt::transparent);  // the corners
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF button(0.5, 0.5, kPictureWidth - 1, kPictureHeight - 1);
    QPainterPath outline;
    outline.addRoundedRect(button, 9, 9);
    QLinearGradient shade(0, 0, 0, kPictureHeight);
    shade.setColorAt(0, QColor(72, 72, 80));
    shade.setColorAt(1, QColor(24, 24, 28));
    painter.fillPath(outline, shade);
    painter.setPen(QPen(QColor(140, 140, 150), 1));
    painter.drawPath(outline);

    const double barHeight = highlighted ? 28 : 12;
    const double barWidth = highlighted ? 116 : 84;
    const QRectF bar((kPictureWidth - barWidth) / 2, (kPictureHeight - barHeight) / 2, barWidth, barHeight);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 0, 255));
    painter.drawRoundedRect(bar, 4, 4);

    QFont font = uiFont(12, true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(0, 0, kPictureWidth, kPictureHeight), Qt::AlignCenter, QStringLiteral("解锁"));
    return picture;
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
