// kvif_common_device_if.cpp
#include "kvif_common_device_if.h"

#include "kvif_device_list_if.h"

#include <QCoreApplication>
#include <QDebug>

namespace {

base_device_data_t defaultBaseData()
{
    return base_device_data_t { QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("-"), QString(), QString(), false };
}

} // namespace

// Lookups scan from the first row; the order is not the value order.
const device_type_res_t TCommonDeviceIf::ms_typesResArray[TCommonDeviceIf::TYPE_COUNT] = {
    { QStringLiteral("Unknown"), DEVICE_TYPE_UNKNOWN, QStringLiteral(QT_TRANSLATE_NOOP("TCommonDeviceIf", "Unknown Device")), QString() },
    { QStringLiteral("1538C"), DEVICE_TYPE_1538C, QStringLiteral(QT_TRANSLATE_NOOP("TCommonDeviceIf", "KESTRA 1538 GMDSS Terminal")),
        QStringLiteral("kvgui_sysdevice_1538") },
    { QStringLiteral("1538D"), DEVICE_TYPE_1538D, QStringLiteral(QT_TRANSLATE_NOOP("TCommonDeviceIf", "KESTRA 1538 Non SOLAS Terminal")),
        QStringLiteral("kvgui_sysdevice_1538") },
    { QStringLiteral("1538SSA"), DEVICE_TYPE_1538SSA, QStringLiteral(QT_TRANSLATE_NOOP("TCommonDeviceIf", "KESTRA 1538 SSA Terminal")),
        QStringLiteral("kvgui_sysdevice_1538") },
    { QStringLiteral("1538LRIT"), DEVICE_TYPE_1538LRIT, QStringLiteral(QT_TRANSLATE_NOOP("TCommonDeviceIf", "KESTRA 1538 LRIT Terminal")),
        QStringLiteral("kvgui_sysdevice_1538") },
    { QStringLiteral("1538M"), DEVICE_TYPE_1538M, QStringLiteral(QT_TRANSLATE_NOOP("TCommonDeviceIf", "KESTRA 1538 Maritime Terminal")),
        QStringLiteral("kvgui_sysdevice_1538") },
    { QStringLiteral("1538L"), DEVICE_TYPE_1538L, QStringLiteral(QT_TRANSLATE_NOOP("TCommonDeviceIf", "TRAVELON 1538 Landmobile Term.")),
        QStringLiteral("kvgui_sysdevice_1538") },
    { QStringLiteral("1538Unknown"), DEVICE_TYPE_1538UNKNOWN, QStringLiteral(QT_TRANSLATE_NOOP("TCommonDeviceIf", "Unknown 1538 Terminal")),
        QStringLiteral("kvgui_sysdevice_1538") },
    { QStringLiteral("4417"), DEVICE_TYPE_4417, QStringLiteral(QT_TRANSLATE_NOOP("TCommonDeviceIf", "KESTRA 4417 Message Terminal")),
        QStringLiteral("kvgui_sysdevice_4417") },
    { QStringLiteral("4452"), DEVICE_TYPE_4452, QStringLiteral(QT_TRANSLATE_NOOP("TCommonDeviceIf", "KESTRA 4452 PSU and Charger")),
        QStringLiteral("kvgui_sysdevice_4452") },
    { QStringLiteral("4503"), DEVICE_TYPE_4503, QStringLiteral(QT_TRANSLATE_NOOP("TCommonDeviceIf", "KESTRA 4503 Alarm Panel")),
        QStringLiteral("kvgui_sysdevice_4503") },
    { QStringLiteral("4505"), DEVICE_TYPE_4505, QStringLiteral(QT_TRANSLATE_NOOP("TCommonDeviceIf", "KESTRA 4505 Multi Alarm Panel")),
        QStringLiteral("kvgui_sysdevice_4505") },
    { QStringLiteral("4528"), DEVICE_TYPE_4528, QStringLiteral(QT_TRANSLATE_NOOP("TCommonDeviceIf", "KESTRA 4528 Term. Ctrl. Unit")),
        QStringLiteral("kvgui_sysdevice_4528") },
    { QStringLiteral("4611"), DEVICE_TYPE_4611, QStringLiteral(QT_TRANSLATE_NOOP("TCommonDeviceIf", "KESTRA 4611 MF/HF CU")),
        QStringLiteral("kvgui_sysdevice_4611") },
    { QStringLiteral("4640"), DEVICE_TYPE_4640, QStringLiteral(QT_TRANSLATE_NOOP("TCommonDeviceIf", "KESTRA 4640 MF/HF Radio 150W TU MED")),
        QStringLiteral("kvgui_sysdevice_4640") },
    { QStringLiteral("4641"), DEVICE_TYPE_4641, QStringLiteral(QT_TRANSLATE_NOOP("TCommonDeviceIf", "KESTRA 4641 MF/HF Radio 150W TU FCC")),
        QStringLiteral("kvgui_sysdevice_4640") },
    { QStringLiteral("4643"), DEVICE_TYPE_4643, QStringLiteral(QT_TRANSLATE_NOOP("TCommonDeviceIf", "KESTRA 4643 MF/HF Radio 250W TU MED")),
        QStringLiteral("kvgui_sysdevice_4640") },
    { QStringLiteral("4644"), DEVICE_TYPE_4644, QStringLiteral(QT_TRANSLATE_NOOP("TCommonDeviceIf", "KESTRA 4644 MF/HF Radio 500W TU MED")),
        QStringLiteral("kvgui_sysdevice_4644") },
};

