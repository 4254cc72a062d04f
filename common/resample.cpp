#include "resample.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace pictures {

namespace {

constexpr double radius = 3.0;

double lanczos3(double x)
{
    x = std::abs(x);
    if (x >= radius)
        return 0.0;
    if (x < 1e-9)
        return 1.0;
    const double px = std::numbers::pi * x;
    // sinc(x)·sinc(x/3) written out
    return radius * std::sin(px) * std::sin(px / radius) / (px * px);
}

// The source pixels that feed each output pixel along one axis and their weights. Taps that
// fall outside the source are folded onto the edge pixel, so every output pixel reads one
// contiguous run of source pixels.
struct AxisTaps {
    int stride = 0; // weights stored per output pixel
    std::vector<int> first;
    std::vector<int> count;
    std::vector<float> weights;
};

AxisTaps makeTaps(int srcLen, int dstLen)
{
    const double scale = double(srcLen) / dstLen;
    // When shrinking, the filter is stretched so that it spans every source pixel it covers.
    const double stretch = std::max(scale, 1.0);
    const double support = radius * stretch;

    AxisTaps taps;
    taps.stride = int(std::ceil(2 * support)) + 3;
    taps.first.resize(size_t(dstLen));
    taps.count.resize(size_t(dstLen));
    taps.weights.assign(size_t(dstLen) * size_t(taps.stride), 0.0f);
    std::vector<double> w(size_t(taps.stride));

    for (int i = 0; i < dstLen; ++i) {
        // Pixel centres sit at half-integer positions on both axes; source pixel j covers [j, j+1).
        const double centre = (i + 0.5) * scale;
        const int lo = int(std::floor(centre - support - 0.5));
        const int hi = int(std::ceil(centre + support - 0.5));
        const int first = std::clamp(lo, 0, srcLen - 1);
        const int last = std::clamp(hi, 0, srcLen - 1);
        std::fill(w.begin(), w.end(), 0.0);
        double sum = 0.0;
        for (int j = lo; j <= hi; ++j) {
            const double weight = lanczos3((j + 0.5 - centre) / stretch);
            w[size_t(std::clamp(j, 0, srcLen - 1) - first)] += weight;
            sum += weight;
        }
        taps.first[size_t(i)] = first;
        taps.count[size_t(i)] = last - first + 1;
        float *out = &taps.weights[size_t(i) * size_t(taps.stride)];
        for (int k = 0; k <= last - first; ++k)
            out[k] = float(w[size_t(k)] / sum);
    }
    return taps;
}

int toByte(float v)
{
    return int(std::clamp(v, 0.0f, 255.0f) + 0.5f);
}

} // namespace

QImage lanczosResize(const QImage &src, int width, int height)
{
    if (src.isNull() || width <= 0 || height <= 0)
        return QImage();
    const QImage in = src.convertToFormat(QImage::Format_RGB32);
    const int srcW = in.width();
    const int srcH = in.height();
    QImage result(width, height, QImage::Format_RGB32);
    if (in.isNull() || result.isNull())
        return QImage();

    const AxisTaps across = makeTaps(srcW, width);
    const AxisTaps down = makeTaps(srcH, height);

    // Horizontal pass into floating point, so the vertical pass works on unrounded values.
    const size_t midStride = size_t(width) * 3;
    std::vector<float> mid(midStride * size_t(srcH));
    std::vector<float> line(size_t(srcW) * 3);
    for (int y = 0; y < srcH; ++y) {
        const auto *s = reinterpret_cast<const QRgb *>(in.constScanLine(y));
        for (int x = 0; x < srcW; ++x) {
            line[size_t(x) * 3] = float(qRed(s[x]));
            line[size_t(x) * 3 + 1] = float(qGreen(s[x]));
            line[size_t(x) * 3 + 2] = float(qBlue(s[x]));
        }
        float *out = &mid[midStride * size_t(y)];
        for (int i = 0; i < width; ++i) {
            const float *w = &across.weights[size_t(i) * size_t(across.stride)];
            const float *p = &line[size_t(across.first[size_t(i)]) * 3];
            const int n = across.count[size_t(i)];
            float r = 0, g = 0, b = 0;
            for (int k = 0; k < n; ++k, p += 3) {
                r += w[k] * p[0];
                g += w[k] * p[1];
                b += w[k] * p[2];
            }
            out[size_t(i) * 3] = r;
            out[size_t(i) * 3 + 1] = g;
            out[size_t(i) * 3 + 2] = b;
        }
    }

    // Vertical pass, one whole output row at a time to keep the reads sequential.
    std::vector<float> acc(midStride);
    for (int y = 0; y < height; ++y) {
        std::fill(acc.begin(), acc.end(), 0.0f);
        const float *w = &down.weights[size_t(y) * size_t(down.stride)];
        const int first = down.first[size_t(y)];
        const int n = down.count[size_t(y)];
        for (int k = 0; k < n; ++k) {
            const float wk = w[k];
            const float *row = &mid[midStride * size_t(first + k)];
            for (size_t m = 0; m < midStride; ++m)
                acc[m] += wk * row[m];
        }
        auto *d = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < width; ++x)
            d[x] = qRgb(toByte(acc[size_t(x) * 3]), toByte(acc[size_t(x) * 3 + 1]), toByte(acc[size_t(x) * 3 + 2]));
    }
    return result;
}

} // namespace pictures
