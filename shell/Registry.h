#pragma once

#include <cstdint>
#include <string>

// The three registry calls the system-information launcher makes, as the Windows API has them:
// a status (0 for success), the key as a 32-bit handle, the value as a type and raw bytes.
// Keeping that shape lets GetKeyValue do its own buffer handling on any backend, and lets a
// fake stand in for the registry under test.
class Registry {
public:
    using Handle = std::int32_t;

    virtual ~Registry() = default;

    // Fills key with the opened key's handle, or leaves it 0 when the open fails.
    virtual std::int32_t OpenKey(std::int32_t root, const std::string& keyName, std::uint32_t access,
                                 Handle& key) = 0;
    // Writes at most size bytes into data, then sets size to the value's length in bytes.
    // A value longer than the size given fails with ErrorMoreData.
    virtual std::int32_t QueryValue(Handle key, const std::string& valueName, std::uint32_t& type, char* data,
                                    std::uint32_t& size) = 0;
    virtual std::int32_t CloseKey(Handle key) = 0;
};

// Where the system-information program is looked for: first a value naming the program, then
// one naming the folder that holds it.
inline const std::string MsInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline const std::string MsInfoValue = "PATH";
inline const std::string LocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline const std::string LocationValue = "MSINFO";

// The predefined root key's handle is a negative 32-bit number.
inline constexpr std::int32_t HKEY_LOCAL_MACHINE = static_cast<std::int32_t>(0x80000002u);

inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_DWORD = 4;

// READ_CONTROL with the query, set, create-subkey, enumerate, notify and create-link rights:
// more than a read needs, but what the launcher has always asked for.
inline constexpr std::uint32_t KeyAccessMask = 0x2003F;

inline constexpr std::int32_t ErrorSuccess = 0;
inline constexpr std::int32_t ErrorFileNotFound = 2;
inline constexpr std::int32_t ErrorInvalidHandle = 6;
inline constexpr std::int32_t ErrorMoreData = 234;
