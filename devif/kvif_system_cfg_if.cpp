// kvif_system_cfg_if.cpp
#include "kvif_system_cfg_if.h"

#include "kvif_common_database.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QNetworkInterface>
#include <QTextStream>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>
#include <unistd.h>

SystemCfgIf *SystemCfgIf::pSystemCfgIf = nullptr;

namespace {

const char *const Group = "systemCfg";
const int GuiBuildNumber = 3;
const int MajorVersion = 1;
const int MinorVersion = 0;
// The stored versions carry the build number in their upper 16 bits.
const int VersionBuildDivisor = 65536;
const qint64 GuiBuildTime = 1387291332;
const int NetlinkBufferSize = 16384;

const char *const SystemBuildPrefix = "Build number         :  ";
const char *const GuiBuildPrefix = "Gui Build number     :  ";
const char *const SlaveBuildPrefix = "KV8120e Build number :  ";
const char *const OsVersionPrefix = "Linux os version     :  ";

struct application_text_t
{
    SystemCfgIf::Application application;
    const char *storedText;
    const char *displayName;
};

const application_text_t Applications[] = {
    { SystemCfgIf::APPLICATION_GMDSS, "kv20931c-gmdss", QT_TRANSLATE_NOOP("SystemCfgIf", "KESTRA 4580 GMDSS System") },
    { SystemCfgIf::APPLICATION_NON_SOLAS, "kv20931c-non-solas", QT_TRANSLATE_NOOP("SystemCfgIf", "KESTRA 4590 Non SOLAS System") },
    { SystemCfgIf::APPLICATION_MF_HF_RADIOTELEX, "kv20937c", QT_TRANSLATE_NOOP("SystemCfgIf", "KESTRA 4600 MF/HF Radiotelex") },
};

int numberAfter(const QString &line, const char *prefix)
{
    return line.mid(int(std::strlen(prefix))).trimmed().toInt();
}

} // namespace

SystemCfgIf *SystemCfgIf::getSystemCfgIf()
{
    if (!pSystemCfgIf) {
        pSystemCfgIf = new SystemCfgIf;
        pSystemCfgIf->registerDevice(true);
    }
    return pSystemCfgIf;
}

