// Whether Qt has loaded image-format plugins into this process, where that can be told: a
// count of their mappings (Linux) or modules (Windows) that is 0 exactly when none is loaded.
// A static Qt links its plugins into the program, so there nothing is ever loaded to count.
#pragma once

#include <QFile>
#include <optional>

#if defined(Q_OS_WIN) && !defined(QT_STATIC)
#include <QString>
#include <vector>
#include <windows.h>
// needs windows.h first
#include <psapi.h>
#endif

namespace forms::qt::testing {

inline std::optional<int> imageFormatPluginsLoaded() {
#if defined(QT_STATIC)
    return std::nullopt;
#elif defined(Q_OS_WIN)
    const HANDLE process = GetCurrentProcess();
    std::vector<HMODULE> modules;
    DWORD bytes = 0;
    do {
        modules.resize(bytes / sizeof(HMODULE) + 64);
        if (!EnumProcessModules(process, modules.data(), DWORD(modules.size() * sizeof(HMODULE)),
                                &bytes))
            return std::nullopt;
    } while (bytes > modules.size() * sizeof(HMODULE));
    modules.resize(bytes / sizeof(HMODULE));
    int loaded = 0;
    for (HMODULE module : modules) {
        wchar_t path[MAX_PATH] = {};
        const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
        const QString name = QString::fromWCharArray(path, int(length)).replace(u'\\', u'/');
        loaded += name.contains(QLatin1String("/imageformats/"), Qt::CaseInsensitive);
    }
    return loaded;
#else
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return std::nullopt;
    return static_cast<int>(maps.readAll().count("/imageformats/"));
#endif
}

} // namespace forms::qt::testing
