// kvif_common_database.h
#pragma once

#include "kvif_database.h"

// The process-wide settings database: "/appdata/common_settings.db" as the main database with
// "/appdata/system_cfg.db" attached. Created on first use, never destroyed; GUI thread only.
class CommonDatabase : public TDatabase
{
    Q_OBJECT
public:
    static CommonDatabase *getCommonDatabase();

    static const char *const COMMON_SETTINGS_FILENAME;
    static const char *const SYSTEM_CFG_FILENAME;

private:
    CommonDatabase();

    static CommonDatabase *pCommonDatabase;
};
