#pragma once

#include "core/window/DragHandle.h"
#include "core/window/MainFramePresenter.h"

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
    WindowFrame(QWidget* window, const Twips& twips, Services& services, PopupMenus& menus, short& panelIndex,
                DragOffset& dragOffset);

    MainFramePresenter& presenter() { return presenter_; }

    void setTitleStrip(const std::string& text) override;
    void setWindowTitle(const std::string& text) override;
    void setRolledUp(bool rolledUp) override;
    void setStarLit(bool lit) override;
    std::optional<std::string> popupMenu(const MenuSpec& menu) override;
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

signals:
    // A panel is about to slide in: its controls must exist.
    void panelNeeded(Panel panel);
    void closeRequested();

private:
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
    MainFramePresenter presenter_;
};
