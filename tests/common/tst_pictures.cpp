#include "fitting.h"
#include "jpeg.h"
#include "resample.h"

#include <QBuffer>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdio> // jpeglib.h needs FILE
#include <cstdlib>
#include <optional>
#include <vector>

#include <jpeglib.h>

using pictures::Colours;
using pictures::Edges;
using pictures::JpegError;

Q_DECLARE_METATYPE(pictures::Colours)
Q_DECLARE_METATYPE(QImage::Format)
Q_DECLARE_METATYPE(pictures::Edges)

namespace pictures {
char *toString(const Edges &e)
{
    return qstrdup(QStringLiteral("Edges(%1, %2, %3, %4)").arg(e.left).arg(e.top).arg(e.right).arg(e.bottom).toUtf8().constData());
}
} // namespace pictures

namespace {

// Red across, green down, blue along the diagonal: far more than 256 colours.
QImage gradient(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(x * 255 / std::max(1, w - 1), y * 255 / std::max(1, h - 1),
                                    (x + y) * 255 / std::max(1, w + h - 2)));
    return img;
}

// Fine detail in brightness, which JPEG keeps better the higher the quality, from a fixed
// pseudo-random sequence.
QImage detailed(int w, int h)
{
    QImage img = gradient(w, h);
    quint32 seed = 12345;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int n = int(seed >> 26) - 32; // -32..31
            const QRgb p = img.pixel(x, y);
            img.setPixel(x, y, qRgb(std::clamp(qRed(p) + n, 0, 255), std::clamp(qGreen(p) + n, 0, 255),
                                    std::clamp(qBlue(p) + n, 0, 255)));
        }
    return img;
}

// Tiles of 16 x 16 pixels, each one colour of the gradient: few enough colours for an exact
// 8-bit palette, and aligned to JPEG's colour blocks so that compression barely touches them.
QImage tiles(int w, int h)
{
    const QImage colours = gradient(w / 16, h / 16);
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, colours.pixel(x / 16, y / 16));
    return img;
}

struct ChannelMeans {
    double r = 0, g = 0, b = 0;
};

ChannelMeans means(const QImage &image, QRect area)
{
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    ChannelMeans m;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = img.pixel(x, y);
            m.r += qRed(p);
            m.g += qGreen(p);
            m.b += qBlue(p);
        }
    const double n = double(area.width()) * area.height();
    return {m.r / n, m.g / n, m.b / n};
}

// Mean absolute difference per channel over two pictures of the same size.
double meanDifference(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row);
            const QRgb q = y.pixel(col, row);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * x.width() * x.height());
}

int distinctColours(const QImage &image)
{
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    QSet<QRgb> seen;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            seen.insert(img.pixel(x, y));
    return int(seen.size());
}

// Writes raw samples with libjpeg itself, for the colour spaces QImage cannot hand to the
// encoder under test: grey (1 component) and CMYK (4 components, Adobe marker optional).
QByteArray rawJpeg(int w, int h, int components, J_COLOR_SPACE space, const std::vector<JSAMPLE> &samples,
                   bool adobeMarker = true)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr err;
    info.err = jpeg_std_error(&err);
    jpeg_create_compress(&info);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(w);
    info.image_height = JDIMENSION(h);
    info.input_components = components;
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    info.write_Adobe_marker = adobeMarker ? TRUE : FALSE;
    jpeg_set_quality(&info, 100, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPLE *>(&samples[size_t(info.next_scanline) * size_t(w * components)]);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char *>(buffer), qsizetype(size));
    std::free(buffer);
    return bytes;
}

std::optional<QString> jpegErrorOf(const QByteArray &bytes, Colours colours)
{
    try {
        pictures::decodeJpeg(bytes, colours);
    } catch (const JpegError &e) {
        return QString::fromUtf8(e.what());
    }
    return std::nullopt;
}

bool allPixelsAre(const QImage &img, QRgb colour)
{
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != colour)
                return false;
    return true;
}

} // namespace

class Pictures : public QObject {
    Q_OBJECT
private slots:
    // --- JPEG decoding ---

