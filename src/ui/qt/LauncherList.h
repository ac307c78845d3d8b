#pragma once

#include "core/launcher/LauncherPresenter.h"

#include <QObject>

class PopupMenus;
class QListWidget;
class QPushButton;
class QWidget;
class Twips;

// The launcher list with its buttons (启动, 删除, 添加, 清空) and its menu,
// on the main window. Its buttons take the focus only from the keyboard, so
// a click leaves the list's selection in focus.
class LauncherList final : public QObject, public LauncherView {
public:
    LauncherList(QWidget* window, const Twips& twips, Services& services, PopupMenus& menus);

    LauncherPresenter& presenter() { return presenter_; }

    void showEntries(const std::vector<std::string>& entries) override;
    void insertEntry(std::size_t at, const std::string& entry) override;
    void removeEntry(std::size_t at) override;
    void clearEntries() override;
    void selectEntry(std::size_t at) override;
    std::optional<std::size_t> selectedEntry() const override;
    void showTip(const std::string& tip) override;
    std::optional<std::string> popupMenu(const MenuSpec& menu) override;

    QListWidget* list() const { return list_; }
    QPushButton* startButton() const { return startButton_; }
    QPushButton* deleteButton() const { return deleteButton_; }
    QPushButton* addButton() const { return addButton_; }
    QPushButton* clearButton() const { return clearButton_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PopupMenus& menus_;
    QListWidget* list_ = nullptr;
    QPushButton* startButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QPushButton* clearButton_ = nullptr;
    LauncherPresenter presenter_;
};
