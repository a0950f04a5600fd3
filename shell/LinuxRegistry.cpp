#include "LinuxRegistry.h"

#include <QStandardPaths>
#include <QString>

#include <cstring>

namespace {

// The only key there is, so one handle will do; 0 means no key.
constexpr Registry::Handle MsInfoHandle = 1;

// Preferred first: the fuller hardware reports, then the desktops' own tools.
constexpr const char* SysInfoPrograms[] = {"hardinfo2", "hardinfo", "kinfocenter", "gnome-system-monitor"};

// Key and value names are compared without regard to case, as the registry does.
bool SameName(const std::string& a, const std::string& b)
{
    return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) == 0;
}

std::string FindSysInfoProgram()
{
    for (const char* name : SysInfoPrograms) {
        const QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!found.isEmpty())
            return found.toStdString();
    }
    return {};
}

} // namespace

std::int32_t LinuxRegistry::OpenKey(std::int32_t root, const std::string& keyName, std::uint32_t, Handle& key)
{
    key = 0;
    if (root != HKEY_LOCAL_MACHINE || !SameName(keyName, MsInfoKey))
        return ErrorFileNotFound;
    key = MsInfoHandle;
    return ErrorSuccess;
}

std::int32_t LinuxRegistry::QueryValue(Handle key, const std::string& valueName, std::uint32_t& type,
                                       char* data, std::uint32_t& size)
{
    if (key != MsInfoHandle)
        return ErrorInvalidHandle;
    if (!SameName(valueName, MsInfoValue))
        return ErrorFileNotFound;
    const std::string path = FindSysInfoProgram();
    if (path.empty())
        return ErrorFileNotFound;

    // Stored as a string with its terminating zero, as the registry keeps strings.
    const auto needed = static_cast<std::uint32_t>(path.size() + 1);
    type = REG_SZ;
    if (needed > size) {
        size = needed;
        return ErrorMoreData;
    }
    std::memcpy(data, path.c_str(), needed);
    size = needed;
    return ErrorSuccess;
}

std::int32_t LinuxRegistry::CloseKey(Handle key)
{
    return key == MsInfoHandle ? ErrorSuccess : ErrorInvalidHandle;
}
