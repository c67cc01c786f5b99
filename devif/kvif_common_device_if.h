// kvif_common_device_if.h
#pragma once

#include <QCoreApplication>
#include <QList>
#include <QMetaType>
#include <QString>

// Device types; the daemon names them by the texts of the device-type table.
enum DeviceTypes_t
{
    DEVICE_TYPE_UNKNOWN = 0,
    DEVICE_TYPE_4417 = 1,
    DEVICE_TYPE_1538C = 2,
    DEVICE_TYPE_1538D = 3,
    DEVICE_TYPE_1538SSA = 4,
    DEVICE_TYPE_1538LRIT = 5,
    DEVICE_TYPE_1538M = 6,
    DEVICE_TYPE_1538L = 7,
    DEVICE_TYPE_1538UNKNOWN = 8,
    DEVICE_TYPE_4640 = 9,
    DEVICE_TYPE_4641 = 10,
    DEVICE_TYPE_4643 = 11,
    DEVICE_TYPE_4644 = 12,
    DEVICE_TYPE_4611 = 13,
    DEVICE_TYPE_4452 = 14,
    DEVICE_TYPE_4503 = 15,
    DEVICE_TYPE_4505 = 16,
    DEVICE_TYPE_4528 = 17,
};

struct base_device_data_t
{
    QString serialNumber;
    QString softwareVersion;
    QString softwareBuildNumber;
    QString canId;
    QString ipAddress;
    bool connected;

    bool operator==(const base_device_data_t &other) const
    {
        return serialNumber == other.serialNumber && softwareVersion == other.softwareVersion
            && softwareBuildNumber == other.softwareBuildNumber && canId == other.canId && ipAddress == other.ipAddress
            && connected == other.connected;
    }
    bool operator!=(const base_device_data_t &other) const { return !(*this == other); }
};

// One line of a device's "about" information.
struct about_item_t
{
    enum
    {
        ABOUT_TEXT = 0,
        ABOUT_BOOL = 1
    };

    QString label;
    int kind;
    QString textValue;
    bool boolValue;
    bool secondFlag; // its meaning belongs to the screen that shows the line
};

// One row of the device-type table.
struct device_type_res_t
{
    QString typeName;
    DeviceTypes_t type;
    QString displayName;
    QString iconName;
};

// One unit of the installation with its identity and base data. Listed in the device registry
// from registerDevice until deregisterDevice or destruction; the registry owns only the
// objects it creates from device-list events.
class TCommonDeviceIf
{
    Q_DECLARE_TR_FUNCTIONS(TCommonDeviceIf)
public:
    explicit TCommonDeviceIf(DeviceTypes_t type);
    TCommonDeviceIf(DeviceTypes_t type, base_device_data_t data);
    virtual ~TCommonDeviceIf();

    static DeviceTypes_t getDeviceType(const QString &name);
    void setDeviceType(DeviceTypes_t type);
    DeviceTypes_t getType() const { return type; }
    QString getTypeName() const { return typeName; }
    base_device_data_t getBaseData() const { return baseData; }
    bool isListed() const { return listed; }
    bool isPolled() const { return polled; }

    void registerDevice(bool poll);
    void deregisterDevice();
    void updateBaseData(base_device_data_t data);

    virtual QString getDisplayName();
    virtual QString getIconName();
    virtual QString getSerialNumber();
    virtual QString getSoftwareVersion();
    virtual QString getSoftwareBuildNumber();
    virtual QString getIpAddress();
    virtual QString getCanId();
    virtual bool isConnected();
    virtual QString getLegalNoticsFileName();
    virtual QList<about_item_t> getAboutItemList();
    virtual QList<about_item_t> getAboutIdItemList();
    virtual QList<about_item_t> getAboutSwItemList();
    virtual QList<about_item_t> getAboutNetItemList();
    virtual void baseDataNeedUpdate();

    static const int TYPE_COUNT = 18;
    static const device_type_res_t ms_typesResArray[TYPE_COUNT];

protected:
    static about_item_t aboutItem(const QString &label, const QString &value, bool secondFlag);

private:
    Q_DISABLE_COPY(TCommonDeviceIf)

    base_device_data_t baseData;
    QString typeName;
    DeviceTypes_t type;
    QString displayName;
    QString iconName;
    bool listed;
    bool polled;

    friend class TDeviceListIf;
};

Q_DECLARE_METATYPE(TCommonDeviceIf *)
