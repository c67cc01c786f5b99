// system_role.h
#pragma once

// The terminal's GMDSS role, read and stored through the system configuration. The system
// configuration brings the device interface library and, with it, the database and network
// libraries (about 1.3 MiB resident); they are loaded when the role is first needed, so the
// first frame, and a visit that only calibrates or leaves, never carry them.
class SystemRole
{
public:
    static bool isPrimary();
    static void setPrimary(bool primary);
};
