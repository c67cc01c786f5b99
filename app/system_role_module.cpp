// system_role_module.cpp: the system configuration's role, as SystemRole loads it.
#include "kvif_system_cfg_if.h"

extern "C" Q_DECL_EXPORT bool kvRoleIsPrimary()
{
    return SystemCfgIf::getSystemCfgIf()->isPrimary();
}

extern "C" Q_DECL_EXPORT void kvRoleSetPrimary(bool primary)
{
    SystemCfgIf::getSystemCfgIf()->setPrimary(primary);
}
