#pragma once

#include "CoreTest.h"
#include "core/services/Services.h"

#include <algorithm>
#include <string>
#include <vector>

// In-process stand-ins for the system's services. They record what was asked
// and answer as the test scripts them; none reaches the real system. The
// code page, list order and files are the system's own: tests check the
// profile's bytes and the list's order.

class FakeAppFolder final : public AppFolder {
public:
    explicit FakeAppFolder(std::string path) : path_(path), program(std::move(path)) {}
    std::string path() const override { return path_; }
    std::string shippedFilesFolder() const override { return program; }

private:
    std::string path_;

public:
    std::string program;  // the executable's folder; the profile's unless a test moves it
};

class FakeDesktop final : public Desktop {
public:
    Result refresh() override
    {
        ++refreshes;
        return Result::success();
    }
    int refreshes = 0;
};

class FakeMessageBoxes final : public MessageBoxes {
public:
    using Shown = Box;
    bool show(const Box& box) override
    {
        shown.push_back(box);
        return box.buttons == Buttons::OkCancel ? nextAnswer : true;
    }
    // The texts shown, in order.
    std::vector<std::string> texts() const
    {
        std::vector<std::string> all;
        for (const Shown& s : shown)
            all.push_back(s.text);
        return all;
    }
    std::vector<Shown> shown;
    bool nextAnswer = false;
};

class FakeProcess final : public Process {
public:
    void exitNow() override { ++exits; }
    int exits = 0;
};

// Knows the files the test declares; any other path names no file.
class FakeFiles final : public Files {
public:
    std::string fileNameOf(const std::string& path) const override
    {
        if (std::find(existing.begin(), existing.end(), path) == existing.end())
            return {};
        return path.substr(path.find_last_of('/') + 1);
    }
    char separator() const override { return '/'; }
    std::vector<std::string> existing;
};

class FakeFileDialogs final : public FileDialogs {
public:
    std::optional<std::string> chooseProgram() override
    {
        ++shown;
        return nextChoice;
    }
    std::optional<std::string> nextChoice;
    int shown = 0;
};

class FakeShell final : public Shell {
public:
    Result open(const std::string& path) override
    {
        opened.push_back(path);
        return nextResult;
    }
    Result openFolder(const std::string& folder) override
    {
        folders.push_back(folder);
        return nextResult;
    }
    Result openUrl(const std::string& url) override
    {
        urls.push_back(url);
        return nextResult;
    }
    std::vector<std::string> opened;
    std::vector<std::string> folders;
    std::vector<std::string> urls;
    Result nextResult;
};

class FakeShellLinks final : public ShellLinks {
public:
    struct Saved {
        std::string file;
        ShortcutFields fields;
    };
    std::string suffix() const override { return ".desktop"; }
    std::string specialFolder(SpecialFolder folder) const override
    {
        return folder == SpecialFolder::Desktop ? desktop : startMenu;
    }
    Result save(const std::string& file, const ShortcutFields& fields) override
    {
        if (nextResult.ok())
            saved.push_back({file, fields});
        return nextResult;
    }
    std::string desktop = "/home/u/桌面";
    std::string startMenu = "/home/u/.local/share/applications";
    std::vector<Saved> saved;
    Result nextResult;
};

// A clock that stands still until the test sets it.
class FakeClock final : public Clock {
public:
    LocalTime now() const override { return time; }
    std::chrono::milliseconds steadyNow() const override { return steady; }
    LocalTime time = LocalTime::at(2026, 12, 6, 16, 49, 53);
    std::chrono::milliseconds steady{0};
};

class FakeSystemStatus final : public SystemStatus {
public:
    std::optional<std::uint64_t> millisecondsSinceBoot() const override { return upTime; }
    int bootMode() const override { return mode; }
    std::string localAddress() const override { return address; }
    std::optional<std::uint64_t> upTime = 5000;
    int mode = 0;
    std::string address = "192.168.1.23";
};

// Records power requests; answers each at once with the scripted result.
class FakePower final : public Power {
public:
    void request(PowerAction action, std::function<void(Result)> done) override
    {
        requests.push_back(action);
        done(nextResult);
    }
    std::vector<PowerAction> requests;
    Result nextResult;
};

class FakeSound final : public Sound {
public:
    Result playRing(const std::string& file) override
    {
        rings.push_back(file);
        return Result::success();
    }
    std::vector<std::string> rings;
};

