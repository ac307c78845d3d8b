#pragma once

#include <cstddef>
#include <string>

class CodePage;

// The line that names the product and counts the items: the caption of the
// title strip and the tray tip.
std::string titleText(std::size_t itemCount);

// The tray tip: the title text cut so that its ANSI form and the ending zero
// byte fit the 64-byte tip field of the tray record.
std::string trayTipText(std::size_t itemCount, const CodePage& codePage);

// The caption of message boxes that bring no title of their own.
std::string applicationTitle();
