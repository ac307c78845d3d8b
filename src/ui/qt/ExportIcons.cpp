// Writes the program's icon as PNG files in the freedesktop icon theme layout
// (<folder>/hicolor/<n>x<n>/apps/ombrel.png), for installation.
#include "Art.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (int size : {16, 32, 48, 64}) {
        const QString folder = root.filePath(QStringLiteral("hicolor/%1x%1/apps").arg(size));
        if (!QDir().mkpath(folder) || !art::iconImage(size).save(QDir(folder).filePath("ombrel.png"))) {
            std::fprintf(stderr, "cannot write the %d px icon into %s\n", size, qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
