#pragma once

#include "app/QtText.h"
#include "core/profile/Profile.h"
#include "platform/Platform.h"
#include "platform/linux/IcuCodePage.h"
#include "platform/linux/IcuCollation.h"
#include "platform/linux/PosixFileStore.h"

#include <QAction>
#include <QMenu>
#include <QStringList>

#include <vector>

// In-process stand-ins for the system's services. They record what was asked
// and answer as the test scripts them; none reaches the real system.

class FakeAppFolder final : public AppFolder {
public:
    explicit FakeAppFolder(QString path) : path_(std::move(path)) {}
    QString path() const override { return path_; }

private:
    QString path_;
};

class FakeDesktop final : public Desktop {
public:
    PlatformResult refresh() override
    {
        ++refreshes;
        return PlatformResult::success();
    }
    int refreshes = 0;
};

class FakeMessageBoxes final : public MessageBoxes {
public:
    struct Shown {
        QString title;
        QString text;
    };
    void inform(QWidget*, const QString& title, const QString& text) override { shown.push_back({title, text}); }
    bool confirm(QWidget*, const QString& title, const QString& text) override
    {
        shown.push_back({title, text});
        return nextAnswer;
    }
    std::vector<Shown> shown;
    bool nextAnswer = false;
};

// Records each popped-up menu as its item texts ("▸" marks a submenu) and
// chooses the item whose text was scripted, running its action.
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

class FakeProcess final : public Process {
public:
    void exitNow() override { ++exits; }
    int exits = 0;
};

class FakeScreen final : public Screen {
public:
    double twipsPerPixelX() const override { return twipsPerPixel; }
    double twipsPerPixelY() const override { return twipsPerPixel; }
    QRect geometry() const override { return {0, 0, 1280, 800}; }
    double twipsPerPixel = 15;
};

class FakeTrayIcon final : public TrayIcon {
public:
    PlatformResult install(const QIcon& icon, const QString& tip, Handler handler) override
    {
        ++installs;
        lastIcon = icon;
        tips << tip;
        this->handler = std::move(handler);
        return PlatformResult::success();
    }

    void send(TrayEvent event) { handler(event); }

    int installs = 0;
    QStringList tips;
    QIcon lastIcon;
    Handler handler;
};

class FakeInstanceLock final : public InstanceLock {
public:
    Outcome acquire() override { return {anotherRunning, {}}; }
    bool anotherRunning = false;
};

// Knows the files the test declares; any other path names no file.
class FakeFiles final : public Files {
public:
    QString fileNameOf(const QString& path) const override
    {
        return existing.contains(path) ? path.section(QLatin1Char('/'), -1) : QString();
    }
    QChar separator() const override { return QLatin1Char('/'); }
    QStringList existing;
};

class FakeFileDialogs final : public FileDialogs {
public:
    std::optional<QString> chooseProgram(QWidget*) override
    {
        ++shown;
        return nextChoice;
    }
    std::optional<QString> nextChoice;
    int shown = 0;
};

class FakeShell final : public Shell {
public:
    PlatformResult open(const QString& path) override
    {
        opened << path;
        return nextResult;
    }
    PlatformResult openFolder(const QString& folder) override
    {
        folders << folder;
        return nextResult;
    }
    PlatformResult openUrl(const QString& url) override
    {
        urls << url;
        return nextResult;
    }
    QStringList opened;
    QStringList folders;
    QStringList urls;
    PlatformResult nextResult;
};

class FakeShellLinks final : public ShellLinks {
public:
    struct Saved {
        QString file;
        ShortcutFields fields;
    };
    QString suffix() const override { return QStringLiteral(".desktop"); }
    QString specialFolder(SpecialFolder folder) const override
    {
        return folder == SpecialFolder::Desktop ? desktop : startMenu;
    }
    PlatformResult save(const QString& file, const ShortcutFields& fields) override
    {
        if (nextResult.ok())
            saved.push_back({file, fields});
        return nextResult;
    }
    QString desktop = QStringLiteral("/home/u/桌面");
    QString startMenu = QStringLiteral("/home/u/.local/share/applications");
    std::vector<Saved> saved;
    PlatformResult nextResult;
};

// A clock that stands still until the test sets it.
class FakeClock final : public Clock {
public:
    LocalTime now() const override { return time; }
    LocalTime time = LocalTime::at(2026, 12, 6, 16, 49, 53);
};

class FakeSystemStatus final : public SystemStatus {
public:
    std::optional<std::uint64_t> millisecondsSinceBoot() const override { return upTime; }
    int bootMode() const override { return mode; }
    QString localAddress() const override { return address; }
    std::optional<std::uint64_t> upTime = 5000;
    int mode = 0;
    QString address = QStringLiteral("192.168.1.23");
};

// Records power requests; answers each at once with the scripted result.
class FakePower final : public Power {
public:
    void request(PowerAction action, std::function<void(PlatformResult)> done) override
    {
        requests.push_back(action);
        done(nextResult);
    }
    std::vector<PowerAction> requests;
    PlatformResult nextResult;
};

class FakeSound final : public Sound {
public:
    PlatformResult playRing(const QString& file) override
    {
        rings << file;
        return PlatformResult::success();
    }
    QStringList rings;
};

// One set of fakes, wired as the program wires the real services.
struct FakePlatform {
    explicit FakePlatform(const QString& folder) : appFolder(folder) {}

    FakeAppFolder appFolder;
    FakeDesktop desktop;
    FakeMessageBoxes messages;
    FakePopupMenus menus;
    FakeProcess process;
    FakeScreen screen;
    FakeTrayIcon tray;
    FakeFiles files;
    FakeFileDialogs fileDialogs;
    FakeShell shell;
    FakeShellLinks links;
    FakeClock clock;
    FakeSystemStatus system;
    FakePower power;
    FakeSound sound;
    // The code page, list order and files are the real ones: tests check the
    // profile's bytes and the list's order.
    IcuCodePage codePage;
    IcuCollation collation;
    PosixFileStore fileStore;
    Platform platform{appFolder, desktop, messages, menus,    process,   screen,   tray,     files,
                      fileDialogs, shell, links,    clock,    system,    power,    sound,    codePage,
                      collation,   fileStore};
};

inline ProfileAccess profileAccess(FakePlatform& fakes)
{
    return {fakes.fileStore, fakes.codePage};
}
