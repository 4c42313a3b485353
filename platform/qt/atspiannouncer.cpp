#include "atspiannouncer.h"

#include <QAccessible>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>

namespace {

// An accessible object as AT-SPI names it: the bus name it is served under, and its path.
struct SpiReference
{
    QString service;
    QDBusObjectPath path;
};

} // namespace

Q_DECLARE_METATYPE(SpiReference)

namespace {

QDBusArgument &operator<<(QDBusArgument &argument, const SpiReference &reference)
{
    argument.beginStructure();
    argument << reference.service << reference.path;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, SpiReference &reference)
{
    argument.beginStructure();
    argument >> reference.service >> reference.path;
    argument.endStructure();
    return argument;
}

// The name of Qt's connection to the accessibility bus, and the paths it serves objects under.
const QString kBridgeConnection = QStringLiteral("a11y");
const QString kObjectPath = QStringLiteral("/org/a11y/atspi/accessible/");

} // namespace

namespace AtSpiAnnouncer {

void descriptionChanged(QObject *object, const QString &text)
{
    const QDBusConnection bus(kBridgeConnection);
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(object);
    if (!bus.isConnected() || !accessible)
        return;
    static const QMetaType registered = qDBusRegisterMetaType<SpiReference>();
    Q_UNUSED(registered);
    const QString path = kObjectPath + QString::number(QAccessible::uniqueId(accessible));
    QDBusMessage change = QDBusMessage::createSignal(
        path, QStringLiteral("org.a11y.atspi.Event.Object"), QStringLiteral("PropertyChange"));
    const SpiReference root{bus.baseService(),
                            QDBusObjectPath(kObjectPath + QStringLiteral("root"))};
    change.setArguments({QStringLiteral("accessible-description"), 0, 0,
                         QVariant::fromValue(QDBusVariant(text)), QVariant::fromValue(root)});
    bus.send(change);
}

} // namespace AtSpiAnnouncer
