#include "jpeg.h"

#include <QFile>

#include <csetjmp>
#include <cstdio>
#include <new>
#include <vector>

#include <jpeglib.h>

namespace pictures {

namespace {

// libjpeg reports fatal errors through error_exit, which must not return. We jump back to
// the guarded call with the formatted message instead of letting libjpeg exit the program.
struct ErrorManager {
    jpeg_error_mgr pub; // first member: libjpeg hands us a pointer to it
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX] = {};
};

[[noreturn]] void jumpOnError(j_common_ptr cinfo)
{
    auto *err = reinterpret_cast<ErrorManager *>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

[[noreturn]] void failWith(j_common_ptr cinfo, const char *message)
{
    auto *err = reinterpret_cast<ErrorManager *>(cinfo->err);
    std::snprintf(err->message, sizeof err->message, "%s", message);
    std::longjmp(err->jump, 1);
}

// Warnings (a truncated scan, extraneous bytes) leave a usable picture; keep them off stderr.
void dropMessage(j_common_ptr) {}

void installErrorManager(jpeg_error_mgr *pub)
{
    jpeg_std_error(pub);
    pub->error_exit = jumpOnError;
    pub->output_message = dropMessage;
}

// Everything libjpeg may jump over lives here, outside the frames it unwinds, so that a
// longjmp skips no destructor and clobbers no local.
struct Decoder {
    jpeg_decompress_struct info{};
    ErrorManager err;
    const QByteArray *bytes = nullptr;
    Colours colours = Colours::Palette256;
    QImage image;
    std::vector<JSAMPLE> row;
    bool paletteStillToDo = false;
};

QRgb cmykToRgb(const JSAMPLE *p, bool adobeInverted)
{
    // Adobe writers store CMYK inverted (255 = no ink), which makes each channel a plain product.
    int c = p[0], m = p[1], y = p[2], k = p[3];
    if (!adobeInverted) {
        c = 255 - c;
        m = 255 - m;
        y = 255 - y;
        k = 255 - k;
    }
    return qRgb((c * k + 127) / 255, (m * k + 127) / 255, (y * k + 127) / 255);
}

// Only trivially destructible locals: a libjpeg error longjmps out of this function.
void runDecoder(Decoder &d)
{
    jpeg_decompress_struct &info = d.info;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(d.bytes->constData()),
                 static_cast<unsigned long>(d.bytes->size()));
    jpeg_read_header(&info, TRUE);

    // libjpeg turns YCCK into CMYK but neither into RGB; that last step is ours.
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    if (cmyk)
        info.out_color_space = JCS_CMYK;
    else if (info.jpeg_color_space == JCS_UNKNOWN)
        failWith(reinterpret_cast<j_common_ptr>(&info), "Unsupported JPEG colour space");
    else if (d.colours == Colours::Full)
        info.out_color_space = JCS_RGB;
    // In palette mode a grey picture stays grey: the one-pass quantizer then keeps all 256 levels.

    info.dct_method = JDCT_ISLOW;
    const bool quantize = d.colours == Colours::Palette256 && !cmyk;
    if (quantize) {
        info.quantize_colors = TRUE;
        info.desired_number_of_colors = 256;
        info.dither_mode = JDITHER_FS;
        info.two_pass_quantize = TRUE;
    }
    d.paletteStillToDo = d.colours == Colours::Palette256 && cmyk;

    jpeg_start_decompress(&info);
    const int width = static_cast<int>(info.output_width);
    const int height = static_cast<int>(info.output_height);
    d.image = QImage(width, height, quantize ? QImage::Format_Indexed8 : QImage::Format_RGB32);
    if (d.image.isNull())
        failWith(reinterpret_cast<j_common_ptr>(&info), "Not enough memory for the picture");

    if (quantize) {
        // The two-pass quantizer has chosen its colour map by now.
        const bool grey = info.out_color_components == 1;
        d.image.setColorCount(info.actual_number_of_colors);
        for (int i = 0; i < info.actual_number_of_colors; ++i) {
            const int r = info.colormap[0][i];
            d.image.setColor(i, grey ? qRgb(r, r, r) : qRgb(r, info.colormap[1][i], info.colormap[2][i]));
        }
        while (info.output_scanline < info.output_height) {
            JSAMPROW row = d.image.scanLine(static_cast<int>(info.output_scanline));
            if (jpeg_read_scanlines(&info, &row, 1) != 1)
                failWith(reinterpret_cast<j_common_ptr>(&info), "JPEG data ended early");
        }
    } else {
        const int components = info.output_components;
        const bool adobeInverted = info.saw_Adobe_marker;
        d.row.resize(static_cast<size_t>(width) * static_cast<size_t>(components));
        while (info.output_scanline < info.output_height) {
            const int y = static_cast<int>(info.output_scanline);
            JSAMPROW row = d.row.data();
            if (jpeg_read_scanlines(&info, &row, 1) != 1)
                failWith(reinterpret_cast<j_common_ptr>(&info), "JPEG data ended early");
            auto *out = reinterpret_cast<QRgb *>(d.image.scanLine(y));
            const JSAMPLE *in = d.row.data();
            for (int x = 0; x < width; ++x, in += components)
                out[x] = components == 4 ? cmykToRgb(in, adobeInverted) : qRgb(in[0], in[1], in[2]);
        }
    }
    // No jpeg_finish_decompress: the picture is complete, and a fault in whatever follows the
    // last scan line must not cost it. jpeg_destroy_decompress releases everything.
}

bool decodeGuarded(Decoder &d)
{
    if (setjmp(d.err.jump))
        return false;
    runDecoder(d);
    return true;
}

// Collects the encoded bytes in a QByteArray. Unlike jpeg_mem_dest, nothing leaks or is freed
// twice when libjpeg gives up halfway, because the buffer is ours throughout.
struct ByteDestination {
    jpeg_destination_mgr pub; // first member: libjpeg hands us a pointer to it
    QByteArray *out = nullptr;
};

constexpr qsizetype destinationChunk = 64 * 1024;

bool growTo(ByteDestination *dest, qsizetype size)
{
    try {
        dest->out->resize(size);
    } catch (const std::bad_alloc &) {
        return false;
    }
    return true;
}

void initDestination(j_compress_ptr cinfo)
{
    auto *dest = reinterpret_cast<ByteDestination *>(cinfo->dest);
    if (!growTo(dest, destinationChunk))
        failWith(reinterpret_cast<j_common_ptr>(cinfo), "Not enough memory for the JPEG data");
    dest->pub.next_output_byte = reinterpret_cast<JOCTET *>(dest->out->data());
    dest->pub.free_in_buffer = static_cast<size_t>(destinationChunk);
}

boolean emptyDestination(j_compress_ptr cinfo)
{
    // Called when the buffer is full: double it and carry on behind the written bytes.
    auto *dest = reinterpret_cast<ByteDestination *>(cinfo->dest);
    const qsizetype used = dest->out->size();
    if (!growTo(dest, used * 2))
        failWith(reinterpret_cast<j_common_ptr>(cinfo), "Not enough memory for the JPEG data");
    dest->pub.next_output_byte = reinterpret_cast<JOCTET *>(dest->out->data()) + used;
    dest->pub.free_in_buffer = static_cast<size_t>(used);
    return TRUE;
}

void termDestination(j_compress_ptr cinfo)
{
    auto *dest = reinterpret_cast<ByteDestination *>(cinfo->dest);
    dest->out->resize(dest->out->size() - static_cast<qsizetype>(dest->pub.free_in_buffer));
}

struct Encoder {
    jpeg_compress_struct info{};
    ErrorManager err;
    ByteDestination dest;
    const QImage *rgb = nullptr; // Format_RGB888, which is libjpeg's JCS_RGB byte order
    int quality = 75;
    QByteArray bytes;
};

// Only trivially destructible locals: a libjpeg error longjmps out of this function.
void runEncoder(Encoder &e)
{
    jpeg_compress_struct &info = e.info;
    jpeg_create_compress(&info);
    e.dest.pub.init_destination = initDestination;
    e.dest.pub.empty_output_buffer = emptyDestination;
    e.dest.pub.term_destination = termDestination;
    e.dest.out = &e.bytes;
    info.dest = &e.dest.pub;

    info.image_width = static_cast<JDIMENSION>(e.rgb->width());
    info.image_height = static_cast<JDIMENSION>(e.rgb->height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, e.quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        // libjpeg only reads the row; its prototype just lacks the const.
        JSAMPROW row = const_cast<JSAMPLE *>(e.rgb->constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
}

bool encodeGuarded(Encoder &e)
{
    if (setjmp(e.err.jump))
        return false;
    runEncoder(e);
    return true;
}

} // namespace

QImage decodeJpeg(const QByteArray &bytes, Colours colours)
{
    Decoder d;
    d.bytes = &bytes;
    d.colours = colours;
    installErrorManager(&d.err.pub);
    d.info.err = &d.err.pub;
    const bool ok = decodeGuarded(d);
    jpeg_destroy_decompress(&d.info);
    if (!ok)
        throw JpegError(d.err.message);
    // libjpeg quantizes only colour it produced itself; CMYK we converted, so Qt dithers it.
    if (d.paletteStillToDo)
        return d.image.convertToFormat(QImage::Format_Indexed8, Qt::DiffuseDither);
    return std::move(d.image);
}

QImage decodeJpegFile(const QString &path, Colours colours)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw JpegError(QStringLiteral("%1: %2").arg(path, file.errorString()).toStdString());
    const QByteArray bytes = file.readAll();
    try {
        return decodeJpeg(bytes, colours);
    } catch (const JpegError &e) {
        throw JpegError(QStringLiteral("%1: %2").arg(path, QString::fromUtf8(e.what())).toStdString());
    }
}

QByteArray encodeJpeg(const QImage &image, int quality)
{
    if (image.isNull())
        throw JpegError("Cannot encode an empty picture as JPEG");
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    if (rgb.isNull())
        throw JpegError("Not enough memory to encode the picture");

    Encoder e;
    e.rgb = &rgb;
    e.quality = quality;
    installErrorManager(&e.err.pub);
    e.info.err = &e.err.pub;
    const bool ok = encodeGuarded(e);
    jpeg_destroy_compress(&e.info);
    if (!ok)
        throw JpegError(e.err.message);
    return e.bytes;
}

} // namespace pictures