    void fullColourDecodeIsCloseToOriginal()
    {
        const QImage original = gradient(97, 61);
        const QImage decoded = pictures::decodeJpeg(pictures::encodeJpeg(original, 95), Colours::Full);
        QCOMPARE(decoded.format(), QImage::Format_RGB32);
        QCOMPARE(decoded.size(), original.size());
        QVERIFY2(meanDifference(decoded, original) < 2.0, qPrintable(QString::number(meanDifference(decoded, original))));
    }

    void paletteDecodeDithersTo256Colours()
    {
        const QImage original = gradient(256, 192);
        QVERIFY(distinctColours(original) > 10000);
        const QByteArray bytes = pictures::encodeJpeg(original, 95);
        const QImage full = pictures::decodeJpeg(bytes, Colours::Full);
        const QImage palette = pictures::decodeJpeg(bytes); // the default mode

        QCOMPARE(palette.format(), QImage::Format_Indexed8);
        QCOMPARE(palette.size(), original.size());
        QVERIFY(palette.colorCount() > 128);
        QVERIFY(palette.colorCount() <= 256);
        for (int y = 0; y < palette.height(); ++y)
            for (int x = 0; x < palette.width(); ++x)
                QVERIFY(palette.pixelIndex(x, y) < palette.colorCount());

        // Error diffusion keeps the local mean colour: 16 x 16 blocks average out close to the
        // full-colour decode, though single pixels are off by a palette step. Plain nearest-colour
        // mapping misses inner blocks by over 2. Along the border the palette cannot reach the
        // gradient's extremes, so the margin there is wider.
        const int blocksAcross = palette.width() / 16;
        const int blocksDown = palette.height() / 16;
        for (int by = 0; by < blocksDown; ++by)
            for (int bx = 0; bx < blocksAcross; ++bx) {
                const QRect block(bx * 16, by * 16, 16, 16);
                const ChannelMeans p = means(palette, block);
                const ChannelMeans f = means(full, block);
                const bool border = bx == 0 || by == 0 || bx == blocksAcross - 1 || by == blocksDown - 1;
                const double allowed = border ? 3.0 : 1.0;
                QVERIFY2(std::abs(p.r - f.r) < allowed && std::abs(p.g - f.g) < allowed && std::abs(p.b - f.b) < allowed,
                         qPrintable(QStringLiteral("block %1,%2: %3 %4 %5 against %6 %7 %8")
                                        .arg(bx).arg(by).arg(p.r).arg(p.g).arg(p.b).arg(f.r).arg(f.g).arg(f.b)));
            }
        const ChannelMeans p = means(palette, palette.rect());
        const ChannelMeans f = means(full, full.rect());
        QVERIFY(std::abs(p.r - f.r) < 1 && std::abs(p.g - f.g) < 1 && std::abs(p.b - f.b) < 1);
        QVERIFY(meanDifference(palette, full) > 0.5); // it really was reduced
    }

    void greyJpegDecodes_data()
    {
        QTest::addColumn<Colours>("colours");
        QTest::addColumn<QImage::Format>("format");
        QTest::newRow("palette") << Colours::Palette256 << QImage::Format_Indexed8;
        QTest::newRow("full") << Colours::Full << QImage::Format_RGB32;
    }

