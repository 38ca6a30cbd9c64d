#pragma once
// Stands in for a painted label where screen readers look for text: an
// invisible, click-through child over the label's bounds that reports itself
// as static text named by the caption.

#include <QWidget>

class AccessibleLabel final : public QWidget
{
    Q_OBJECT

public:
    AccessibleLabel(const QRect &bounds, const QString &caption, QWidget *parent);
};
