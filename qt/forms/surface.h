#pragma once
// The surface of a window: draws the painted items of its layout (rectangles,
// lines, labels, images) from the back of the table to the front, straight in
// device pixels so that every edge lands on the pixel its twips name at any
// scale factor. Windowed controls are child widgets above it. Painted labels
// are shown to screen readers through stand-ins, and the surface lists its
// controls to them in reading order, which need not be the stacking order.

#include <QImage>
#include <QList>
#include <QPointer>
#include <QSizeF>
#include <QWidget>

#include <vector>

#include "core/layout.h"

class AccessibleLabel;

class Surface final : public QWidget
{
    Q_OBJECT

public:
    Surface(layout::Table table, QWidget *parent);

    /// An image's picture, drawn stretched into the image's bounds.
    void setPicture(int row, const QImage &picture);
    const QImage &picture(int row) const { return items_[row].picture; }

    /// A label's `Left` in twips; the label is drawn at the nearest device pixel.
    void setLabelLeft(int row, double left);
    double labelLeft(int row) const { return items_[row].left; }

    /// A control's size in twips: a self-sizing label's is its caption's extent.
    QSizeF controlSize(int row) const { return items_[row].size; }

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
    void paintShape(QPainter &p, const layout::Control &c, qreal dpr) const;
    void paintLine(QPainter &p, const layout::Control &c, qreal dpr) const;
    void paintLabel(QPainter &p, int row, qreal dpr) const;
    void paintImage(QPainter &p, int row, qreal dpr) const;
    QRect logicalBounds(int row) const;
    QRect labelBounds(int row) const;

    struct Item
    {
        double left = 0; ///< twips; only labels move
        QSizeF size;     ///< twips
        QImage picture;
        AccessibleLabel *access = nullptr;
    };

    layout::Table table_;
    std::vector<Item> items_;
    QList<QPointer<QWidget>> readingOrder_;
};
