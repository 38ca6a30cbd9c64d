#pragma once
// Stands in for a painted image where screen readers look for controls: an
// invisible, click-through child over the image's bounds that reports itself
// as a graphic, named for what the image shows.

#include <QWidget>

class AccessibleImage final : public QWidget
{
    Q_OBJECT

public:
    AccessibleImage(const QRect &bounds, QWidget *parent);
};
