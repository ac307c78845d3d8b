#pragma once

#include "core/services/ShellLinks.h"

#include <QByteArray>
#include <QString>

// How a shortcut starts its target.
enum class TargetKind {
    Program,       // run directly
    DesktopEntry,  // another shortcut, launched as its application
    Document,      // opened by the default handler of its type
};

// A regular file named *.desktop is a desktop entry. A regular file the user
// may execute is a program only when it starts like one (an ELF image or a
// "#!" script): files on FAT and NTFS mounts carry the execute bit whatever
// they hold. Everything else, folders included, is a document.
TargetKind targetKind(const QString& path);

// One argument of an Exec value, quoted so that field codes and reserved
// characters come out as they are.
QString quoteExecArgument(const QString& argument);

// The escapes of a string value: backslash, line feed, tab, carriage return
// and a leading blank, which readers would otherwise strip.
QString escapeStringValue(const QString& value);

// The whole desktop entry for a shortcut, as UTF-8. A relative target is
// taken from the current folder.
QByteArray desktopEntryText(const ShortcutFields& fields, TargetKind kind);
