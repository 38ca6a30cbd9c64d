#include "qt/forms/surface.h"

#include <QAccessibleWidget>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>

#include "core/twips.h"
#include "qt/forms/accessible_label.h"
#include "qt/forms/fonts.h"
#include "qt/forms/qt_convert.h"

namespace {

using drawing::Op;
using drawing::Role;
using layout::Control;
using layout::Kind;

// Paints in device pixels for the lifetime of the scope.
class DeviceSpace
{
public:
    DeviceSpace(QPainter &p, qreal dpr) : p_(p)
    {
        p_.save();
        p_.setWorldTransform(QTransform::fromScale(1 / dpr, 1 / dpr));
        p_.setRenderHint(QPainter::Antialiasing, false);
    }
    ~DeviceSpace() { p_.restore(); }
    DeviceSpace(const DeviceSpace &) = delete;
    DeviceSpace &operator=(const DeviceSpace &) = delete;

private:
    QPainter &p_;
};

// The surface's children for screen readers, in its reading order.
class SurfaceAccessible final : public QAccessibleWidget
{
public:
    explicit SurfaceAccessible(Surface *surface) : QAccessibleWidget(surface, QAccessible::Client)
    {}
    int childCount() const override { return int(order().size()); }
    QAccessibleInterface *child(int index) const override
    {
        const QList<QWidget *> widgets = order();
        return index >= 0 && index < widgets.size()
                   ? QAccessible::queryAccessibleInterface(widgets[index])
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? int(order().indexOf(qobject_cast<QWidget *>(child->object()))) : -1;
    }

private:
    QList<QWidget *> order() const
    {
        return static_cast<const Surface *>(widget())->readingOrder();
    }
};

QAccessibleInterface *surfaceFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String(Surface::staticMetaObject.className()))
        return new SurfaceAccessible(static_cast<Surface *>(object));
    return nullptr;
}

} // namespace

Surface::Surface(layout::Table table, int clientWidth, int clientHeight, QWidget *parent)
    : QWidget(parent), scene_(table, clientWidth, clientHeight), items_(table.size())
{
    static const bool installed = [] {
        QAccessible::installFactory(surfaceFactory);
        return true;
    }();
    (void)installed;
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const Control &c = table[i];
        if (c.kind != Kind::Label)
            continue;
        if (c.sizing == layout::Sizing::ToCaption) {
            const QFontMetricsF metrics(fonts::forControl(c));
            const double w = std::ceil(metrics.horizontalAdvance(toQString(c.caption)));
            const double h = std::ceil(metrics.height());
            scene_.setSize(int(i), w * twips::kPerPixel, h * twips::kPerPixel);
        }
        items_[i].access = new AccessibleLabel(labelBounds(int(i)), toQString(c.caption), this);
    }
}

void Surface::setReadingOrder(const QList<QWidget *> &order)
{
    readingOrder_.clear();
    for (QWidget *w : order)
        readingOrder_.append(w);
}

QList<QWidget *> Surface::readingOrder() const
{
    QList<QWidget *> out;
    for (const QPointer<QWidget> &w : readingOrder_)
        if (w && w->parentWidget() == this)
            out.append(w);
    for (QObject *o : children())
        if (auto *w = qobject_cast<QWidget *>(o); w && !w->isWindow() && !out.contains(w))
            out.append(w);
    return out;
}

QRect Surface::labelBounds(int row) const
{
    return toQRect(twips::toPixelRect(int(scene_.left(row)), scene_.table()[row].top,
                                      int(scene_.width(row)), int(scene_.height(row))));
}

void Surface::setPicture(int row, const QImage &picture)
{
    items_[row].picture = picture;
    update(logicalBounds(row));
}

void Surface::setLabelLeft(int row, double left)
{
    const QRect before = logicalBounds(row);
    scene_.setLeft(row, left);
    update(before.united(logicalBounds(row)));
    if (AccessibleLabel *access = items_[row].access)
        access->move(labelBounds(row).topLeft());
}

QRect Surface::deviceRect(int row) const { return deviceRect(row, devicePixelRatioF()); }

QRect Surface::deviceRect(int row, qreal dpr) const { return toQRect(scene_.deviceRect(row, dpr)); }

QRect Surface::logicalBounds(int row) const
{
    const qreal dpr = devicePixelRatioF();
    const QRect r = toQRect(scene_.paintedRect(row, dpr));
    const QRectF logical(r.x() / dpr, r.y() / dpr, r.width() / dpr, r.height() / dpr);
    return logical.toAlignedRect();
}

QColor Surface::colour(drawing::Paint paint) const
{
    switch (paint.role) {
    case Role::ButtonFace:
        return palette().color(QPalette::Button);
    case Role::ButtonText:
        return palette().color(QPalette::ButtonText);
    case Role::WindowText:
        return palette().color(QPalette::WindowText);
    case Role::Window:
        return palette().color(QPalette::Base);
    case Role::Literal:
        break;
    }
    return QColor::fromRgb(paint.rgb);
}

void Surface::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    // The scale of whatever this paints on: the screen, or an image the surface is rendered into.
    const qreal dpr = p.deviceTransform().m11();
    const QRect dirty =
        QRectF(QRectF(event->rect()).topLeft() * dpr, QRectF(event->rect()).size() * dpr)
            .toAlignedRect();
    const DeviceSpace device(p, dpr);
    for (const drawing::Step &step : scene_.steps(dpr)) {
        const QRect r = toQRect(step.rect);
        switch (step.op) {
        case Op::Fill:
            p.fillRect(r, colour(step.paint));
            break;
        case Op::Line:
            p.setPen(QPen(colour(step.paint), step.thickness, Qt::SolidLine, Qt::SquareCap));
            p.drawLine(step.x1, step.y1, step.x2, step.y2);
            break;
        // Text and pictures only where the update reaches: shaping a caption
        // costs as much clipped away as drawn, and a glide step repaints one
        // label's strip of the window twenty times a second.
        case Op::Label:
            if (dirty.intersects(r))
                paintLabel(p, step, dpr);
            break;
        case Op::Picture:
            if (dirty.intersects(r))
                paintPicture(p, step);
            break;
        }
    }
}

// Captions are laid out in logical pixels, as the font's metrics are.
void Surface::paintLabel(QPainter &p, const drawing::Step &step, qreal dpr) const
{
    const Control &c = scene_.table()[step.row];
    const QRect device = toQRect(step.rect);
    const QRectF r(device.x() / dpr, device.y() / dpr, device.width() / dpr, device.height() / dpr);
    p.save();
    p.setWorldTransform(QTransform());
    p.setClipRect(r, Qt::IntersectClip); // a fixed-size label cuts its caption off at its edges
    p.setFont(fonts::forControl(c));
    p.setPen(colour(step.paint));
    const int wrap = drawing::wrapsAnywhere(c) ? Qt::TextWrapAnywhere : Qt::TextSingleLine;
    p.drawText(r, Qt::AlignLeft | Qt::AlignTop | wrap, toQString(c.caption));
    p.restore();
}

void Surface::paintPicture(QPainter &p, const drawing::Step &step) const
{
    const QRect r = toQRect(step.rect);
    const QImage &picture = items_[step.row].picture;
    if (picture.isNull())
        return;
    if (picture.size() == r.size()) {
        p.drawImage(r.topLeft(), picture);
    } else { // decoded for another scale factor: stretch it until it is shown anew
        p.save();
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(r, picture);
        p.restore();
    }
}
