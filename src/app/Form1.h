#pragma once

#include "Form2.h"

#include "platform/TrayIcon.h"

#include <QIcon>
#include <QMenu>
#include <QObject>

#include <memory>

class InstanceLock;

// The tray host: never shown, it owns the tray icon and the tray menu, and
// makes and destroys the main window.
class Form1 : public QObject {
    Q_OBJECT
public:
    explicit Form1(Platform& platform, QObject* parent = nullptr);
    ~Form1() override;

    // The start-up sequence. Returns false when another copy already runs:
    // the caller then ends at once, showing nothing.
    bool start(InstanceLock& lock);

    // Makes the main window (running its load step) unless it is there.
    void showMainWindow();
    // Destroys the main window and its timers; its variables live on.
    void hideMainWindow();
    void WindowStyle();
    void onTrayEvent(TrayEvent event);

    Form2* mainWindow() const { return form2_.get(); }
    const Form2Memory& memory() const { return memory_; }

    QMenu caidan;
    QAction* xianshi = nullptr;
    QAction* tuichu = nullptr;

private:
    struct DeleteLater {
        void operator()(QObject* object) const;
    };

    Platform& platform_;
    QIcon icon_;
    Form2Memory memory_;
    std::unique_ptr<Form2, DeleteLater> form2_;
};
