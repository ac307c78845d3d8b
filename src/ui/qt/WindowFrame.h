#pragma once

#include "core/window/DragHandle.h"
#include "core/window/MainFramePresenter.h"

#include <QMenu>
#include <QObject>

#include <array>
#include <functional>

class MouseLabel;
class PopupMenus;
class QFrame;
class QPushButton;
class QTimer;
class QWidget;
class Twips;

// The main window's frame: the background picture, the title strip that
// drags the window and rolls it up, 隐藏 and 退出, the star with the options
// menu, and the viewport in which the four panels slide.
class WindowFrame final : public QObject, public MainFrameView {
    Q_OBJECT
public:
    static constexpr int kViewportLeft = 240;
    static constexpr int kViewportWidth = 4095;
    static constexpr int kWidthTwips = 2 * kViewportLeft + kViewportWidth;
    static constexpr int kHeightTwips = 6630;
    static constexpr int kRolledUpTwips = 460;

    WindowFrame(QWidget* window, const Twips& twips, Services& services, PopupMenus& menus, short& panelIndex,
                DragOffset& dragOffset);

    MainFramePresenter& presenter() { return presenter_; }

    void setTitleStrip(const std::string& text) override;
    void setWindowTitle(const std::string& text) override;
    void setRolledUp(bool rolledUp) override;
    void setStarLit(bool lit) override;
    void popupOptionsMenu() override;
    void preparePanel(Panel panel) override;
    void placePanels(const PanelDeck& deck) override;
    void close() override;

    QWidget* viewport() const { return viewport_; }
    QFrame* panelFrame(Panel panel) const { return panels_[std::size_t(panel)]; }
    MouseLabel* titleStrip() const { return titleStrip_; }
    MouseLabel* background() const { return background_; }
    MouseLabel* star() const { return star_; }
    QPushButton* hideButton() const { return hideButton_; }
    QPushButton* exitButton() const { return exitButton_; }
    QTimer* slideTimer() const { return slideTimer_; }
    QMenu& optionsMenu() { return optionsMenu_; }
    // The options menu's items, in the order of the panels they show.
    QAction* panelAction(Panel panel) const { return panelActions_[std::size_t(panel)]; }

signals:
    // A panel is about to slide in: its controls must exist.
    void panelNeeded(Panel panel);
    void closeRequested();

private:
    void createMenu();

    QWidget* window_;
    const Twips& twips_;
    PopupMenus& menus_;
    DragHandle drag_;
    MouseLabel* background_ = nullptr;
    MouseLabel* titleStrip_ = nullptr;
    QPushButton* hideButton_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    MouseLabel* star_ = nullptr;
    QWidget* viewport_ = nullptr;
    std::array<QFrame*, PanelDeck::kPanelCount> panels_{};
    QTimer* slideTimer_ = nullptr;
    QMenu optionsMenu_;
    std::array<QAction*, PanelDeck::kPanelCount> panelActions_{};
    MainFramePresenter presenter_;
};
