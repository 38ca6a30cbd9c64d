#pragma once
// A window's surface rendered off screen at any scale factor, as the screen
// would show it at that scale: magenta wherever nothing was painted.

#include <QImage>
#include <QWidget>

#include <cmath>

inline QImage renderSurface(QWidget &surface, qreal dpr)
{
    const QSize logical = surface.size();
    QImage image(
        QSize(int(std::ceil(logical.width() * dpr)), int(std::ceil(logical.height() * dpr))),
        QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::magenta);
    surface.render(&image);
    image.setDevicePixelRatio(1);
    return image;
}
