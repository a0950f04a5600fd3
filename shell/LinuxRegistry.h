#pragma once

#include "Registry.h"

// The registry as this desktop can answer it. The key that names the system-information
// program holds, as its "PATH" value, the full path of the first desktop system-information
// program found on PATH, looked up afresh at each query; no other key exists.
class LinuxRegistry : public Registry {
public:
    std::int32_t OpenKey(std::int32_t root, const std::string& keyName, std::uint32_t access,
                         Handle& key) override;
    std::int32_t QueryValue(Handle key, const std::string& valueName, std::uint32_t& type, char* data,
                            std::uint32_t& size) override;
    std::int32_t CloseKey(Handle key) override;
};
