#include "LinuxFiles.h"

#include <QFile>

#include <sys/stat.h>

QString LinuxFiles::fileNameOf(const QString& path) const
{
    if (path.isEmpty() || path.endsWith(u'/'))
        return {};
    const QString name = path.mid(path.lastIndexOf(u'/') + 1);
    if (name.startsWith(u'.'))
        return {};
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return {};
    return name;
}
