#pragma once

#include "core/launcher/AddItemPresenter.h"
#include "core/launcher/LauncherView.h"

class QFrame;
class QLineEdit;
class QPushButton;
class Twips;

// The add panel: the path and name of a new list item, with 浏览, 取消, 确定.
class AddPanel final : public AddItemView {
public:
    AddPanel(QFrame* frame, const Twips& twips, LauncherPresenter& list, Services& services);

    AddItemPresenter& presenter() { return presenter_; }

    std::string pathText() const override;
    std::string nameText() const override;
    void setPathText(const std::string& text) override;
    void setNameText(const std::string& text) override;

    QLineEdit* pathBox() const { return pathBox_; }
    QLineEdit* nameBox() const { return nameBox_; }
    QPushButton* browseButton() const { return browseButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    QPushButton* confirmButton() const { return confirmButton_; }

private:
    QLineEdit* pathBox_ = nullptr;
    QLineEdit* nameBox_ = nullptr;
    QPushButton* browseButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* confirmButton_ = nullptr;
    AddItemPresenter presenter_;
};
