// kvif_system_cfg_if.h
#pragma once

#include "kvif_common_device_if.h"

#include <QStringList>

class TDatabase;

// The terminal's own device record: its role, identity and build information, kept in the
// settings group "systemCfg" and the working directory's "version" file. A singleton of the
// GUI thread, created on first use and polled by the device registry every 10 s.
class SystemCfgIf : public TCommonDeviceIf
{
    Q_DECLARE_TR_FUNCTIONS(SystemCfgIf)
public:
    enum Application
    {
        APPLICATION_NONE = 0,
        APPLICATION_GMDSS = 1,
        APPLICATION_NON_SOLAS = 2,
        APPLICATION_MF_HF_RADIOTELEX = 3,
    };

    static SystemCfgIf *getSystemCfgIf();

    // Public so that each build situation can be examined on its own object; the process uses
    // the singleton.
    SystemCfgIf();

    bool isPrimary();
    void setPrimary(bool primary);
    QString getSerialNumber() override;
    QString getSoftwareVersion() override;
    QString getSoftwareBuildNumber() override;
    QString getGuiBuildNumber();
    QString getDeamonBuildNumber();
    QString getSlaveBuildNumber();
    QString getBootloaderBuildNumber();
    QString getOsBuildNumber();
    QString getSystemBuildNumber();
    bool isOfficialBuild();
    QString getGuiBuildDate();
    QString getLegalNoticsFileName() override;
    QString getLocalIpAddress();
    QString getIpAddress() override;
    QString getPpp0IpAddress();
    Application getApplication();
    void setApplication(Application application);
    QString getSystemDisplayName();
    bool isHardware724417K();
    QString getUnitName();
    QString getDiagInfo();

    QList<about_item_t> getAboutSwItemList() override;
    QList<about_item_t> getAboutNetItemList() override;
    void baseDataNeedUpdate() override;

private:
    static QString numberOrDash(int number);
    const char *get_ppp0_ip();

    int systemBuildNumber;
    int guiBuildNumber;
    int deamonBuildNumber;
    int slaveBuildNumber;
    int bootloaderBuildNumber;
    int osBuildNumber;
    TDatabase *database; // the common database; not owned
    char ppp0Address[16]; // last address found; kept when a look-up fails

    static SystemCfgIf *pSystemCfgIf;
};
