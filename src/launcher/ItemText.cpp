#include "ItemText.h"

const QString kItemMarker = QStringLiteral("● ");
const QString kFilenameKey = QStringLiteral("Filename");

QString displayTextOf(const QString& name)
{
    return kItemMarker + name;
}

QString itemNameOf(const QString& displayText)
{
    return QString(displayText).remove(kItemMarker);
}

QString folderPart(const QString& path, QChar separator)
{
    return path.left(path.lastIndexOf(separator) + 1);
}

QString quickLaunchFolder(const QString& startMenu)
{
    return QString(startMenu).replace(QStringLiteral("Windows\\Start Menu"),
                                      QStringLiteral("Internet Explorer\\Quick Launch"),
                                      Qt::CaseSensitive);
}
