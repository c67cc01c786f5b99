// system_role.cpp
#include "system_role.h"

#include <QtGlobal>

#include <dlfcn.h>

namespace {

// Found through the executable's run path: beside it when installed, beside kvgui in the tree.
const char *const ModuleName = "libkestra_config_role.so";

struct Module
{
    bool (*isPrimary)();
    void (*setPrimary)(bool);
};

const Module &module()
{
    static const Module loaded = [] {
        // RTLD_NOW: a missing symbol of the library stack shows here, not at the first store.
        void *handle = dlopen(ModuleName, RTLD_NOW | RTLD_LOCAL);
        Module m { nullptr, nullptr };
        if (handle) {
            m.isPrimary = reinterpret_cast<bool (*)()>(dlsym(handle, "kvRoleIsPrimary"));
            m.setPrimary = reinterpret_cast<void (*)(bool)>(dlsym(handle, "kvRoleSetPrimary"));
        }
        // Without the system configuration the role can be neither shown nor stored truthfully.
        if (!m.isPrimary || !m.setPrimary)
            qFatal("Cannot load the system configuration (%s): %s", ModuleName, dlerror());
        return m;
    }();
    return loaded;
}

} // namespace

bool SystemRole::isPrimary()
{
    return module().isPrimary();
}

void SystemRole::setPrimary(bool primary)
{
    module().setPrimary(primary);
}
