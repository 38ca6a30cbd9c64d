#include "qt/forms/qt_convert.h"

QImage toQImage(guide::Picture picture)
{
    if (picture.isNull())
        return {};
    // The image takes the picture's buffer with it and frees it when the last
    // copy of the image goes.
    auto *kept = new guide::Picture(std::move(picture));
    return QImage(
        reinterpret_cast<const uchar *>(kept->pixels.data()), kept->width, kept->height,
        qsizetype(kept->width) * qsizetype(sizeof(std::uint32_t)), QImage::Format_RGB32,
        [](void *p) { delete static_cast<guide::Picture *>(p); }, kept);
}
