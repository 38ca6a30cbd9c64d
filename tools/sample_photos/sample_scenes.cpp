// Rendering and saving of the sample pictures; see sample_scenes.h.

#include "sample_scenes.h"

#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

namespace sample_photos {

namespace {

void drawLabel(QPainter &p, const QString &text)
{
    QFont font;
    // Whichever of these the machine has; the label is plain ASCII, so any will do.
    font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
                      QStringLiteral("DejaVu Sans")});
    font.setPixelSize(13);
    p.setFont(font);
    const QFontMetricsF metrics(font);
    const QSizeF box(metrics.horizontalAdvance(text) + 12, metrics.height() + 6);
    const QRectF rect(QPointF(kWidth - 8 - box.width(), kHeight - 8 - box.height()), box);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 140));
    p.drawRoundedRect(rect, 4, 4);
    p.setPen(Qt::white);
    p.drawText(rect, Qt::AlignCenter, text);
}

} // namespace

QImage renderScene(const Scene &scene)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.save();
    scene.draw(p);
    p.restore();
    drawLabel(p, QString::fromLatin1(scene.fileName));
    return image;
}

QStringList writeAll(const QString &folder)
{
    QStringList failed;
    if (!QDir().mkpath(folder)) {
        for (const Scene &scene : kScenes)
            failed << QString::fromLatin1(scene.fileName);
        return failed;
    }
    const QDir dir(folder);
    for (const Scene &scene : kScenes) {
        const QString name = QString::fromLatin1(scene.fileName);
        if (!renderScene(scene).save(dir.filePath(name), "JPEG", kJpegQuality))
            failed << name;
    }
    return failed;
}

} // namespace sample_photos