TCommonDeviceIf::TCommonDeviceIf(DeviceTypes_t type)
    : TCommonDeviceIf(type, defaultBaseData())
{ }

TCommonDeviceIf::TCommonDeviceIf(DeviceTypes_t type, base_device_data_t data)
    : baseData(data)
    , typeName(ms_typesResArray[0].typeName)
    , type(ms_typesResArray[0].type)
    , displayName(ms_typesResArray[0].displayName)
    , iconName(ms_typesResArray[0].iconName)
    , listed(false)
    , polled(false)
{
    setDeviceType(type);
}

TCommonDeviceIf::~TCommonDeviceIf()
{
    if (TDeviceListIf *registry = TDeviceListIf::existingInstance()) {
        registry->removeDevice(this);
        registry->ownedDevices.remove(this);
    }
}

DeviceTypes_t TCommonDeviceIf::getDeviceType(const QString &name)
{
    for (const device_type_res_t &row : ms_typesResArray) {
        if (row.typeName == name)
            return row.type;
    }
    return DEVICE_TYPE_UNKNOWN;
}

void TCommonDeviceIf::setDeviceType(DeviceTypes_t type)
{
    if (this->type == type)
        return;
    const device_type_res_t *found = &ms_typesResArray[0];
    for (const device_type_res_t &row : ms_typesResArray) {
        if (row.type == type) {
            found = &row;
            break;
        }
    }
    typeName = found->typeName;
    this->type = found->type;
    displayName = found->displayName;
    iconName = found->iconName;
}

void TCommonDeviceIf::registerDevice(bool poll)
{
    TDeviceListIf *registry = TDeviceListIf::getInstance();
    polled = poll;
    registry->removeDevice(this);
    qDebug() << "void TCommonDeviceIf::registerDevice(bool)"
             << "type: " << int(type) << ", SN " << baseData.serialNumber << ", SW: " << baseData.softwareVersion;
    TCommonDeviceIf *older = registry->getDevice(type, baseData.serialNumber);
    if (older) {
        older->deregisterDevice();
        // An object the registry did not create belongs to someone else: it is only taken off.
        if (registry->ownedDevices.contains(older))
            delete older;
    }
    registry->insertDevice(this);
    listed = true;
    registry->notifyUpdated(this);
}

void TCommonDeviceIf::deregisterDevice()
{
    qDebug() << "void TCommonDeviceIf::deregisterDevice()"
             << "type: " << int(type) << ", SN " << baseData.serialNumber << ", SW: " << baseData.softwareVersion;
    TDeviceListIf *registry = TDeviceListIf::existingInstance();
    if (registry)
        registry->removeDevice(this);
    if (listed) {
        listed = false;
        if (registry)
            registry->notifyUpdated(this);
    }
}

void TCommonDeviceIf::updateBaseData(base_device_data_t data)
{
    if (data == baseData)
        return;
    baseData = data;
    if (listed) {
        if (TDeviceListIf *registry = TDeviceListIf::existingInstance())
            registry->notifyUpdated(this);
    }
}

QString TCommonDeviceIf::getDisplayName()
{
    // The table is built before any translation is installed.
    return tr(displayName.toUtf8().constData());
}

QString TCommonDeviceIf::getIconName()
{
    return iconName;
}

QString TCommonDeviceIf::getSerialNumber()
{
    return baseData.serialNumber;
}

QString TCommonDeviceIf::getSoftwareVersion()
{
    return baseData.softwareVersion;
}

QString TCommonDeviceIf::getSoftwareBuildNumber()
{
    return baseData.softwareBuildNumber;
}

QString TCommonDeviceIf::getIpAddress()
{
    return baseData.ipAddress;
}

QString TCommonDeviceIf::getCanId()
{
    return baseData.canId;
}

bool TCommonDeviceIf::isConnected()
{
    return baseData.connected;
}

QString TCommonDeviceIf::getLegalNoticsFileName()
{
    return QString();
}

about_item_t TCommonDeviceIf::aboutItem(const QString &label, const QString &value, bool secondFlag)
{
    return about_item_t { label, about_item_t::ABOUT_TEXT, value, false, secondFlag };
}

QList<about_item_t> TCommonDeviceIf::getAboutItemList()
{
    return getAboutIdItemList() + getAboutSwItemList() + getAboutNetItemList();
}

QList<about_item_t> TCommonDeviceIf::getAboutIdItemList()
{
    return { aboutItem(tr("Serial number"), getSerialNumber(), false) };
}

QList<about_item_t> TCommonDeviceIf::getAboutSwItemList()
{
    return { aboutItem(tr("Software version"), getSoftwareVersion(), false),
        aboutItem(tr("Build number"), getSoftwareBuildNumber(), true) };
}

QList<about_item_t> TCommonDeviceIf::getAboutNetItemList()
{
    QList<about_item_t> items;
    items.append(about_item_t { tr("Connected"), about_item_t::ABOUT_BOOL, QString(), isConnected(), false });
    if (!baseData.canId.isEmpty())
        items.append(aboutItem(tr("CAN ID"), baseData.canId, true));
    if (!baseData.ipAddress.isEmpty())
        items.append(aboutItem(tr("IP address"), baseData.ipAddress, true));
    return items;
}

void TCommonDeviceIf::baseDataNeedUpdate() { }
