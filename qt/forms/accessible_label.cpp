#include "qt/forms/accessible_label.h"

#include <QAccessibleWidget>

namespace {

QAccessibleInterface *staticTextFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String(AccessibleLabel::staticMetaObject.className()) &&
        object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::StaticText);
    return nullptr;
}

} // namespace

AccessibleLabel::AccessibleLabel(const QRect &bounds, const QString &caption, QWidget *parent)
    : QWidget(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(staticTextFactory);
        return true;
    }();
    (void)installed;
    setGeometry(bounds);
    setAccessibleName(caption);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}
