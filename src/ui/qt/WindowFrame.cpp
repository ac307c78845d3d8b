#include "WindowFrame.h"

#include "Art.h"
#include "Fonts.h"
#include "LauncherList.h"
#include "MouseLabel.h"
#include "Placement.h"
#include "platform/PopupMenus.h"
#include "platform/qt/QtText.h"

#include <QFrame>
#include <QPushButton>
#include <QTimer>

WindowFrame::WindowFrame(QWidget* window, const Twips& twips, Services& services, PopupMenus& menus,
                         short& panelIndex, DragOffset& dragOffset)
    : QObject(window)
    , window_(window)
    , twips_(twips)
    , menus_(menus)
    , drag_(dragOffset)
    , presenter_(*this, services, panelIndex)
{
    background_ = new MouseLabel(window);
    background_->setObjectName(QStringLiteral("background"));
    background_->setMouseTracking(true);
    placeByTwips(background_, twips, 50, 450, kWidthTwips - 110, kHeightTwips - 520);
    background_->setPixmap(art::background(background_->size()));
    background_->lower();  // beneath the list and its buttons

    titleStrip_ = new MouseLabel(window);
    titleStrip_->setObjectName(QStringLiteral("titleStrip"));
    titleStrip_->setFont(uiFont(10.5, true));
    titleStrip_->setTextFormat(Qt::PlainText);
    placeByTwips(titleStrip_, twips, 50, 50, kWidthTwips - 110, 350);

    hideButton_ = makeWindowButton(window, "hideButton", QStringLiteral("隐藏"));
    exitButton_ = makeWindowButton(window, "exitButton", QStringLiteral("退出"));
    placeByTwips(hideButton_, twips, 3240, 600 + 600 * 4, 975, 375);
    placeByTwips(exitButton_, twips, 3240, 600 + 600 * 5, 975, 375);

    star_ = new MouseLabel(QStringLiteral("☆"), window);
    star_->setObjectName(QStringLiteral("star"));
    star_->setMouseTracking(true);
    star_->setAlignment(Qt::AlignCenter);
    star_->setFont(uiFont(14, true));
    placeByTwips(star_, twips, 3530, 4080, 360, 360);

    viewport_ = new QWidget(window);
    viewport_->setObjectName(QStringLiteral("panelViewport"));
    viewport_->setAttribute(Qt::WA_StyledBackground);
    placeByTwips(viewport_, twips, kViewportLeft, 4560, kViewportWidth, 1860);
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        auto* panel = new QFrame(viewport_);
        panel->setObjectName(QStringLiteral("panel%1").arg(i));
        panel->setProperty("panel", true);
        panels_[i] = panel;
    }

    slideTimer_ = new QTimer(this);
    slideTimer_->setInterval(10);
    createMenu();

    connect(slideTimer_, &QTimer::timeout, this, [this] { presenter_.slideTick(); });
    for (MouseLabel* handle : {titleStrip_, background_})
        dragWindowBy(handle, window, drag_);
    connect(titleStrip_, &MouseLabel::clicked, this, [this] { presenter_.titleStripClicked(); });
    connect(titleStrip_, &MouseLabel::doubleClicked, this, [this] { presenter_.titleStripDoubleClicked(); });
    connect(background_, &MouseLabel::moved, this, [this] { presenter_.pointerOverBackground(); });
    connect(star_, &MouseLabel::moved, this, [this] { presenter_.pointerOverStar(); });
    connect(star_, &MouseLabel::pressed, this,
            [this](QMouseEvent* event) { presenter_.starPressed(pressedButton(event)); });
    connect(hideButton_, &QPushButton::clicked, this, [this] { presenter_.hideChosen(); });
    connect(exitButton_, &QPushButton::clicked, this, [this] { presenter_.exitChosen(); });
}

void WindowFrame::createMenu()
{
    optionsMenu_.setTitle(QStringLiteral("选项"));
    panelActions_[std::size_t(Panel::QuickButtons)] = optionsMenu_.addAction(QStringLiteral("快捷按键"));
    panelActions_[std::size_t(Panel::Timer)] = optionsMenu_.addAction(QStringLiteral("定时选项"));
    panelActions_[std::size_t(Panel::Search)] = optionsMenu_.addAction(QStringLiteral("搜索引擎"));
    optionsMenu_.setFont(uiFont(9));
    for (Panel panel : {Panel::QuickButtons, Panel::Timer, Panel::Search}) {
        connect(panelActions_[std::size_t(panel)], &QAction::triggered, this,
                [this, panel] { presenter_.showPanel(panel); });
    }
}

void WindowFrame::setTitleStrip(const std::string& text)
{
    titleStrip_->setText(toQt(text));
}

void WindowFrame::setWindowTitle(const std::string& text)
{
    window_->setWindowTitle(toQt(text));
}

void WindowFrame::setRolledUp(bool rolledUp)
{
    window_->setFixedSize(window_->width(), twips_.toPixels(rolledUp ? kRolledUpTwips : kHeightTwips));
}

void WindowFrame::setStarLit(bool lit)
{
    star_->setText(lit ? QStringLiteral("★") : QStringLiteral("☆"));
}

void WindowFrame::popupOptionsMenu()
{
    menus_.popup(optionsMenu_, menus_.pointerPosition());
}

void WindowFrame::preparePanel(Panel panel)
{
    emit panelNeeded(panel);
}

void WindowFrame::placePanels(const PanelDeck& deck)
{
    for (int i = 0; i < PanelDeck::kPanelCount; ++i)
        placeByTwips(panels_[std::size_t(i)], twips_, 0, deck.top(i), kViewportWidth, 1875);
    panels_[std::size_t(deck.topmost())]->raise();
    if (deck.timerEnabled() && !slideTimer_->isActive())
        slideTimer_->start();
    else if (!deck.timerEnabled())
        slideTimer_->stop();
}

void WindowFrame::close()
{
    emit closeRequested();
}
