// system_role.cpp
#include "system_role.h"

#include <QByteArray>

#include <dlfcn.h>

#include <climits>

namespace {

const char *const ModuleName = "libkestra_config_role.so";

// Beside kvgui, in the package's private folder as in the tree. Not through the run path: a
// sanitizer's dlopen interceptor would search with its own library's, which has none.
QByteArray modulePath()
{
    char origin[PATH_MAX] = "";
    if (void *kvgui = dlopen(KV_KVGUI_SONAME, RTLD_LAZY | RTLD_NOLOAD)) {
        dlinfo(kvgui, RTLD_DI_ORIGIN, origin);
        dlclose(kvgui);
    }
    return QByteArray(origin) + '/' + ModuleName;
}

struct Module
{
    bool (*isPrimary)();
    void (*setPrimary)(bool);
};

const Module &module()
{
    static const Module loaded = [] {
        // RTLD_NOW: a missing symbol of the library stack shows here, not at the first store.
        const QByteArray path = modulePath();
        void *handle = dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
        Module m { nullptr, nullptr };
        if (handle) {
            m.isPrimary = reinterpret_cast<bool (*)()>(dlsym(handle, "kvRoleIsPrimary"));
            m.setPrimary = reinterpret_cast<void (*)(bool)>(dlsym(handle, "kvRoleSetPrimary"));
        }
        // Without the system configuration the role can be neither shown nor stored truthfully.
        if (!m.isPrimary || !m.setPrimary)
            qFatal("Cannot load the system configuration (%s): %s", path.constData(), dlerror());
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
