// The tile pictures: every index the frame computation can produce has a picture, and two indexes
// whose parts differ never look the same, in both tile sizes.

#include "work/TileFrame.h"
#include "work/TileLayout.h"
#include "work/TilePictures.h"

#include <QCryptographicHash>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QSet>

#include <gtest/gtest.h>

using namespace kalver::work;

namespace {

// What the picture of a frame must show; frames with equal keys may look alike.
QString partsKey(const TileFrameParts& p) {
    return QStringLiteral("%1/%2/%3/%4/%5/%6/%7/%8")
        .arg(p.battery)
        .arg(int(p.pointer))
        .arg(int(p.activity))
        .arg(p.downloadQuarters)
        .arg(p.downloadPhase)
        .arg(p.registrationMarks)
        .arg(p.tuning)
        .arg(p.test);
}

QByteArray pictureHash(const TileGeometry& g, int frame) {
    QImage image(g.width, g.height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    TilePictures::paintFrame(p, g, tileFrameParts(frame));
    p.end();
    return QCryptographicHash::hash(QByteArrayView(image.constBits(), image.sizeInBytes()), QCryptographicHash::Sha1);
}

void expectDistinguishable(const TileGeometry& g) {
    QHash<QByteArray, QString> keyOfPicture;
    QSet<QString> keys;
    for (int frame = 1; frame <= kTileFrameCount; ++frame) {
        const QString key = partsKey(tileFrameParts(frame));
        keys.insert(key);
        const QByteArray hash = pictureHash(g, frame);
        const auto found = keyOfPicture.constFind(hash);
        if (found != keyOfPicture.constEnd())
            ASSERT_EQ(*found, key) << "frame " << frame << " looks like a frame with other parts";
        else
            keyOfPicture.insert(hash, key);
    }
    // Blocks 3, 7 and 11 (registration marks 3) are never computed and look like blocks 2, 6, 10.
    EXPECT_EQ(keys.size(), kTileFrameCount - 3 * kTileFrameBlock);
    EXPECT_EQ(keyOfPicture.size(), keys.size());
}

} // namespace

TEST(TilePictures, EveryFrameIsDistinguishableOnContainerTiles) {
    expectDistinguishable(containerTileGeometry());
}

TEST(TilePictures, EveryFrameIsDistinguishableOnMnemonicTiles) {
    expectDistinguishable(mnemoTileGeometry());
}

TEST(TilePictures, EachFrameIsDrawnOnceAndTheStoreIsBounded) {
    TilePictures pictures(containerTileGeometry());
    const QPixmap first = pictures.picture(217);
    EXPECT_EQ(first.size(), QSize(66, 123));
    EXPECT_EQ(pictures.picture(217).cacheKey(), first.cacheKey());
    EXPECT_EQ(pictures.heldCount(), 1);
    // Index 0 (the frame before the first blink) and indexes past the strip are drawn as the nearest.
    EXPECT_FALSE(pictures.picture(0).isNull());
    for (int frame = 1; frame <= kTileFrameCount; ++frame) {
        pictures.picture(frame);
        ASSERT_LE(pictures.heldCount(), TilePictures::kMaxHeld);
    }
}
