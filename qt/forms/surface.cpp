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

// A one-pixel frame just inside `r`, `t` device pixels thick.
void fillFrame(QPainter &p, const QRect &r, int t, const QColor &colour)
{
    p.fillRect(QRect(r.left(), r.top(), r.width(), t), colour);
    p.fillRect(QRect(r.left(), r.bottom() - t + 1, r.width(), t), colour);
    p.fillRect(QRect(r.left(), r.top(), t, r.height()), colour);
    p.fillRect(QRect(r.right() - t + 1, r.top(), t, r.height()), colour);
}

// The surface's children for screen readers, in its reading order.
class SurfaceAccessible final : public QAccessibleWidget
{
public:
    explicit SurfaceAccessible(Surface *surface)
        : QAccessibleWidget(surface, QAccessible::Client)
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

Surface::Surface(layout::Table table, QWidget *parent)
    : QWidget(parent), table_(table), items_(table.size())
{
    static const bool installed = [] {
        QAccessible::installFactory(surfaceFactory);
        return true;
    }();
    (void)installed;
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (std::size_t i = 0; i < table_.size(); ++i) {
        const Control &c = table_[i];
        Item &item = items_[i];
        item.left = c.left;
        item.size = {double(c.width), double(c.height)};
        if (c.kind == Kind::Label && c.sizing == layout::Sizing::ToCaption) {
            const QFontMetricsF metrics(fonts::forControl(c));
            const double w = std::ceil(metrics.horizontalAdvance(toQString(c.caption)));
            const double h = std::ceil(metrics.height());
            item.size = {w * twips::kPerPixel, h * twips::kPerPixel};
        }
        if (c.kind == Kind::Label)
            item.access = new AccessibleLabel(labelBounds(int(i)), toQString(c.caption), this);
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
    const Item &item = items_[row];
    return toQRect(twips::toPixelRect(int(item.left), table_[row].top, int(item.size.width()),
                                      int(item.size.height())));
}

void Surface::setPicture(int row, const QImage &picture)
{
    items_[row].picture = picture;
    update(logicalBounds(row));
}

void Surface::setLabelLeft(int row, double left)
{
    const QRect before = logicalBounds(row);
    items_[row].left = left;
    update(before.united(logicalBounds(row)));
    if (AccessibleLabel *access = items_[row].access)
        access->move(labelBounds(row).topLeft());
}

QRect Surface::deviceRect(int row) const { return deviceRect(row, devicePixelRatioF()); }

QRect Surface::deviceRect(int row, qreal dpr) const
{
    const Item &item = items_[row];
    return toQRect(twips::toDeviceRect(item.left, table_[row].top, item.size.width(),
                                       item.size.height(), dpr));
}

QRect Surface::logicalBounds(int row) const
{
    const qreal dpr = devicePixelRatioF();
    const QRect r = deviceRect(row);
    const QRectF logical(r.x() / dpr, r.y() / dpr, r.width() / dpr, r.height() / dpr);
    return logical.toAlignedRect().adjusted(-1, -1, 1, 1); // image frames lie just outside
}

void Surface::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    p.fillRect(event->rect(), palette().color(QPalette::Button));
    // The scale of whatever this paints on: the screen, or an image the surface is rendered into.
    const qreal dpr = p.deviceTransform().m11();
    for (int row = int(table_.size()) - 1; row >= 0; --row) {
        const Control &c = table_[row];
        switch (c.kind) {
        case Kind::Shape:
            paintShape(p, c, dpr);
            break;
        case Kind::Line:
            paintLine(p, c, dpr);
            break;
        // Text and pictures only where the update reaches: shaping a caption
        // costs as much clipped away as drawn, and a glide step repaints one
        // label's strip of the window twenty times a second.
        case Kind::Label:
            if (event->rect().intersects(logicalBounds(row)))
                paintLabel(p, row, dpr);
            break;
        case Kind::Image:
            if (event->rect().intersects(logicalBounds(row)))
                paintImage(p, row, dpr);
            break;
        case Kind::OptionButton:
        case Kind::CommandButton:
        case Kind::TextBox:
            break; // child widgets
        }
    }
}

void Surface::paintShape(QPainter &p, const Control &c, qreal dpr) const
{
    const DeviceSpace device(p, dpr);
    const QRect r = toQRect(twips::toDeviceRect(c.left, c.top, c.width, c.height, dpr));
    p.fillRect(r, QColor::fromRgb(c.fill));
    if (c.border)
        fillFrame(p, r, twips::toDeviceThickness(1, dpr), palette().color(QPalette::WindowText));
}

void Surface::paintLine(QPainter &p, const Control &c, qreal dpr) const
{
    const DeviceSpace device(p, dpr);
    const QColor colour = palette().color(QPalette::WindowText);
    const int t = twips::toDeviceThickness(c.lineWidth, dpr);
    const int pixel = twips::toDeviceThickness(1, dpr); // both end points are drawn
    const int x1 = twips::toDevice(c.left, dpr), y1 = twips::toDevice(c.top, dpr);
    const int x2 = twips::toDevice(c.width, dpr), y2 = twips::toDevice(c.height, dpr);
    if (x1 == x2) {
        p.fillRect(QRect(x1 - (t - 1) / 2, qMin(y1, y2), t, qAbs(y2 - y1) + pixel), colour);
    } else if (y1 == y2) {
        p.fillRect(QRect(qMin(x1, x2), y1 - (t - 1) / 2, qAbs(x2 - x1) + pixel, t), colour);
    } else {
        p.setPen(QPen(colour, t, Qt::SolidLine, Qt::SquareCap));
        p.drawLine(x1, y1, x2, y2);
    }
}

void Surface::paintLabel(QPainter &p, int row, qreal dpr) const
{
    const Control &c = table_[row];
    const QRect device = deviceRect(row, dpr);
    const QRectF r(device.x() / dpr, device.y() / dpr, device.width() / dpr, device.height() / dpr);
    p.save();
    p.setClipRect(r, Qt::IntersectClip); // a fixed-size label cuts its caption off at its edges
    if (c.opaque)
        p.fillRect(r, palette().color(QPalette::Button));
    p.setFont(fonts::forControl(c));
    p.setPen(palette().color(QPalette::ButtonText));
    const int wrap = c.sizing == layout::Sizing::Fixed ? Qt::TextWrapAnywhere : Qt::TextSingleLine;
    p.drawText(r, Qt::AlignLeft | Qt::AlignTop | wrap, toQString(c.caption));
    p.restore();
}

void Surface::paintImage(QPainter &p, int row, qreal dpr) const
{
    const Control &c = table_[row];
    const DeviceSpace device(p, dpr);
    const QRect r = deviceRect(row, dpr);
    const QImage &picture = items_[row].picture;
    if (!picture.isNull()) {
        if (picture.size() == r.size()) {
            p.drawImage(r.topLeft(), picture);
        } else { // decoded for another scale factor: stretch it until it is shown anew
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawImage(r, picture);
        }
    }
    if (c.border) {
        const int t = twips::toDeviceThickness(1, dpr);
        fillFrame(p, r.adjusted(-t, -t, t, t), t, palette().color(QPalette::WindowText));
    }
}
