-- /appdata/system_cfg.db: the terminal's system configuration, one row.
-- The stored versions carry the build number in their upper 16 bits.
CREATE TABLE systemCfg (
    isPrimary INTEGER NOT NULL DEFAULT 1,
    serialNumber TEXT NOT NULL DEFAULT '',
    deamonVersion INTEGER NOT NULL DEFAULT 0,
    version INTEGER NOT NULL DEFAULT 0,
    bootloaderVersion INTEGER NOT NULL DEFAULT 0,
    applicationName TEXT NOT NULL DEFAULT '',
    unitBom TEXT NOT NULL DEFAULT ''
);
