#pragma once

#include "AppFolder.h"
#include "Clock.h"
#include "CodePage.h"
#include "Collation.h"
#include "Desktop.h"
#include "DesktopApps.h"
#include "FileDialogs.h"
#include "FileStore.h"
#include "Files.h"
#include "MessageBoxes.h"
#include "Power.h"
#include "Process.h"
#include "RemoteAccess.h"
#include "Shell.h"
#include "ShellLinks.h"
#include "Sound.h"
#include "SystemStatus.h"

// Every service of the system that the presenters reach, handed to them when
// they are made. The program owns one set for its whole life; tests pass fakes.
struct Services {
    AppFolder& appFolder;
    Desktop& desktop;
    MessageBoxes& messages;
    Process& process;
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
    RemoteAccess& remoteAccess;
    BusyPointer& busyPointer;
    DesktopApps& desktopApps;
};
