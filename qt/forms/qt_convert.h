#pragma once
// Where the shared core meets Qt: its texts, rectangles and pictures become
// Qt's own types here, once, at the edge of the Qt program.

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringView>

#include <memory>
#include <string_view>

#include "core/picture.h"
#include "core/twips.h"

/// A text of the core (UTF-16) as a QString.
inline QString toQString(std::u16string_view s)
{
    return QStringView(s.data(), static_cast<qsizetype>(s.size())).toString();
}

/// A QString as the core's UTF-16 text.
inline std::u16string toU16(const QString &s) { return s.toStdU16String(); }

inline QRect toQRect(const twips::Rect &r) { return {r.x, r.y, r.width, r.height}; }

inline guide::Size toSize(QSize s) { return {s.width(), s.height()}; }

/// The picture as a QImage that shares its pixels: the image keeps the
/// picture's buffer alive, so nothing is copied. A null image for an empty one.
QImage toQImage(guide::Picture picture);