    void greyJpegDecodes()
    {
        QFETCH(Colours, colours);
        QFETCH(QImage::Format, format);
        const int w = 64, h = 16;
        std::vector<JSAMPLE> samples(size_t(w * h));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                samples[size_t(y * w + x)] = JSAMPLE(x * 4);
        const QImage img = pictures::decodeJpeg(rawJpeg(w, h, 1, JCS_GRAYSCALE, samples), colours);
        QCOMPARE(img.format(), format);
        QCOMPARE(img.size(), QSize(w, h));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const QRgb p = img.pixel(x, y);
                QCOMPARE(qGreen(p), qRed(p));
                QCOMPARE(qBlue(p), qRed(p));
                QVERIFY2(std::abs(qRed(p) - x * 4) <= 3, qPrintable(QStringLiteral("%1 at %2").arg(qRed(p)).arg(x)));
            }
    }

    void cmykJpegDecodes_data()
    {
        QTest::addColumn<bool>("adobe");
        QTest::addColumn<Colours>("colours");
        QTest::newRow("adobe inverted, full") << true << Colours::Full;
        QTest::newRow("adobe inverted, palette") << true << Colours::Palette256;
        QTest::newRow("plain, full") << false << Colours::Full;
        QTest::newRow("plain, palette") << false << Colours::Palette256;
    }

    void cmykJpegDecodes()
    {
        QFETCH(bool, adobe);
        QFETCH(Colours, colours);
        // Stripes of 16 x 16 pixels, given as ink (255 = full ink) and the colour they make.
        struct Stripe {
            int c, m, y, k;
            QRgb rgb;
        };
        const std::vector<Stripe> stripes{{0, 255, 255, 0, qRgb(255, 0, 0)},   {255, 0, 255, 0, qRgb(0, 255, 0)},
                                          {255, 255, 0, 0, qRgb(0, 0, 255)},   {0, 0, 0, 0, qRgb(255, 255, 255)},
                                          {0, 0, 0, 255, qRgb(0, 0, 0)},       {0, 0, 0, 128, qRgb(127, 127, 127)},
                                          {0, 128, 255, 0, qRgb(255, 127, 0)}};
        const int w = 16 * int(stripes.size()), h = 16;
        std::vector<JSAMPLE> samples(size_t(w * h * 4));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const Stripe &s = stripes[size_t(x / 16)];
                JSAMPLE *p = &samples[size_t((y * w + x) * 4)];
                const int ink[4] = {s.c, s.m, s.y, s.k};
                for (int i = 0; i < 4; ++i)
                    p[i] = JSAMPLE(adobe ? 255 - ink[i] : ink[i]);
            }
        const QImage img = pictures::decodeJpeg(rawJpeg(w, h, 4, JCS_CMYK, samples, adobe), colours);
        QCOMPARE(img.size(), QSize(w, h));
        QCOMPARE(img.format(), colours == Colours::Full ? QImage::Format_RGB32 : QImage::Format_Indexed8);
        for (size_t i = 0; i < stripes.size(); ++i) {
            // The middle of a stripe, where neither compression nor dithering blurs the colour much.
            const ChannelMeans m = means(img, QRect(int(i) * 16 + 4, 4, 8, 8));
            const QRgb want = stripes[i].rgb;
            QVERIFY2(std::abs(m.r - qRed(want)) < 8 && std::abs(m.g - qGreen(want)) < 8 && std::abs(m.b - qBlue(want)) < 8,
                     qPrintable(QStringLiteral("stripe %1: %2 %3 %4").arg(i).arg(m.r).arg(m.g).arg(m.b)));
        }
    }

    void brokenBytesRaiseJpegError_data()
    {
        const QByteArray good = pictures::encodeJpeg(gradient(40, 30), 90);
        const qsizetype scanStart = good.indexOf("\xFF\xDA");
        QVERIFY(scanStart > 0);
        const qsizetype frameStart = good.indexOf("\xFF\xC0");
        QVERIFY(frameStart > 0);
        QByteArray zeroWidth = good;
        zeroWidth[frameStart + 7] = 0; // SOF0: length(2) precision(1) height(2) width(2)
        zeroWidth[frameStart + 8] = 0;
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        gradient(8, 8).save(&buffer, "PNG");

        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("text") << QByteArray("this is not a picture");
        QTest::newRow("png") << png;
        QTest::newRow("start marker only") << QByteArray("\xFF\xD8", 2);
        QTest::newRow("start marker and zeros") << (QByteArray("\xFF\xD8", 2) + QByteArray(100, '\0'));
        QTest::newRow("tables without scan") << good.left(scanStart);
        QTest::newRow("zero width") << zeroWidth;
    }

    void brokenBytesRaiseJpegError()
    {
        QFETCH(QByteArray, bytes);
        for (Colours colours : {Colours::Palette256, Colours::Full}) {
            const std::optional<QString> message = jpegErrorOf(bytes, colours);
            QVERIFY(message.has_value());
            QVERIFY(!message->isEmpty());
        }
    }

    void damagedBytesDecodeOrRaise()
    {
        // Bytes overwritten anywhere, headers included: each attempt either gives a picture or
        // raises JpegError; nothing else escapes, and nothing ends the program.
        const QByteArray good = pictures::encodeJpeg(gradient(48, 32), 80);
        quint32 seed = 99;
        int raised = 0, decoded = 0;
        for (int attempt = 0; attempt < 300; ++attempt) {
            QByteArray bytes = good;
            for (int n = 0; n < 1 + attempt % 4; ++n) {
                seed = seed * 1664525u + 1013904223u;
                const qsizetype at = qsizetype(seed >> 8) % bytes.size();
                seed = seed * 1664525u + 1013904223u;
                bytes[at] = char(seed >> 24);
            }
            const Colours colours = attempt % 2 ? Colours::Full : Colours::Palette256;
            try {
                const QImage img = pictures::decodeJpeg(bytes, colours);
                QVERIFY(!img.isNull());
                ++decoded;
            } catch (const JpegError &e) {
                QVERIFY(*e.what() != '\0');
                ++raised;
            }
        }
        QVERIFY(raised > 0);
        QVERIFY(decoded > 0);
    }

    void truncatedScanKeepsWhatArrived()
    {
        // Like other viewers, a photo cut short in its scan data shows what was there.
        const QImage original = gradient(160, 160);
        const QByteArray bytes = pictures::encodeJpeg(original, 90);
        const qsizetype scanStart = bytes.indexOf("\xFF\xDA");
        const QByteArray cut = bytes.left(scanStart + (bytes.size() - scanStart) / 2);
        const QImage img = pictures::decodeJpeg(cut, Colours::Full);
        QCOMPARE(img.size(), original.size());
        QVERIFY(meanDifference(img.copy(0, 0, 160, 32), original.copy(0, 0, 160, 32)) < 2.0);
        QVERIFY(meanDifference(img.copy(0, 128, 160, 32), original.copy(0, 128, 160, 32)) > 20.0);
    }

    void decodesFiles()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QImage original = gradient(50, 20);
        const QString good = dir.filePath(QStringLiteral("photo.jpg"));
        {
            QFile f(good);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(pictures::encodeJpeg(original, 90));
        }
        const QImage img = pictures::decodeJpegFile(good, Colours::Full);
        QCOMPARE(img.size(), original.size());
        QVERIFY(meanDifference(img, original) < 3.0);
        QCOMPARE(pictures::decodeJpegFile(good).format(), QImage::Format_Indexed8);

        const QString bad = dir.filePath(QStringLiteral("notes.jpg"));
        {
            QFile f(bad);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("just some notes");
        }
        for (const QString &path : {dir.filePath(QStringLiteral("missing.jpg")), bad}) {
            try {
                pictures::decodeJpegFile(path);
                QFAIL("no error");
            } catch (const JpegError &e) {
                QVERIFY2(QString::fromUtf8(e.what()).contains(path), e.what());
            }
        }
    }

    // --- JPEG encoding ---

    void encodesEveryImageFormat_data()
    {
        QTest::addColumn<QImage::Format>("format");
        QTest::newRow("RGB32") << QImage::Format_RGB32;
        QTest::newRow("ARGB32") << QImage::Format_ARGB32;
        QTest::newRow("ARGB32 premultiplied") << QImage::Format_ARGB32_Premultiplied;
        QTest::newRow("RGB888") << QImage::Format_RGB888;
        QTest::newRow("RGB16") << QImage::Format_RGB16;
        QTest::newRow("Grayscale8") << QImage::Format_Grayscale8;
        QTest::newRow("Indexed8") << QImage::Format_Indexed8;
    }

    void encodesEveryImageFormat()
    {
        QFETCH(QImage::Format, format);
        const QImage source = tiles(96, 64).convertToFormat(format);
        QCOMPARE(source.format(), format);
        const QByteArray bytes = pictures::encodeJpeg(source, 95);
        QVERIFY(bytes.startsWith("\xFF\xD8"));
        QVERIFY(bytes.endsWith("\xFF\xD9"));
        const QImage decoded = pictures::decodeJpeg(bytes, Colours::Full);
        QCOMPARE(decoded.size(), source.size());
        QVERIFY2(meanDifference(decoded, source) < 1.5, qPrintable(QString::number(meanDifference(decoded, source))));
    }

    void higherQualityGivesMoreBytesAndLessLoss()
    {
        const QImage original = detailed(120, 90);
        qsizetype lastSize = 0;
        double lastLoss = 1e9;
        for (int quality : {10, 40, 70, 90, 100}) {
            const QByteArray bytes = pictures::encodeJpeg(original, quality);
            const double loss = meanDifference(pictures::decodeJpeg(bytes, Colours::Full), original);
            QVERIFY2(bytes.size() > lastSize, qPrintable(QStringLiteral("quality %1").arg(quality)));
            QVERIFY2(loss < lastLoss, qPrintable(QStringLiteral("quality %1").arg(quality)));
            lastSize = bytes.size();
            lastLoss = loss;
        }
    }

    void encodingNothingRaisesJpegError()
    {
        QVERIFY_THROWS_EXCEPTION(JpegError, pictures::encodeJpeg(QImage(), 90));
    }

    // --- Lanczos resampling ---

    void resizeKeepsConstantColourAtExactSize_data()
    {
        QTest::addColumn<QSize>("from");
        QTest::addColumn<QSize>("to");
        QTest::newRow("shrink") << QSize(100, 80) << QSize(37, 23);
        QTest::newRow("to one pixel") << QSize(10, 10) << QSize(1, 1);
        QTest::newRow("enlarge a lot") << QSize(3, 2) << QSize(640, 480);
        QTest::newRow("from one pixel") << QSize(1, 1) << QSize(5, 7);
        QTest::newRow("same size") << QSize(64, 48) << QSize(64, 48);
        QTest::newRow("mixed") << QSize(50, 1) << QSize(20, 3);
    }

    void resizeKeepsConstantColourAtExactSize()
    {
        QFETCH(QSize, from);
        QFETCH(QSize, to);
        const QRgb colour = qRgb(10, 200, 77);
        QImage src(from, QImage::Format_RGB888);
        src.fill(colour);
        const QImage out = pictures::lanczosResize(src, to.width(), to.height());
        QCOMPARE(out.format(), QImage::Format_RGB32);
        QCOMPARE(out.size(), to);
        QVERIFY(allPixelsAre(out, colour));
    }

    void resizeToSameSizeKeepsEveryPixel()
    {
        const QImage src = detailed(33, 21);
        QCOMPARE(pictures::lanczosResize(src, 33, 21), src);
    }

    void resizeOfNothingIsNothing()
    {
        QVERIFY(pictures::lanczosResize(QImage(), 10, 10).isNull());
        QVERIFY(pictures::lanczosResize(gradient(4, 4), 0, 10).isNull());
        QVERIFY(pictures::lanczosResize(gradient(4, 4), 10, -1).isNull());
    }

    void rampIsResampledInPlace_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("slope");
        QTest::addColumn<bool>("vertical");
        QTest::newRow("shrink by 4 across") << 256 << 64 << 1 << false;
        QTest::newRow("shrink by 4 down") << 256 << 64 << 1 << true;
        QTest::newRow("shrink by 2.56") << 256 << 100 << 1 << false;
        QTest::newRow("enlarge by 4 across") << 64 << 256 << 4 << false;
        QTest::newRow("enlarge by 4 down") << 64 << 256 << 4 << true;
        QTest::newRow("enlarge by 1.28") << 200 << 256 << 1 << true;
    }

    void rampIsResampledInPlace()
    {
        // A linear ramp comes out as the ramp's value at each output pixel's centre. Pixel
        // centres lie at half-integer positions, so a half-pixel misalignment shows up here.
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, slope);
        QFETCH(bool, vertical);
        const int across = 5;
        QImage src(vertical ? across : from, vertical ? from : across, QImage::Format_RGB32);
        for (int j = 0; j < from; ++j)
            for (int k = 0; k < across; ++k) {
                const int v = j * slope;
                src.setPixel(vertical ? k : j, vertical ? j : k, qRgb(v, 255 - v, 128));
            }
        const QImage result = vertical ? pictures::lanczosResize(src, across, to) : pictures::lanczosResize(src, to, across);
        const double scale = double(from) / to;
        const double support = 3.0 * std::max(scale, 1.0);
        int checked = 0;
        for (int i = 0; i < to; ++i) {
            const double centre = (i + 0.5) * scale; // in source coordinates
            if (centre - support < 1 || centre + support > from - 1)
                continue; // near the edges the repeated border pixels bend the ramp
            const double want = (centre - 0.5) * slope;
            for (int k = 0; k < across; ++k) {
                const QRgb p = vertical ? result.pixel(k, i) : result.pixel(i, k);
                QVERIFY2(std::abs(qRed(p) - want) <= 1.0 && std::abs(qGreen(p) - (255 - want)) <= 1.0 && qBlue(p) == 128,
                         qPrintable(QStringLiteral("pixel %1: %2 %3 %4, want %5").arg(i).arg(qRed(p)).arg(qGreen(p)).arg(qBlue(p)).arg(want)));
            }
            ++checked;
        }
        QVERIFY(checked > to / 2);
    }

    void shrunkCheckerboardTurnsGrey_data()
    {
        QTest::addColumn<int>("factor");
        QTest::newRow("by 2") << 2;
        QTest::newRow("by 3") << 3;
        QTest::newRow("by 4") << 4;
        QTest::newRow("by 7") << 7;
    }

    void shrunkCheckerboardTurnsGrey()
    {
        // Point sampling would give black or white pixels; a filter stretched with the
        // reduction averages the pattern away.
        QFETCH(int, factor);
        const int outSide = 20;
        const int side = outSide * factor;
        QImage board(side, side, QImage::Format_RGB32);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                board.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        const QImage out = pictures::lanczosResize(board, outSide, outSide);
        QCOMPARE(out.size(), QSize(outSide, outSide));
        // The border leans a little towards the repeated edge pixels.
        for (int y = 0; y < outSide; ++y)
            for (int x = 0; x < outSide; ++x) {
                const bool inner = x >= 2 && y >= 2 && x < outSide - 2 && y < outSide - 2;
                QVERIFY2(std::abs(qGray(out.pixel(x, y)) - 127.5) <= (inner ? 1.0 : 6.0),
                         qPrintable(QStringLiteral("%1 at %2,%3").arg(qGray(out.pixel(x, y))).arg(x).arg(y)));
            }
    }

    void photoSizedShrinkKeepsPicture()
    {
        const QImage src = gradient(4000, 3000);
        const QImage out = pictures::lanczosResize(src, 640, 480);
        QCOMPARE(out.size(), QSize(640, 480));
        QVERIFY(meanDifference(out, gradient(640, 480)) < 1.0);
    }

    // --- Fitting ---

    void fitLongSide_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("fitted");
        QTest::newRow("wide") << QSize(1000, 500) << QSize(640, 320);
        QTest::newRow("tall") << QSize(500, 1000) << QSize(320, 640);
        QTest::newRow("square") << QSize(800, 800) << QSize(640, 640);
        QTest::newRow("nearly square") << QSize(999, 1000) << QSize(639, 640);
        QTest::newRow("just too wide") << QSize(641, 10) << QSize(640, 9);
        QTest::newRow("small enough") << QSize(640, 480) << QSize(640, 480);
        QTest::newRow("exactly the limit") << QSize(640, 640) << QSize(640, 640);
        QTest::newRow("tiny") << QSize(3, 2) << QSize(3, 2);
        QTest::newRow("sliver keeps a pixel") << QSize(2000, 1) << QSize(640, 1);
        QTest::newRow("standing sliver") << QSize(1, 2000) << QSize(1, 640);
        QTest::newRow("empty") << QSize(0, 0) << QSize(0, 0);
    }

    void fitLongSide()
    {
        QFETCH(QSize, picture);
        QFETCH(QSize, fitted);
        QCOMPARE(pictures::fitLongSide(picture, 640), fitted);
    }

    void scaleToFit_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<int>("n");
        QTest::addColumn<QSize>("fitted");
        QTest::newRow("photo thumbnail") << QSize(800, 600) << 120 << QSize(120, 90);
        QTest::newRow("small photo enlarged") << QSize(60, 40) << 120 << QSize(120, 80);
        QTest::newRow("tall") << QSize(600, 800) << 120 << QSize(90, 120);
        QTest::newRow("square") << QSize(100, 100) << 120 << QSize(120, 120);
        QTest::newRow("placeholder") << QSize(800, 600) << 240 << QSize(240, 180);
        QTest::newRow("truncated") << QSize(1000, 999) << 120 << QSize(120, 119);
        QTest::newRow("truncated tall") << QSize(7, 11) << 120 << QSize(76, 120);
        QTest::newRow("sliver keeps a pixel") << QSize(2000, 1) << 120 << QSize(120, 1);
        QTest::newRow("empty") << QSize(0, 0) << 120 << QSize(0, 0);
    }

    void scaleToFit()
    {
        QFETCH(QSize, picture);
        QFETCH(int, n);
        QFETCH(QSize, fitted);
        QCOMPARE(pictures::scaleToFit(picture, n), fitted);
    }

    void centredSquare_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QRect>("square");
        QTest::newRow("landscape") << QSize(800, 600) << QRect(100, 0, 600, 600);
        QTest::newRow("portrait") << QSize(600, 800) << QRect(0, 100, 600, 600);
        QTest::newRow("odd margin") << QSize(5, 2) << QRect(1, 0, 2, 2);
        QTest::newRow("odd margin tall") << QSize(2, 9) << QRect(0, 3, 2, 2);
        QTest::newRow("square") << QSize(7, 7) << QRect(0, 0, 7, 7);
    }

    void centredSquare()
    {
        QFETCH(QSize, picture);
        QFETCH(QRect, square);
        QCOMPARE(pictures::centredSquare(picture), square);
    }

    void thumbnailBox_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<Edges>("target");
        // The box's top left corner is (5, 20), so it reaches to (125, 140).
        QTest::newRow("wide") << QSize(240, 120) << Edges{5, 50, 125, 110};
        QTest::newRow("tall") << QSize(100, 200) << Edges{35, 20, 95, 140};
        QTest::newRow("square") << QSize(100, 100) << Edges{5, 20, 125, 140};
        QTest::newRow("photo") << QSize(800, 600) << Edges{5, 35, 125, 125};
        // 3/7 of 120 is 51.43: the picture is 51 high and moved down by Trunc(68.57) div 2.
        QTest::newRow("inexact") << QSize(7, 3) << Edges{5, 54, 125, 105};
        QTest::newRow("inexact tall") << QSize(3, 7) << Edges{39, 20, 90, 140};
        // 31/60 of 120 is exactly 62, which floating point makes 61.99...
        QTest::newRow("exact ratio") << QSize(60, 31) << Edges{5, 49, 125, 111};
        QTest::newRow("exact ratio tall") << QSize(124, 240) << Edges{34, 20, 96, 140};
    }

    void thumbnailBox()
    {
        QFETCH(QSize, picture);
        QFETCH(Edges, target);
        const std::optional<Edges> fitted = pictures::fitIntoThumbnailBox(picture, QPoint(5, 20));
        QVERIFY(fitted.has_value());
        QCOMPARE(*fitted, target);
        QCOMPARE(fitted->toRect(), QRect(target.left, target.top, target.width(), target.height()));
    }

    void hintFrame_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<Edges>("target");
        QTest::newRow("wide") << QSize(300, 150) << Edges{2, 32, 121, 91};
        QTest::newRow("tall") << QSize(90, 180) << Edges{32, 2, 91, 121};
        QTest::newRow("square") << QSize(50, 50) << Edges{2, 2, 121, 121};
        QTest::newRow("photo") << QSize(800, 600) << Edges{2, 17, 121, 106};
        QTest::newRow("inexact") << QSize(7, 3) << Edges{2, 36, 121, 87};
        QTest::newRow("inexact tall") << QSize(3, 7) << Edges{36, 2, 87, 121};
    }

    void hintFrame()
    {
        QFETCH(QSize, picture);
        QFETCH(Edges, target);
        const std::optional<Edges> fitted = pictures::fitIntoHintFrame(picture);
        QVERIFY(fitted.has_value());
        QCOMPARE(*fitted, target);
    }

    void emptyPictureHasNoPlace()
    {
        QVERIFY(!pictures::fitIntoThumbnailBox(QSize(0, 0), QPoint(5, 20)).has_value());
        QVERIFY(!pictures::fitIntoThumbnailBox(QSize(0, 10), QPoint(5, 20)).has_value());
        QVERIFY(!pictures::fitIntoHintFrame(QSize(0, 0)).has_value());
        QVERIFY(!pictures::fitIntoHintFrame(QSize(10, 0)).has_value());
    }

    void edgesConvertToQRect()
    {
        const Edges e{2, 32, 121, 91};
        QCOMPARE(e.toRect(), QRect(QPoint(2, 32), QPoint(120, 90)));
        QCOMPARE(e.toRect().width(), 119);
        QCOMPARE(e.toRect().height(), 59);
    }
};

QTEST_GUILESS_MAIN(Pictures)
#include "tst_pictures.moc"
