#pragma once

#include "core/dialup/DialUpPresenter.h"
#include "core/window/DragHandle.h"
#include "core/window/Twips.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
struct Platform;

// The broadband dial-up dialog: a frameless grey window dragged by its title
// or body, with the connection name, account and password, and 连接, 断开,
// 取消. It is not modal.
class DialUpDialog final : public QWidget, public DialUpView {
    Q_OBJECT
public:
    explicit DialUpDialog(Platform& platform, QWidget* parent = nullptr);

    DialUpPresenter& presenter() { return presenter_; }

    std::string nameText() const override;
    std::string accountText() const override;
    std::string passwordText() const override;
    void setTexts(const std::string& name, const std::string& account, const std::string& password) override;
    void setStatus(const std::string& text) override;
    void close() override;

    QLineEdit* nameBox() const { return nameBox_; }
    QLineEdit* accountBox() const { return accountBox_; }
    QLineEdit* passwordBox() const { return passwordBox_; }
    QPushButton* connectButton() const { return connectButton_; }
    QPushButton* disconnectButton() const { return disconnectButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    QLabel* status() const { return status_; }

signals:
    // The dialog is done (dialled, hung up or cancelled): its owner unloads it.
    void closeRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();

    Twips twips_;
    DragOffset dragOffset_;
    DragHandle drag_;
    QLineEdit* nameBox_ = nullptr;
    QLineEdit* accountBox_ = nullptr;
    QLineEdit* passwordBox_ = nullptr;
    QPushButton* connectButton_ = nullptr;
    QPushButton* disconnectButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QLabel* status_ = nullptr;
    DialUpPresenter presenter_;
};
