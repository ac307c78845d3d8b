#pragma once

#include "platform/InstanceLock.h"
#include "platform/Platform.h"
#include "support/FakeServices.h"

#include "platform/qt/QtText.h"

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
    PixelRect geometry() const override { return {0, 0, 1280, 800}; }
    double twipsPerPixel = 15;
};

// Records each popped-up menu, its title and its item texts ("▸" marks a
// submenu, whose items follow it), and chooses the item whose text was
// scripted. The script holds for one popup only.
class FakePopupMenus final : public PopupMenus {
public:
    std::optional<std::string> popup(const MenuSpec& menu, PixelPoint) override
    {
        shownMenus.push_back(toQt(menu.caption));
        shownItems.push_back(describe(menu));
        const QString choice = nextChoice;
        nextChoice.clear();
        return find(menu, choice);
    }
    PixelPoint pointerPosition() const override { return {640, 400}; }

    static QStringList describe(const MenuSpec& menu)
    {
        QStringList items;
        for (const MenuItemSpec& item : menu.items) {
            if (item.submenu)
                items << toQt(item.caption) + QStringLiteral(" ▸") << describe(*item.submenu);
            else
                items << toQt(item.caption);
        }
        return items;
    }

    QString nextChoice;
    QStringList shownMenus;
    std::vector<QStringList> shownItems;

private:
    static std::optional<std::string> find(const MenuSpec& menu, const QString& text)
    {
        if (text.isEmpty())
            return std::nullopt;
        for (const MenuItemSpec& item : menu.items) {
            if (item.submenu) {
                if (auto inner = find(*item.submenu, text))
                    return inner;
            } else if (toQt(item.caption) == text) {
                return std::string(item.id);
            }
        }
        return std::nullopt;
    }
};

// Keeps the handler of the last install so the test can send tray events.
class FakeTrayIcon final : public TrayIcon {
public:
    Result install(TrayPicture, const std::string& tip, Handler handler) override
    {
        ++installs;
        tips << toQt(tip);
        this->handler = std::move(handler);
        return nextResult;
    }

    void send(TrayEvent event) { handler(event); }

    int installs = 0;
    QStringList tips;
    Handler handler;
    Result nextResult;
};

// Records what the lock asked of the window system; a grab fails with the
// reason scripted for it.
class FakeLockGuard final : public LockGuard {
public:
    Result confinePointer(NativeWindow, const PixelRect& rect) override
    {
        confinedTo = rect;
        pointerConfined = pointerRefusal.empty();
        return pointerConfined ? Result::success() : Result::failure(pointerRefusal);
    }
    void freePointer(NativeWindow) override { pointerConfined = false; }
    Result holdKeyboard(NativeWindow) override
    {
        keyboardHeld = keyboardRefusal.empty();
        return keyboardHeld ? Result::success() : Result::failure(keyboardRefusal);
    }
    void releaseKeyboard(NativeWindow) override { keyboardHeld = false; }
    void keepOnTop(NativeWindow) override { ++keptOnTop; }
    void restoreWindow(NativeWindow) override {}
    void watchWindow(NativeWindow, std::function<void()>) override {}
    void makeTranslucent(NativeWindow, int a) override { alpha = a; }
    Result blockTaskManager(NativeWindow) override { return Result::failure("no task manager here"); }

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
