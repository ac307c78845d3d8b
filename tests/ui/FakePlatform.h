#pragma once

#include "platform/InstanceLock.h"
#include "platform/Platform.h"
#include "support/FakeServices.h"

#include <QAction>
#include <QMenu>
#include <QStringList>

#include <vector>

// Stand-ins for the services only the Qt views reach: the screen, popup
// menus, the tray icon, the lock's hold on the display and the one-copy
// lock. Like the core fakes they record what was asked and answer as the
// test scripts them.

class FakeScreen final : public Screen {
public:
    double twipsPerPixelX() const override { return twipsPerPixel; }
    double twipsPerPixelY() const override { return twipsPerPixel; }
    QRect geometry() const override { return {0, 0, 1280, 800}; }
    double twipsPerPixel = 15;
};

// Records each popped-up menu, its title and its item texts ("▸" marks a
// submenu, whose items follow it), and chooses the item whose text was
// scripted, running its action. The script holds for one popup only.
class FakePopupMenus final : public PopupMenus {
public:
    QAction* popup(QMenu& menu, const QPoint&) override
    {
        shownMenus.push_back(menu.title());
        shownItems.push_back(describe(menu));
        const QString choice = nextChoice;
        nextChoice.clear();
        QAction* chosen = find(menu, choice);
        if (chosen)
            chosen->trigger();
        return chosen;
    }
    QPoint pointerPosition() const override { return {640, 400}; }

    static QStringList describe(const QMenu& menu)
    {
        QStringList items;
        for (QAction* action : menu.actions()) {
            if (action->menu())
                items << action->text() + QStringLiteral(" ▸") << describe(*action->menu());
            else
                items << action->text();
        }
        return items;
    }

    QString nextChoice;
    QStringList shownMenus;
    std::vector<QStringList> shownItems;

private:
    static QAction* find(const QMenu& menu, const QString& text)
    {
        if (text.isEmpty())
            return nullptr;
        for (QAction* action : menu.actions()) {
            if (action->menu()) {
                if (QAction* inner = find(*action->menu(), text))
                    return inner;
            } else if (action->text() == text) {
                return action;
            }
        }
        return nullptr;
    }
};

// Keeps the handler of the last install so the test can send tray events.
class FakeTrayIcon final : public TrayIcon {
public:
    Result install(const QIcon& icon, const QString& tip, Handler handler) override
    {
        ++installs;
        lastIcon = icon;
        tips << tip;
        this->handler = std::move(handler);
        return nextResult;
    }

    void send(TrayEvent event) { handler(event); }

    int installs = 0;
    QStringList tips;
    QIcon lastIcon;
    Handler handler;
    Result nextResult;
};

// Records what the lock asked of the window system; a grab fails with the
// reason scripted for it.
class FakeLockGuard final : public LockGuard {
public:
    Result confinePointer(QWidget*, const PixelRect& rect) override
    {
        confinedTo = rect;
        pointerConfined = pointerRefusal.empty();
        return pointerConfined ? Result::success() : Result::failure(pointerRefusal);
    }
    void freePointer(QWidget*) override { pointerConfined = false; }
    Result holdKeyboard(QWidget*) override
    {
        keyboardHeld = keyboardRefusal.empty();
        return keyboardHeld ? Result::success() : Result::failure(keyboardRefusal);
    }
    void releaseKeyboard(QWidget*) override { keyboardHeld = false; }
    void keepOnTop(QWidget*) override { ++keptOnTop; }
    void restoreWindow(QWidget*) override {}
    void watchWindow(QWidget*, std::function<void()>) override {}
    void makeTranslucent(QWidget*, int a) override { alpha = a; }
    Result blockTaskManager(QWidget*) override { return Result::failure("no task manager here"); }

    std::string pointerRefusal;
    std::string keyboardRefusal;
    PixelRect confinedTo;
    bool pointerConfined = false;
    bool keyboardHeld = false;
    int keptOnTop = 0;
    int alpha = 255;
};

class FakeInstanceLock final : public InstanceLock {
public:
    Outcome acquire() override { return {anotherRunning, problem}; }
    bool anotherRunning = false;
    std::string problem;
};

// The core fakes and the Qt-side ones, wired as the program wires the real
// services.
struct FakePlatform {
    explicit FakePlatform(const std::string& folder) : core(folder) {}
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    FakeServices core;
    FakeScreen screen;
    FakePopupMenus menus;
    FakeTrayIcon tray;
    FakeLockGuard lockGuard;
    Platform platform{core.services, screen, menus, tray, lockGuard};
};
