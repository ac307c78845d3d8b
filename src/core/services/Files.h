#pragma once

#include <string>

// Questions about files, answered by the file system. Paths are UTF-8.
class Files {
public:
    virtual ~Files() = default;
    // The name of the file that path names, as the file system stores it,
    // or the empty text when path names no plain file: missing, a folder,
    // a device or socket, or (where the system hides files by a leading
    // dot) a hidden file.
    virtual std::string fileNameOf(const std::string& path) const = 0;
    // The character between the folders of a path.
    virtual char separator() const = 0;
};
