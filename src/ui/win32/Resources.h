#pragma once

// The resources compiled into ombrel.exe (ombrel.rc.in). The tray icon and
// the windows load the icon as resource 1.
#define OMBREL_ICON 1
#define OMBREL_BACKGROUND_96 101
#define OMBREL_BACKGROUND_192 102
#define OMBREL_UNLOCK_REST 103
#define OMBREL_UNLOCK_HIGHLIGHTED 104
