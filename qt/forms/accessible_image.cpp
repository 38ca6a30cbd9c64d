#include "qt/forms/accessible_image.h"

#include <QAccessibleWidget>

namespace {

QAccessibleInterface *graphicFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String(AccessibleImage::staticMetaObject.className()) &&
        object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Graphic);
    return nullptr;
}

} // namespace

AccessibleImage::AccessibleImage(const QRect &bounds, QWidget *parent) : QWidget(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(graphicFactory);
        return true;
    }();
    (void)installed;
    setGeometry(bounds);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}
