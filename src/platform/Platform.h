#pragma once

#include "AppFolder.h"
#include "core/services/Clock.h"
#include "core/services/CodePage.h"
#include "core/services/Collation.h"
#include "core/services/FileStore.h"
#include "Desktop.h"
#include "FileDialogs.h"
#include "Files.h"
#include "InstanceLock.h"
#include "MessageBoxes.h"
#include "PopupMenus.h"
#include "Power.h"
#include "Process.h"
#include "Screen.h"
#include "Shell.h"
#include "ShellLinks.h"
#include "Sound.h"
#include "SystemStatus.h"
#include "TrayIcon.h"

// The services the windows use, handed to them when they are made. The
// program owns one set for its whole life; tests pass fakes.
struct Platform {
    AppFolder& appFolder;
    Desktop& desktop;
    MessageBoxes& messages;
    PopupMenus& menus;
    Process& process;
    Screen& screen;
    TrayIcon& tray;
    Files& files;
    FileDialogs& fileDialogs;
    Shell& shell;
    ShellLinks& links;
    Clock& clock;
    SystemStatus& system;
    Power& power;
    Sound& sound;
    const CodePage& codePage;
    const Collation& collation;
    FileStore& fileStore;
};
