#pragma once

#include <QImage>
#include <QString>

namespace vkr {

// Decodes a baseline JPEG with libjpeg. A file that cannot be read or decoded gives a null
// image and the reason in *error.
QImage decodeJpeg(const QByteArray& bytes, QString* error = nullptr);

} // namespace vkr
