#include "LinuxAppFolder.h"

#include "core/window/ProfileLocation.h"
#include "core/profile/Profile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

namespace {

// A package installs the executable in /usr/bin and its other files in
// /usr/share/ombrel; a build or portable folder keeps them all together.
std::string shippedFilesFolderOf(const std::string& executableFolder)
{
    const QDir bin(QString::fromStdString(executableFolder));
    if (bin.dirName() != QLatin1String("bin"))
        return executableFolder;
    const QString shared = bin.absoluteFilePath(QStringLiteral("../share/ombrel"));
    return QFileInfo(shared).isDir() ? QDir::cleanPath(shared).toStdString() : executableFolder;
}

} // namespace

LinuxAppFolder::LinuxAppFolder()
{
    ProfileFolderFacts facts;
    facts.executableFolder = QCoreApplication::applicationDirPath().toStdString();
    facts.profileBesideExecutable = QFileInfo::exists(QString::fromStdString(profilePath(facts.executableFolder)));
    facts.executableFolderWritable = ::access(facts.executableFolder.c_str(), W_OK) == 0;
    facts.perUserFolder = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
                              .filePath(QStringLiteral("ombrel"))
                              .toStdString();
    shippedFiles_ = shippedFilesFolderOf(facts.executableFolder);
    path_ = chooseProfileFolder(facts);
    if (path_ == facts.perUserFolder)
        QDir().mkpath(QString::fromStdString(path_));
}
