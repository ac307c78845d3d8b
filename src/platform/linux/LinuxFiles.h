#pragma once

#include "platform/Files.h"

class LinuxFiles final : public Files {
public:
    // Symbolic links count as what they point at; names starting with "."
    // are hidden.
    QString fileNameOf(const QString& path) const override;
    QChar separator() const override { return u'/'; }
};
