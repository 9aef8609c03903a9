#include "help/WindowHandles.h"

#include <QHash>
#include <QPointer>
#include <QWidget>

namespace {
constexpr const char *HandleProperty = "vocalinoWindowHandle";

QHash<qint32, QPointer<QWidget>> &table()
{
    static QHash<qint32, QPointer<QWidget>> handles;
    return handles;
}
} // namespace

namespace WindowHandles {

qint32 handleOf(QWidget *widget)
{
    if (!widget)
        return 0;
    const QVariant known = widget->property(HandleProperty);
    if (known.isValid())
        return known.toInt();
    static qint32 next = 0x10000;
    const qint32 handle = next;
    next += 4;
    widget->setProperty(HandleProperty, handle);
    table().insert(handle, widget);
    QObject::connect(widget, &QObject::destroyed, [handle] { table().remove(handle); });
    return handle;
}

QWidget *widgetOf(qint32 handle)
{
    return handle == 0 ? nullptr : table().value(handle).data();
}

} // namespace WindowHandles
