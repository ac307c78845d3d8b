#pragma once

#include "core/lock/LockPresenters.h"
#include "core/window/DragHandle.h"
#include "core/window/Twips.h"

#include <QWidget>

class QLineEdit;
class QPushButton;
struct Platform;

// The lock password set-up: a frameless grey window dragged by its title or
// body, where the password is typed twice before the screen is locked.
// Made anew for every lock, with empty entries.
class LockSetupWindow final : public QWidget, public LockSetupView {
    Q_OBJECT
public:

    explicit LockSetupWindow(Platform& platform, QWidget* parent = nullptr);

    LockSetupPresenter& presenter() { return presenter_; }

    std::string password() const override;
    std::string repeatedPassword() const override;
    void clearPasswords() override;
    void close() override;

    QLineEdit* passwordBox() const { return passwordBox_; }
    QLineEdit* repeatBox() const { return repeatBox_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

signals:
    // The window is done (locked, cancelled or closed): its owner unloads it.
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();

    Twips twips_;
    DragOffset dragOffset_;
    DragHandle drag_;
    QLineEdit* passwordBox_ = nullptr;
    QLineEdit* repeatBox_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    LockSetupPresenter presenter_;
};
