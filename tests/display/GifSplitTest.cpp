#include "display/GifSplit.h"
#include "display/GifStructure.h"
#include "support/DisplayHarness.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>

namespace luma::test {
namespace {

// The frame pieces as they were cut before: positions count from 1, the marker is 0x00 0x21 0xF9,
// the header runs to the "!" of the first marker, each piece from the 0xF9 of its marker to the
// "!" of the next, the last to the end of the file without its last two bytes.
struct ByteSearchSplit {
    QByteArray header;
    std::vector<QByteArray> pieces;
    std::vector<int> delays;
};

ByteSearchSplit byteSearch(const QByteArray& b) {
    const QByteArray marker("\x00\x21\xF9", 3);
    const auto find = [&](qsizetype from) { return b.indexOf(marker, from - 1) + 1; };
    const auto piece = [&](qsizetype first, qsizetype last) {
        return b.mid(first - 1, last - first + 1);
    };
    const auto delay = [](const QByteArray& p) {
        return static_cast<unsigned char>(p[3]) + 256 * static_cast<unsigned char>(p[4]);
    };
    ByteSearchSplit out;
    const qsizetype p = find(1);
    out.header = piece(1, p + 1);
    qsizetype t = p + 3;
    while (const qsizetype q = find(t)) {
        out.pieces.push_back(piece(t - 1, q + 1));
        out.delays.push_back(delay(out.pieces.back()));
        t = q + 3;
    }
    if (t < b.size()) {
        out.pieces.push_back(piece(t - 1, b.size() - 2));
        out.delays.push_back(delay(out.pieces.back()));
    }
    return out;
}

// The byte stream the decoder gets for frame `i`.
QByteArray frameStream(const QByteArray& b, const GifSplit& split, std::size_t i) {
    const GifSplit::Frame& f = split.frames[i];
    return b.left(split.prefixLength) + b.mid(f.begin, f.end - f.begin);
}

QColor decodedCentre(const QByteArray& stream) {
    QByteArray data = stream;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    const QImage image = reader.read();
    return image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
}

GifFile animation(std::vector<std::uint16_t> delays) {
    return solidAnimation(QSize(24, 16), kFrameColours, delays);
}

struct WellFormed {
    const char* name;
    GifFile file;
};

std::vector<WellFormed> wellFormedFiles() {
    std::vector<WellFormed> files;
    files.push_back({"three frames", animation({10, 20, 30})});
    files.push_back({"one frame", animation({7})});
    files.push_back({"delays 0 and 65535", animation({0, 65535, 0})});
    GifFile commented = animation({5, 6});
    commented.comment = "made by a test";
    files.push_back({"comment before the first frame", commented});
    GifFile literal = animation({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    literal.literalCodes = true;
    files.push_back({"twelve frames of literal codes", literal});
    GifFile offsets = animation({3, 4, 5});
    offsets.images[1] = solidImage(QSize(8, 8), 1, 4);
    offsets.images[1].offset = QPoint(4, 2);
    offsets.images[2].localPalette = {qRgb(9, 9, 9), qRgb(0, 0, 0)};
    offsets.images[2].indices.assign(offsets.images[2].indices.size(), 0);
    files.push_back({"offsets and a local palette", offsets});
    return files;
}

TEST(GifSplit, EqualsTheByteSearchWhereTheMarkersSitWhereTheyBelong) {
    for (const auto& [name, file] : wellFormedFiles()) {
        SCOPED_TRACE(name);
        const QByteArray b = file.encode();
        const ByteSearchSplit expected = byteSearch(b);
        ASSERT_EQ(expected.pieces.size(), file.images.size()) << "markers where they belong";
        const GifSplit split = splitGif(b);
        ASSERT_TRUE(split.complete);
        ASSERT_EQ(split.frames.size(), file.images.size());
        EXPECT_EQ(b.left(split.prefixLength + 1), expected.header);
        for (std::size_t i = 0; i < split.frames.size(); ++i) {
            const GifSplit::Frame& f = split.frames[i];
            EXPECT_EQ(b.mid(f.begin + 1, f.end - f.begin - 1), expected.pieces[i]) << "piece " << i;
            EXPECT_EQ(f.delay, expected.delays[i]) << "delay " << i;
            EXPECT_EQ(frameStream(b, split, i), expected.header + expected.pieces[i]);
        }
        EXPECT_EQ(split.screen, file.screen);
    }
}

TEST(GifSplit, FindsTheFirstFrameWithoutApplicationExtension) {
    // No looping extension and a colour table ending in 0xFF: the byte before the first frame's
    // control extension is not 0x00.
    GifFile file = solidAnimation(
        QSize(24, 16), {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)},
        {10, 20, 30});
    file.loopExtension = false;
    const QByteArray b = file.encode();

    const ByteSearchSplit old = byteSearch(b);
    ASSERT_EQ(old.pieces.size(), 2u);  // the byte search misses frame 0 and shows it for all
    EXPECT_EQ(decodedCentre(old.header + old.pieces[1]), QColor(255, 0, 0));

    const GifSplit split = splitGif(b);
    ASSERT_TRUE(split.complete);
    ASSERT_EQ(split.frames.size(), 3u);
    const std::vector<QColor> colours = {Qt::red, Qt::green, Qt::blue};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(decodedCentre(frameStream(b, split, i)), colours[i]) << i;
        EXPECT_EQ(split.frames[i].delay, 10 * (i + 1));
    }
}

TEST(GifSplit, MarkerBytesInsideDataDoNotCutAFrame) {
    GifFile file = animation({10, 20, 30});
    file.comment = QByteArray("x\x00\x21\xF9\x04\x01\x02\x03y", 9);
    const QByteArray b = file.encode();
    ASSERT_GT(byteSearch(b).pieces.size(), 3u);  // the search cuts inside the comment

    const GifSplit split = splitGif(b);
    ASSERT_EQ(split.frames.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(decodedCentre(frameStream(b, split, i)), QColor(kFrameColours[i])) << i;
    }
}

TEST(GifSplit, ImagesWithoutControlExtensionAreFramesWithoutDelay) {
    GifFile file = animation({10, 20, 30});
    file.images[0].withControl = false;
    file.images[2].withControl = false;
    const QByteArray b = file.encode();
    const GifSplit split = splitGif(b);
    ASSERT_EQ(split.frames.size(), 3u);
    EXPECT_EQ(split.frames[0].delay, 0);
    EXPECT_EQ(split.frames[1].delay, 20);
    EXPECT_EQ(split.frames[2].delay, 0);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(decodedCentre(frameStream(b, split, i)), QColor(kFrameColours[i])) << i;
    }
}

TEST(GifSplit, AStillWithoutAnyMarkerIsOneFrameOfTheWholeFile) {
    GifFile file = animation({0});
    file.images[0].withControl = false;
    file.loopExtension = false;
    const QByteArray b = file.encode();
    const GifSplit split = splitGif(b);
    ASSERT_EQ(split.frames.size(), 1u);
    EXPECT_EQ(frameStream(b, split, 0), b.left(b.size() - 2));
    EXPECT_EQ(split.frames[0].delay, 0);
    EXPECT_EQ(decodedCentre(frameStream(b, split, 0)), QColor(kFrameColours[0]));
}

TEST(GifSplit, ABrokenFileKeepsTheFramesBeforeTheBreak) {
    GifFile file = animation({10, 20, 30});
    file.literalCodes = true;
    const QByteArray b = file.encode();
    const GifStructure whole = walkGif(b);
    ASSERT_EQ(whole.images.size(), 3u);
    const qsizetype cut = (whole.images[2].descriptor + whole.images[2].end) / 2;

    const GifSplit split = splitGif(b.left(cut));
    EXPECT_FALSE(split.complete);
    ASSERT_EQ(split.frames.size(), 2u);
    EXPECT_EQ(decodedCentre(frameStream(b, split, 1)), QColor(kFrameColours[1]));
}

TEST(GifSplit, NoGifAtAllGivesNoFrames) {
    for (const QByteArray& bytes :
         {QByteArray(), QByteArray("GIF89a"), QByteArray("\xFF\xD8\xFF\xE0 not a gif", 15),
          QByteArray(1000, '\0')}) {
        const GifSplit split = splitGif(bytes);
        EXPECT_FALSE(split.complete);
        EXPECT_TRUE(split.frames.empty());
    }
}

TEST(GifStructure, WalksEveryBlockToTheTrailer) {
    GifFile file = animation({10, 20});
    file.comment = "c";
    const QByteArray b = file.encode();
    const GifStructure gif = walkGif(b);
    EXPECT_EQ(gif.ending, GifStructure::Ending::Trailer);
    EXPECT_EQ(gif.trailer, b.size() - 1);
    EXPECT_EQ(gif.screen, QSize(24, 16));
    ASSERT_EQ(gif.images.size(), 2u);
    for (const auto& image : gif.images) {
        EXPECT_EQ(b[image.control], '!');
        EXPECT_EQ(static_cast<unsigned char>(b[image.control + 1]), 0xF9);
        EXPECT_EQ(b[image.descriptor], ',');
        EXPECT_EQ(b[image.end - 1], '\0');
    }
    EXPECT_EQ(gif.images[1].end, gif.trailer);
}

TEST(GifStructure, TellsHowAWalkEnded) {
    const QByteArray good = animation({10, 20}).encode();
    const GifStructure full = walkGif(good);
    ASSERT_EQ(full.images.size(), 2u);

    QByteArray unknownBlock = good;
    unknownBlock[full.images[1].control] = 'X';
    QByteArray shortControl = good;
    shortControl[full.images[0].control + 2] = 2;  // block size below the delay's end
    QByteArray badCodeSize = good;
    badCodeSize[full.images[0].descriptor + 10] = 12;
    QByteArray noTrailer = good.left(good.size() - 1);

    struct Case {
        const char* name;
        QByteArray bytes;
        GifStructure::Ending ending;
        std::size_t images;
    };
    const Case cases[] = {
        {"unknown block", unknownBlock, GifStructure::Ending::Malformed, 1},
        {"control extension without delay", shortControl, GifStructure::Ending::Malformed, 0},
        {"LZW code size 12", badCodeSize, GifStructure::Ending::Malformed, 0},
        {"no trailer", noTrailer, GifStructure::Ending::EndOfData, 2},
        {"cut in the second image", good.left(full.images[1].end - 3),
         GifStructure::Ending::Truncated, 1},
        {"cut in the screen descriptor", good.left(9), GifStructure::Ending::Truncated, 0},
        {"wrong signature", "GIF90a" + good.mid(6), GifStructure::Ending::Malformed, 0},
    };
    for (const Case& c : cases) {
        const GifStructure gif = walkGif(c.bytes);
        EXPECT_EQ(gif.ending, c.ending) << c.name;
        EXPECT_EQ(gif.images.size(), c.images) << c.name;
    }
    const GifStructure first = walkGif(good, 1);
    EXPECT_EQ(first.ending, GifStructure::Ending::Stopped);
    EXPECT_EQ(first.images.size(), 1u);
}

}  // namespace
}  // namespace luma::test
