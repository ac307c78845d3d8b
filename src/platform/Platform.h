#pragma once

#include "core/services/Services.h"
#include "LockGuard.h"
#include "PopupMenus.h"
#include "Screen.h"
#include "TrayIcon.h"

// The services the program uses: those the presenters reach, in portable
// types, and the few only the toolkit's views need (the screen, popup menus,
// the tray icon, the lock's hold on the display). The program owns one set
// for its whole life; tests pass fakes.
struct Platform {
    Services services;
    Screen& screen;
    PopupMenus& menus;
    TrayIcon& tray;
    LockGuard& lockGuard;
};
