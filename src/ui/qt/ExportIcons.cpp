// Writes the program's pictures:
//   ombrel_icons <folder>            the icon as PNG files in the freedesktop
//                                    icon theme layout
//                                    (<folder>/hicolor/<n>x<n>/apps/ombrel.png),
//                                    for installation;
//   ombrel_icons --windows <folder>  ombrel.ico and the background at 96 and
//                                    192 dots per inch (background-96.png,
//                                    background-192.png) and the lock's unlock
//                                    pictures (unlock-rest.png,
//                                    unlock-highlighted.png), which the
//                                    Windows program carries as resources.
#include "Art.h"
#include "Fonts.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>

namespace {

bool write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush())
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

int exportWindowsPictures(const QDir& root)
{
    if (!QDir().mkpath(root.path()))
        return 1;
    bool done = write(root.filePath("ombrel.ico"), art::windowsIconFile());
    for (int dpi : {96, 192}) {
        const QImage picture = art::background(art::backgroundSize(dpi)).toImage();
        done = write(root.filePath(QStringLiteral("background-%1.png").arg(dpi)), art::pngOf(picture)) && done;
    }
    for (bool highlighted : {false, true})
        done = write(root.filePath(highlighted ? "unlock-highlighted.png" : "unlock-rest.png"),
                     art::pngOf(art::unlockPicture(highlighted)))
               && done;
    return done ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[])
{
    const bool windows = argc == 3 && std::strcmp(argv[1], "--windows") == 0;
    if (argc != 2 && !windows) {
        std::fprintf(stderr, "usage: %s [--windows] <folder>\n", argv[0]);
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[argc - 1]));
    if (windows) {
        // QPixmap needs a GUI application; no display is used.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        installFontSubstitutes();  // the unlock pictures' caption, in the program's face
        return exportWindowsPictures(root);
    }
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder = root.filePath(QStringLiteral("hicolor/%1x%1/apps").arg(size));
        if (!QDir().mkpath(folder) || !art::iconImage(size).save(QDir(folder).filePath("ombrel.png"))) {
            std::fprintf(stderr, "cannot write the %d px icon into %s\n", size, qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
