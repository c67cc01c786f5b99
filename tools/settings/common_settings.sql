-- /appdata/common_settings.db: settings shared by the unit's programs, one row per table.
CREATE TABLE commonSettings (
    nightMode INTEGER NOT NULL DEFAULT 0,
    brightness INTEGER NOT NULL DEFAULT 80,
    language TEXT NOT NULL DEFAULT 'en'
);
INSERT INTO commonSettings DEFAULT VALUES;
