// kvif_common_database.cpp
#include "kvif_common_database.h"

const char *const CommonDatabase::COMMON_SETTINGS_FILENAME = "/appdata/common_settings.db";
const char *const CommonDatabase::SYSTEM_CFG_FILENAME = "/appdata/system_cfg.db";
CommonDatabase *CommonDatabase::pCommonDatabase = nullptr;

CommonDatabase *CommonDatabase::getCommonDatabase()
{
    if (!pCommonDatabase)
        pCommonDatabase = new CommonDatabase;
    return pCommonDatabase;
}

CommonDatabase::CommonDatabase()
{
    attachDatabaseFile(QLatin1String(COMMON_SETTINGS_FILENAME));
    attachDatabaseFile(QLatin1String(SYSTEM_CFG_FILENAME));
}
