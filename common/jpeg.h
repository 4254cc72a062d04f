#pragma once
// JPEG decoding and encoding through libjpeg.

#include <QByteArray>
#include <QImage>
#include <QString>

#include <stdexcept>

namespace pictures {

class JpegError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class Colours {
    Palette256, // libjpeg's own quantizer: 256 colours, Floyd-Steinberg dithering, integer DCT
    Full        // plain decode, 24-bit colour
};

// Throws JpegError with libjpeg's message when the bytes are not a JPEG picture.
QImage decodeJpeg(const QByteArray &bytes, Colours colours = Colours::Palette256);
QImage decodeJpegFile(const QString &path, Colours colours = Colours::Palette256);

// Encodes at the given quality (libjpeg's jpeg_set_quality, 0..100).
QByteArray encodeJpeg(const QImage &image, int quality);

} // namespace pictures
