#include "WindowFrame.h"

#include "Art.h"
#include "FormBuilder.h"
#include "MouseLabel.h"
#include "core/window/MainFrameForm.h"
#include "core/window/Twips.h"
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
    using namespace main_frame_form;
    const FormControls controls = buildControls(kForm, window, twips);
    background_ = controls.get<MouseLabel>(kBackground);
    background_->setMouseTracking(true);
    background_->setPixmap(art::background(background_->size()));
    background_->lower();  // beneath the list and its buttons
    titleStrip_ = controls.get<MouseLabel>(kTitleStrip);
    hideButton_ = controls.get<QPushButton>(kHide);
    exitButton_ = controls.get<QPushButton>(kExit);
    for (QPushButton* button : {hideButton_, exitButton_})
        button->setFocusPolicy(Qt::TabFocus);
    star_ = controls.get<MouseLabel>(kStar);
    star_->setMouseTracking(true);
    viewport_ = controls.get<QWidget>(kViewport);
    viewport_->setAttribute(Qt::WA_StyledBackground);
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        auto* panel = new QFrame(viewport_);
        panel->setObjectName(QStringLiteral("panel%1").arg(i));
        panel->setProperty("panel", true);
        panels_[i] = panel;
    }

    slideTimer_ = new QTimer(this);
    slideTimer_->setInterval(10);

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
    using namespace main_frame_form;
    window_->setFixedSize(window_->width(), twips_.toPixels(rolledUp ? kRolledUpTwips : kHeightTwips));
}

void WindowFrame::setStarLit(bool lit)
{
    star_->setText(toQt(lit ? main_frame_form::kLitStarCaption : main_frame_form::kStarCaption));
}

std::optional<std::string> WindowFrame::popupMenu(const MenuSpec& menu)
{
    return menus_.popup(menu, menus_.pointerPosition());
}

void WindowFrame::preparePanel(Panel panel)
{
    emit panelNeeded(panel);
}

void WindowFrame::placePanels(const PanelDeck& deck)
{
    for (int i = 0; i < PanelDeck::kPanelCount; ++i)
        panels_[std::size_t(i)]->setGeometry(twips_.toPixels(0), twips_.toPixels(deck.top(i)),
                                             twips_.toPixels(main_frame_form::kViewportWidth),
                                             twips_.toPixels(main_frame_form::kPanelHeight));
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
