#pragma once

#include "AppFolder.h"
#include "Desktop.h"
#include "InstanceLock.h"
#include "MessageBoxes.h"
#include "PopupMenus.h"
#include "Process.h"
#include "Screen.h"
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
};
