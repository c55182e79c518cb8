#include "app/jpeg_image.h"

#include <csetjmp>
#include <cstdio>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace vkr {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void onError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void onMessage(j_common_ptr, int) {}

struct Decoded {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
    std::string error;
};

// libjpeg reports errors by longjmp, so this frame holds nothing with a destructor of its own;
// the results go to the caller's Decoded.
bool decodeInto(const unsigned char* data, unsigned long size, Decoded* out) {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = onError;
    err.base.emit_message = onMessage;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        out->error = err.message;
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, size);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    out->width = static_cast<int>(cinfo.output_width);
    out->height = static_cast<int>(cinfo.output_height);
    const size_t stride = static_cast<size_t>(out->width) * 3;
    out->rgb.resize(stride * static_cast<size_t>(out->height));
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = out->rgb.data() + stride * cinfo.output_scanline;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

} // namespace

QImage decodeJpeg(const QByteArray& bytes, QString* error) {
    Decoded decoded;
    if (bytes.isEmpty()) {
        decoded.error = "empty file";
    } else if (decodeInto(reinterpret_cast<const unsigned char*>(bytes.constData()),
                          static_cast<unsigned long>(bytes.size()), &decoded)) {
        QImage image(decoded.width, decoded.height, QImage::Format_RGB888);
        const size_t stride = static_cast<size_t>(decoded.width) * 3;
        for (int y = 0; y < decoded.height; ++y) {
            std::copy_n(decoded.rgb.data() + stride * static_cast<size_t>(y), stride,
                        image.scanLine(y));
        }
        return image;
    }
    if (error) {
        *error = QString::fromStdString(decoded.error);
    }
    return QImage();
}

} // namespace vkr