// A phonebook of entries and the connections that are up. A dial of a known
// entry succeeds unless the test scripts a code; handles count up from 1.
class FakeRemoteAccess final : public RemoteAccess {
public:
    std::uint32_t dial(const DialRecord& record, std::uint32_t& handle) override
    {
        dials.push_back(record);
        handle = nextHandle++;
        if (dialCode == 0)
            active.push_back({handle, std::string(reinterpret_cast<const char*>(record.data() + 4))});
        return dialCode;
    }
    std::uint32_t hangUp(std::uint32_t handle) override
    {
        hungUp.push_back(handle);
        std::erase_if(active, [handle](const auto& c) { return c.first == handle; });
        return 0;
    }
    std::string dialService() const override { return "网络管理服务（NetworkManager）"; }
    std::uint32_t enumConnections(std::vector<std::uint8_t>& buffer, std::uint32_t& byteCount,
                                  std::uint32_t& count) override
    {
        ++enumerations;
        enumeratedByteCount = byteCount;
        enumeratedRecordSize = recordSizeOf(buffer);
        if (enumCode != 0)
            return enumCode;
        count = std::uint32_t(active.size());
        for (std::size_t i = 0; i < active.size(); ++i)
            writeConnection(buffer, i, active[i].first, active[i].second);
        return 0;
    }

    std::vector<std::pair<std::uint32_t, std::string>> active;  // handle and entry name bytes
    std::vector<DialRecord> dials;
    std::vector<std::uint32_t> hungUp;
    std::uint32_t dialCode = 0;
    std::uint32_t enumCode = 0;
    std::uint32_t nextHandle = 1;
    int enumerations = 0;
    std::uint32_t enumeratedByteCount = 0;
    std::uint32_t enumeratedRecordSize = 0;
};

class FakeBusyPointer final : public BusyPointer {
public:
    void setBusy(bool busy) override { changes.push_back(busy); }
    std::vector<bool> changes;
};

// Records the places and tools asked for; each answers with the scripted result.
class FakeDesktopApps final : public DesktopApps {
public:
    Result openPlace(Place place) override
    {
        places.push_back(place);
        return nextResult;
    }
    Result start(Tool tool) override
    {
        tools.push_back(tool);
        return nextResult;
    }
    std::vector<Place> places;
    std::vector<Tool> tools;
    Result nextResult;
};

// The system's own file store, noting who each replace lets read the file.
// failAfterWrite makes a replace that succeeded report a failure after the
// file took the change, as a failed flush of the folder does.
class WatchedFileStore final : public FileStore {
public:
    FileBytes read(const std::string& path) const override { return coreServices().files->read(path); }
    Replacement replace(const std::string& path, std::string_view bytes, FileReaders readers) override
    {
        readersAsked.push_back(readers);
        Replacement done = coreServices().files->replace(path, bytes, readers);
        if (done.ok() && !failAfterWrite.empty())
            return {failAfterWrite, true};
        return done;
    }
    void removeLeftovers(const std::string& path) override { coreServices().files->removeLeftovers(path); }

    std::vector<FileReaders> readersAsked;
    std::string failAfterWrite;
};

// One set of fakes, wired as the program wires the real services.
struct FakeServices {
    explicit FakeServices(const std::string& folder) : appFolder(folder) {}
    FakeServices(const FakeServices&) = delete;
    FakeServices& operator=(const FakeServices&) = delete;

    FakeAppFolder appFolder;
    FakeDesktop desktop;
    FakeMessageBoxes messages;
    FakeProcess process;
    FakeFiles files;
    FakeFileDialogs fileDialogs;
    FakeShell shell;
    FakeShellLinks links;
    FakeClock clock;
    FakeSystemStatus system;
    FakePower power;
    FakeSound sound;
    FakeRemoteAccess remoteAccess;
    FakeBusyPointer busyPointer;
    FakeDesktopApps desktopApps;
    WatchedFileStore fileStore;
    Services services{appFolder,   desktop, messages, process, files,  fileDialogs,
                      shell,       links,   clock,    system,  power,  sound,
                      *coreServices().codePage, *coreServices().collation, fileStore, remoteAccess, busyPointer,
                      desktopApps};

    ProfileAccess profileAccess() const { return {*coreServices().files, *coreServices().codePage}; }
};
