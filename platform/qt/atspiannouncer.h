#pragma once

#include <QString>

class QObject;

// What Qt's accessibility bridge leaves out on Linux: a change of an object's description
// raised with the new text as the event's own data, which screen readers speak. Qt's bridge
// raises the change with the object's path as its data instead.
namespace AtSpiAnnouncer {

// Raises object:property-change:accessible-description on `object`, carrying `text`, on the
// accessibility bus connection that Qt's bridge opened, and so from the object as the bridge
// names it. Where there is no such connection (no accessibility bus), nothing happens.
void descriptionChanged(QObject *object, const QString &text);

} // namespace AtSpiAnnouncer
