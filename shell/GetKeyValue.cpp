#include "GetKeyValue.h"

#include <array>
#include <stdexcept>

namespace {

// Room for any path the launcher looks for; a longer value fails its query.
constexpr std::uint32_t BufferSize = 1024;

// Closes the key however the lookup ends, including when it throws.
class KeyCloser {
public:
    KeyCloser(Registry& registry, const Registry::Handle& key) : m_registry(registry), m_key(key) {}
    ~KeyCloser() { m_registry.CloseKey(m_key); }
    KeyCloser(const KeyCloser&) = delete;
    KeyCloser& operator=(const KeyCloser&) = delete;

private:
    Registry& m_registry;
    const Registry::Handle& m_key;
};

// Cuts the buffer to the reported length: a string stored with its terminating zero loses
// it, one stored without keeps every byte. A length past the buffer (only a misbehaving
// backend reports one) keeps the whole buffer and never reads beyond it.
std::string CutToSize(const std::array<char, BufferSize>& buffer, std::uint32_t size)
{
    if (size == 0)
        throw std::out_of_range("registry value reported with a length of 0");
    if (size > BufferSize)
        return {buffer.data(), BufferSize};
    const std::size_t kept = buffer[size - 1] == '\0' ? size - 1 : size;
    return {buffer.data(), kept};
}

// The bytes from the last to the first, each in upper-case hex without leading zeros, so a
// little-endian double word reads from its most significant byte down.
std::string HexFromLastToFirst(const std::string& bytes)
{
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string hex;
    for (auto it = bytes.rbegin(); it != bytes.rend(); ++it) {
        const auto code = static_cast<unsigned char>(*it);
        if (code >= 16)
            hex += Digits[code / 16];
        hex += Digits[code % 16];
    }
    return hex;
}

} // namespace

bool GetKeyValue(Registry& registry, std::int32_t KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal)
{
    Registry::Handle key = 0;
    // The key is closed even when it never opened; the handle is then 0.
    const KeyCloser closer(registry, key);

    if (registry.OpenKey(KeyRoot, KeyName, KeyAccessMask, key) != ErrorSuccess) {
        KeyVal.clear();
        return false;
    }

    std::array<char, BufferSize> buffer{};
    std::uint32_t size = BufferSize;
    std::uint32_t type = 0;
    if (registry.QueryValue(key, SubKeyRef, type, buffer.data(), size) != ErrorSuccess) {
        KeyVal.clear();
        return false;
    }

    const std::string value = CutToSize(buffer, size);
    switch (type) {
    case REG_SZ: KeyVal = value; break;
    case REG_DWORD:
        // Appended to whatever KeyVal held before.
        KeyVal = "&h" + KeyVal + HexFromLastToFirst(value);
        break;
    default: break; // other types leave KeyVal as it was
    }
    return true;
}
