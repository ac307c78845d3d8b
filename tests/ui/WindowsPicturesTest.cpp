// The pictures the Windows program carries are files drawn once by the Qt
// build's drawing code; they must stay what that code draws.
#include "ui/qt/Art.h"

#include <QFile>
#include <QImageReader>

#include <gtest/gtest.h>

namespace {

QString carried(const char* name)
{
    return QStringLiteral(OMBREL_WINDOWS_PICTURES "/") + QLatin1String(name);
}

}  // namespace

TEST(WindowsPictures, TheCarriedFilesAreWhatTheDrawingCodeDraws)
{
    QFile icon(carried("ombrel.ico"));
    ASSERT_TRUE(icon.open(QIODevice::ReadOnly)) << "tools/draw-pictures.sh writes it";
    EXPECT_TRUE(icon.readAll() == art::windowsIconFile()) << "run tools/draw-pictures.sh after changing the drawing";

    // A reader that knows icon files finds the six images at their sizes.
    QImageReader reader(carried("ombrel.ico"));
    if (reader.canRead()) {
        QList<int> sizes;
        do
            sizes.append(reader.read().width());
        while (reader.jumpToNextImage());
        EXPECT_EQ(sizes, (QList<int>{16, 20, 24, 32, 48, 256}));
    }

    for (int dpi : {96, 192}) {
        const QImage file(carried(dpi == 96 ? "background-96.png" : "background-192.png"));
        const QImage drawn = art::background(art::backgroundSize(dpi)).toImage();
        EXPECT_EQ(file.size(), drawn.size()) << dpi;
        EXPECT_TRUE(file.convertToFormat(QImage::Format_RGB32) == drawn.convertToFormat(QImage::Format_RGB32)) << dpi;
    }
    for (bool highlighted : {false, true}) {
        const QImage file(carried(highlighted ? "unlock-highlighted.png" : "unlock-rest.png"));
        EXPECT_TRUE(file.convertToFormat(QImage::Format_ARGB32) == art::unlockPicture(highlighted).convertToFormat(QImage::Format_ARGB32))
            << highlighted;
    }
}
