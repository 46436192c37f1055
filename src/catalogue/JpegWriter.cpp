#include "catalogue/JpegWriter.h"

#include "catalogue/ImageTransforms.h"
#include "util/KestrixError.h"
#include "util/Utils.h"

#include <QDir>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>

#include <jerror.h>
#include <jpeglib.h>

namespace kestrix {

namespace {

constexpr int Quality = 90;
constexpr qsizetype FirstBufferSize = 64 * 1024;

// libjpeg's own error_exit ends the process. This one formats the message
// and jumps back to encode(), which turns it into an error the caller sees.
struct ErrorManager
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void jumpOnError(j_common_ptr info)
{
    auto *errors = reinterpret_cast<ErrorManager *>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// Warnings are not worth a word on stderr: the picture is still written.
void ignoreMessage(j_common_ptr) {}

// Collects the encoder's output in a growing byte array.
struct ByteArrayDestination
{
    jpeg_destination_mgr pub;
    QByteArray *bytes;
};

ByteArrayDestination *destinationOf(j_compress_ptr info)
{
    return reinterpret_cast<ByteArrayDestination *>(info->dest);
}

void initDestination(j_compress_ptr info)
{
    ByteArrayDestination *destination = destinationOf(info);
    destination->bytes->resize(FirstBufferSize);
    destination->pub.next_output_byte = reinterpret_cast<JOCTET *>(destination->bytes->data());
    destination->pub.free_in_buffer = size_t(destination->bytes->size());
}

boolean emptyOutputBuffer(j_compress_ptr info)
{
    ByteArrayDestination *destination = destinationOf(info);
    const qsizetype used = destination->bytes->size();
    // No C++ exception may pass through libjpeg's C frames, and the jump
    // must not leave a catch handler: note the failure, report it after.
    bool grown = true;
    try {
        destination->bytes->resize(used * 2);
    } catch (const std::bad_alloc &) {
        grown = false;
    }
    if (!grown)
        ERREXIT1(info, JERR_OUT_OF_MEMORY, 0);
    destination->pub.next_output_byte = reinterpret_cast<JOCTET *>(destination->bytes->data() + used);
    destination->pub.free_in_buffer = size_t(destination->bytes->size() - used);
    return TRUE;
}

void termDestination(j_compress_ptr info)
{
    ByteArrayDestination *destination = destinationOf(info);
    destination->bytes->resize(destination->bytes->size() - qsizetype(destination->pub.free_in_buffer));
}

// Plain C data only between setjmp and a possible longjmp, so the jump
// skips no destructor. Returns false with the encoder's message on failure.
bool encode(const QImage &rgb, QByteArray &output, char *message)
{
    jpeg_compress_struct info;
    ErrorManager errors;
    ByteArrayDestination destination;

    info.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = jumpOnError;
    errors.pub.output_message = ignoreMessage;
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        std::memcpy(message, errors.message, JMSG_LENGTH_MAX);
        return false;
    }
    jpeg_create_compress(&info);

    destination.pub.init_destination = initDestination;
    destination.pub.empty_output_buffer = emptyOutputBuffer;
    destination.pub.term_destination = termDestination;
    destination.bytes = &output;
    info.dest = &destination.pub;

    info.image_width = JDIMENSION(rgb.width());
    info.image_height = JDIMENSION(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, Quality, TRUE);
    info.dct_method = JDCT_FLOAT;

    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

QByteArray convertToJpeg(const QImage &picture)
{
    // BitmapFormat holds red, green, blue in this order: exactly JCS_RGB.
    const QImage rgb = picture.format() == BitmapFormat ? picture : picture.convertToFormat(BitmapFormat);
    QByteArray output;
    char message[JMSG_LENGTH_MAX] = {};
    if (!encode(rgb, output, message)) {
        throw KestrixError(ErrorTexts::Jpeg, {QString::fromLocal8Bit(message)});
    }
    return output;
}

void saveJpeg(const QImage &picture, const QString &path)
{
    writeWholeFile(path, convertToJpeg(picture));
}

} // namespace kestrix