SystemCfgIf::SystemCfgIf()
    : TCommonDeviceIf(DEVICE_TYPE_4417)
    , database(CommonDatabase::getCommonDatabase())
{
    std::memset(ppp0Address, 0, sizeof(ppp0Address));
    systemBuildNumber = -1;
    guiBuildNumber = GuiBuildNumber;
    deamonBuildNumber = database->getValue(QStringLiteral("deamonVersion"), QLatin1String(Group)).toInt() / VersionBuildDivisor;
    slaveBuildNumber = database->getValue(QStringLiteral("version"), QLatin1String(Group)).toInt() / VersionBuildDivisor;
    bootloaderBuildNumber = database->getValue(QStringLiteral("bootloaderVersion"), QLatin1String(Group)).toInt() / VersionBuildDivisor;
    osBuildNumber = -1;

    QFile file(QStringLiteral("version"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qWarning() << "SystemCfgIf::SystemCfgIf()"
                   << "Unable to open version file";
        return;
    }
    bool guiChecked = false;
    bool deamonChecked = false;
    bool slaveChecked = false;
    QTextStream stream(&file);
    while (!stream.atEnd()) {
        const QString line = stream.readLine();
        qDebug() << "SystemCfgIf::SystemCfgIf()" << line;
        if (line.startsWith(QLatin1String(SystemBuildPrefix))) {
            systemBuildNumber = numberAfter(line, SystemBuildPrefix);
        } else if (line.startsWith(QLatin1String(GuiBuildPrefix))) {
            const int number = numberAfter(line, GuiBuildPrefix);
            if (number != guiBuildNumber)
                qWarning() << "SystemCfgIf::SystemCfgIf()"
                           << "Unexpected GUI build number " << guiBuildNumber;
            else
                guiChecked = true;
            if (number != deamonBuildNumber)
                qWarning() << "SystemCfgIf::SystemCfgIf()"
                           << "Unexpected deamon build number " << deamonBuildNumber;
            else
                deamonChecked = true;
        } else if (line.startsWith(QLatin1String(SlaveBuildPrefix))) {
            if (numberAfter(line, SlaveBuildPrefix) != slaveBuildNumber)
                qWarning() << "SystemCfgIf::SystemCfgIf()"
                           << "Unexpected slave build number " << slaveBuildNumber;
            else
                slaveChecked = true;
        } else if (line.startsWith(QLatin1String(OsVersionPrefix))) {
            osBuildNumber = numberAfter(line, OsVersionPrefix);
        }
    }
    if (!guiChecked || !deamonChecked || !slaveChecked) {
        qWarning() << "SystemCfgIf::SystemCfgIf()"
                   << "Not an official build";
        systemBuildNumber = -1;
    }
    file.close();
}

bool SystemCfgIf::isPrimary()
{
    return database->getValue(QStringLiteral("isPrimary"), QLatin1String(Group)).toInt() == 1;
}

void SystemCfgIf::setPrimary(bool primary)
{
    database->setValue(QStringLiteral("isPrimary"), QLatin1String(Group), QVariant(primary));
}

QString SystemCfgIf::getSerialNumber()
{
    const QString serialNumber = database->getValue(QStringLiteral("serialNumber"), QLatin1String(Group)).toString();
    return serialNumber.isEmpty() ? QStringLiteral("-") : serialNumber;
}

QString SystemCfgIf::getSoftwareVersion()
{
    return QString::asprintf("%d.%02d", MajorVersion, MinorVersion);
}

QString SystemCfgIf::getSoftwareBuildNumber()
{
    return getGuiBuildNumber();
}

QString SystemCfgIf::numberOrDash(int number)
{
    return number < 0 ? QStringLiteral("-") : QString::number(number);
}

QString SystemCfgIf::getGuiBuildNumber()
{
    return numberOrDash(guiBuildNumber);
}

QString SystemCfgIf::getDeamonBuildNumber()
{
    return numberOrDash(deamonBuildNumber);
}

QString SystemCfgIf::getSlaveBuildNumber()
{
    return numberOrDash(slaveBuildNumber);
}

QString SystemCfgIf::getBootloaderBuildNumber()
{
    return numberOrDash(bootloaderBuildNumber);
}

QString SystemCfgIf::getOsBuildNumber()
{
    return numberOrDash(osBuildNumber);
}

QString SystemCfgIf::getSystemBuildNumber()
{
    return systemBuildNumber < 1 ? QStringLiteral("-") : QString::number(systemBuildNumber);
}

bool SystemCfgIf::isOfficialBuild()
{
    return systemBuildNumber > 0;
}

QString SystemCfgIf::getGuiBuildDate()
{
    return QDateTime::fromSecsSinceEpoch(GuiBuildTime, Qt::UTC).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QString SystemCfgIf::getLegalNoticsFileName()
{
    return QStringLiteral("res/licens.html");
}

QString SystemCfgIf::getLocalIpAddress()
{
    QStringList addresses;
    const QNetworkInterface eth0 = QNetworkInterface::interfaceFromName(QStringLiteral("eth0"));
    for (const QNetworkAddressEntry &entry : eth0.addressEntries()) {
        const QString text = entry.ip().toString();
        if (text.count(QLatin1Char('.')) == 3)
            addresses.append(text);
    }
    return addresses.join(QStringLiteral("; "));
}

QString SystemCfgIf::getIpAddress()
{
    return getLocalIpAddress();
}

QString SystemCfgIf::getPpp0IpAddress()
{
    qDebug() << "QString SystemCfgIf::getPpp0IpAddress()";
    return QString::fromLatin1(get_ppp0_ip());
}

// Asks the kernel for its IPv4 addresses and keeps the one labelled "ppp0". Every length in
// the reply is checked against what was received before it is followed.
const char *SystemCfgIf::get_ppp0_ip()
{
    const int fd = ::socket(AF_NETLINK, SOCK_DGRAM, NETLINK_ROUTE);
    if (fd < 0) {
        qWarning() << "socket" << std::strerror(errno);
        return ppp0Address;
    }
    struct
    {
        nlmsghdr header;
        ifaddrmsg message;
    } request;
    std::memset(&request, 0, sizeof(request));
    request.header.nlmsg_len = NLMSG_LENGTH(sizeof(ifaddrmsg));
    request.header.nlmsg_type = RTM_GETADDR;
    request.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    request.message.ifa_family = AF_INET;
    if (::send(fd, &request, request.header.nlmsg_len, 0) < 0) {
        qWarning() << "send" << std::strerror(errno);
        ::close(fd);
        return ppp0Address;
    }
    static char buffer[NetlinkBufferSize];
    const ssize_t received = ::recv(fd, buffer, sizeof(buffer), 0);
    if (received < 0) {
        qWarning() << "recv" << std::strerror(errno);
        ::close(fd);
        return ppp0Address;
    }
    ::close(fd);

    size_t offset = 0;
    const size_t total = size_t(received);
    while (total - offset >= sizeof(nlmsghdr)) {
        nlmsghdr header;
        std::memcpy(&header, buffer + offset, sizeof(header));
        if (header.nlmsg_len < sizeof(nlmsghdr) || header.nlmsg_len > total - offset)
            break;
        if (header.nlmsg_type == NLMSG_DONE || header.nlmsg_type == NLMSG_ERROR)
            break;
        const size_t messageLength = header.nlmsg_len;
        if (header.nlmsg_type == RTM_NEWADDR && messageLength >= NLMSG_LENGTH(sizeof(ifaddrmsg))) {
            const char *attributes = buffer + offset + NLMSG_SPACE(sizeof(ifaddrmsg));
            const char *end = buffer + offset + messageLength;
            const char *address = nullptr;
            bool isPpp0 = false;
            while (end - attributes >= long(sizeof(rtattr))) {
                rtattr attribute;
                std::memcpy(&attribute, attributes, sizeof(attribute));
                if (attribute.rta_len < sizeof(rtattr) || attribute.rta_len > end - attributes)
                    break;
                const char *data = attributes + RTA_LENGTH(0);
                const size_t dataLength = attribute.rta_len - RTA_LENGTH(0);
                if (attribute.rta_type == IFA_ADDRESS && dataLength >= 4)
                    address = data;
                else if (attribute.rta_type == IFA_LABEL)
                    isPpp0 = strnlen(data, dataLength) == 4 && std::memcmp(data, "ppp0", 4) == 0;
                const size_t step = RTA_ALIGN(attribute.rta_len);
                if (step >= size_t(end - attributes))
                    break;
                attributes += step;
            }
            if (isPpp0 && address)
                inet_ntop(AF_INET, address, ppp0Address, sizeof(ppp0Address));
        }
        const size_t step = NLMSG_ALIGN(messageLength);
        if (step >= total - offset)
            break;
        offset += step;
    }
    return ppp0Address;
}

SystemCfgIf::Application SystemCfgIf::getApplication()
{
    const QString stored = database->getValue(QStringLiteral("applicationName"), QLatin1String(Group)).toString();
    for (const application_text_t &row : Applications) {
        if (stored == QLatin1String(row.storedText))
            return row.application;
    }
    return APPLICATION_NONE;
}

void SystemCfgIf::setApplication(Application application)
{
    QString text = QStringLiteral("");
    for (const application_text_t &row : Applications) {
        if (row.application == application)
            text = QLatin1String(row.storedText);
    }
    database->setValue(QStringLiteral("applicationName"), QLatin1String(Group), QVariant(text));
}

QString SystemCfgIf::getSystemDisplayName()
{
    const Application application = getApplication();
    for (const application_text_t &row : Applications) {
        if (row.application == application)
            return tr(row.displayName);
    }
    return tr("No Name");
}

bool SystemCfgIf::isHardware724417K()
{
    return database->getValue(QStringLiteral("unitBom"), QLatin1String(Group)).toString().startsWith(QLatin1String("724417K"));
}

QString SystemCfgIf::getUnitName()
{
    return QStringLiteral("KESTRA 4417 Message Terminal");
}

QString SystemCfgIf::getDiagInfo()
{
    const QString lineEnd = QStringLiteral("\r\n");
    QString text = getUnitName() + lineEnd;
    text += QString(30, QLatin1Char('-')) + lineEnd;
    text += "Serial number: " + getSerialNumber() + lineEnd;
    text += "Software version: " + getSoftwareVersion() + lineEnd;
    text += "GUI build number: " + getGuiBuildNumber() + lineEnd;
    text += "GUI build date: " + getGuiBuildDate() + lineEnd;
    text += "Deamon build number: " + getDeamonBuildNumber() + lineEnd;
    text += "IO CPU build number: " + getSlaveBuildNumber() + lineEnd;
    text += "Bootloader build number: " + getBootloaderBuildNumber() + lineEnd;
    text += "OS build number: " + getOsBuildNumber() + lineEnd;
    text += "IP address: " + getLocalIpAddress() + lineEnd;
    return text;
}

QList<about_item_t> SystemCfgIf::getAboutSwItemList()
{
    QList<about_item_t> items;
    items.append(aboutItem(tr("Software version"), getSoftwareVersion(), false));
    // The build in question is the process's own, as seen by the singleton.
    const SystemCfgIf *process = pSystemCfgIf ? pSystemCfgIf : this;
    if (process->systemBuildNumber < 1) {
        items.append(aboutItem(tr("GUI build number"), getGuiBuildNumber(), true));
        items.append(aboutItem(tr("GUI build date"), getGuiBuildDate(), true));
        items.append(aboutItem(tr("Deamon build number"), getDeamonBuildNumber(), true));
        items.append(aboutItem(tr("IO CPU build number"), getSlaveBuildNumber(), true));
        items.append(aboutItem(tr("Bootloader build number"), getBootloaderBuildNumber(), true));
        items.append(aboutItem(tr("OS build number"), getOsBuildNumber(), true));
    } else {
        items.append(aboutItem(tr("Build number"), getSoftwareBuildNumber(), true));
    }
    return items;
}

QList<about_item_t> SystemCfgIf::getAboutNetItemList()
{
    return { aboutItem(tr("CAN ID"), getCanId(), true), aboutItem(tr("IP address"), getLocalIpAddress(), true) };
}

void SystemCfgIf::baseDataNeedUpdate()
{
    base_device_data_t data = getBaseData();
    data.ipAddress = getLocalIpAddress();
    data.softwareVersion = getSoftwareVersion();
    data.softwareBuildNumber = getSystemBuildNumber();
    data.serialNumber = getSerialNumber();
    updateBaseData(data);
}
