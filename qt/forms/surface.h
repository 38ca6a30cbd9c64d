#pragma once
// The surface of a window: rasterises the core's drawing list of its layout
// (fills, lines, labels, pictures, back to front) straight in device pixels,
// so that every edge lands on the pixel the core names at any scale factor.
// Windowed controls are child widgets above it. Painted labels
// are shown to screen readers through stand-ins, and the surface lists its
// controls to them in reading order, which need not be the stacking order.

#include <QImage>
#include <QList>
#include <QPointer>
#include <QSizeF>
#include <QWidget>

#include <vector>

#include "core/drawing.h"
#include "core/layout.h"

class AccessibleLabel;

class Surface final : public QWidget
{
    Q_OBJECT

public:
    /// `clientWidth` × `clientHeight` twips of `table`'s window.
    Surface(layout::Table table, int clientWidth, int clientHeight, QWidget *parent);

    /// An image's picture, drawn stretched into the image's bounds.
    void setPicture(int row, const QImage &picture);
    const QImage &picture(int row) const { return items_[row].picture; }

    /// A label's `Left` in twips; the label is drawn at the nearest device pixel.
    void setLabelLeft(int row, double left);
    double labelLeft(int row) const { return scene_.left(row); }

    /// A control's size in twips: a self-sizing label's is its caption's extent.
    QSizeF controlSize(int row) const { return {scene_.width(row), scene_.height(row)}; }

    /// A control's bounds in device pixels at this widget's device-pixel ratio.
    QRect deviceRect(int row) const;
    QRect deviceRect(int row, qreal dpr) const;

    /// What screen readers see of a label's caption; null for other rows.
    AccessibleLabel *labelAccess(int row) const { return items_[row].access; }

    /// The order screen readers list the controls in; controls not named come after.
    void setReadingOrder(const QList<QWidget *> &order);
    QList<QWidget *> readingOrder() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor colour(drawing::Paint paint) const;
    void paintLabel(QPainter &p, const drawing::Step &step, qreal dpr) const;
    void paintPicture(QPainter &p, const drawing::Step &step) const;
    QRect logicalBounds(int row) const;
    QRect labelBounds(int row) const;

    struct Item
    {
        QImage picture;
        AccessibleLabel *access = nullptr;
    };

    drawing::Scene scene_;
    std::vector<Item> items_;
    QList<QPointer<QWidget>> readingOrder_;
};
