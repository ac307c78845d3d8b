#pragma once

#include <QChar>
#include <QString>

// Questions about files, answered by the file system.
class Files {
public:
    virtual ~Files() = default;
    // The name of the file that path names, as the file system stores it,
    // or the empty text when path names no plain file: missing, a folder,
    // a device or socket, or a hidden file.
    virtual QString fileNameOf(const QString& path) const = 0;
    // The character between the folders of a path.
    virtual QChar separator() const = 0;
};
