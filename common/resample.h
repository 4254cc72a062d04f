#pragma once
// Picture resampling with the Lanczos filter of radius 3.

#include <QImage>

namespace pictures {

// Resamples src to exactly width x height: separable Lanczos filter of radius 3
// (weight sinc(x)·sinc(x/3) for |x| < 3), weights normalised per output pixel, the filter
// widened by the reduction factor when shrinking, edge pixels repeated beyond the border.
// The result is Format_RGB32; alpha is not kept. An empty source or target size gives a
// null image.
QImage lanczosResize(const QImage &src, int width, int height);

} // namespace pictures
