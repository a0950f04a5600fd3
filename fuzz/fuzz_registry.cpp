// GetKeyValue over a registry that answers anything: any status, type, bytes and reported
// length, longer than the buffer or 0 included. The key is always closed once, nothing is read
// beyond the buffer, and what KeyVal holds afterwards fits what was answered.
#include "GetKeyValue.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// What GetKeyValue offers; a well-behaved backend writes no more than that.
constexpr std::uint32_t BufferSize = 1024;
constexpr std::size_t LongestValue = 2 * BufferSize;

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

// Every answer is drawn from the fuzzer's input, and every call is written down.
class AnyRegistry final : public Registry {
public:
    explicit AnyRegistry(FuzzedDataProvider& input) : Input(input) {}

    std::int32_t OpenKey(std::int32_t, const std::string&, std::uint32_t, Handle& key) override
    {
        ++Opens;
        if (!Input.ConsumeBool())
            return ErrorFileNotFound;
        key = Input.ConsumeIntegral<Handle>();
        OpenedKey = key;
        return ErrorSuccess;
    }

    std::int32_t QueryValue(Handle key, const std::string&, std::uint32_t& type, char* data,
                            std::uint32_t& size) override
    {
        ++Queries;
        if (key != OpenedKey)
            Fail("queried a key that was not opened");
        if (size != BufferSize)
            Fail("the buffer offered is not 1024 bytes");
        const std::int32_t status =
            Input.PickValueInArray({ErrorSuccess, ErrorSuccess, ErrorMoreData, ErrorFileNotFound,
                                    Input.ConsumeIntegral<std::int32_t>()});
        type = Input.PickValueInArray({REG_SZ, REG_DWORD, Input.ConsumeIntegral<std::uint32_t>()});
        Written = Input.ConsumeRandomLengthString(LongestValue);
        const std::size_t fits = std::min<std::size_t>(Written.size(), size);
        Written.resize(fits);
        std::copy(Written.begin(), Written.end(), data);
        const auto written = static_cast<std::uint32_t>(fits);
        size = Input.PickValueInArray(
            {written, written, 0u, written + 1, BufferSize + 1, Input.ConsumeIntegral<std::uint32_t>()});
        Type = type;
        Size = size;
        Status = status;
        return status;
    }

    std::int32_t CloseKey(Handle key) override
    {
        Closed.push_back(key);
        return ErrorSuccess;
    }

    FuzzedDataProvider& Input;
    int Opens = 0;
    int Queries = 0;
    std::optional<Handle> OpenedKey;
    std::vector<Handle> Closed;
    std::string Written;
    std::uint32_t Type = 0;
    std::uint32_t Size = 0;
    std::int32_t Status = 0;
};

bool UpperHex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    std::string keyVal = input.ConsumeRandomLengthString(LongestValue);
    const std::string before = keyVal;
    AnyRegistry registry(input);

    bool found = false;
    bool threw = false;
    try {
        found = GetKeyValue(registry, HKEY_LOCAL_MACHINE, "SOFTWARE", "PATH", keyVal);
    } catch (const std::out_of_range&) {
        threw = true;
    }

    if (registry.Opens != 1 || registry.Closed.size() != 1)
        Fail("the key was not opened once and closed once");
    if (registry.Closed[0] != registry.OpenedKey.value_or(0))
        Fail("closed another handle than the one opened (0 when the open failed)");

    const bool queried = registry.OpenedKey && registry.Queries == 1;
    const bool read = queried && registry.Status == ErrorSuccess;
    if (threw != (read && registry.Size == 0))
        Fail("threw other than for a value reported with a length of 0");
    if (threw)
        return 0;
    if (found != read)
        Fail("the result does not say whether the value was read");
    if (!found) {
        if (!keyVal.empty())
            Fail("a failed lookup left text in KeyVal");
        return 0;
    }

    // The buffer as GetKeyValue saw it: what was written, then zeros.
    std::string buffer = registry.Written;
    buffer.resize(BufferSize, '\0');
    const std::size_t reported = std::min(registry.Size, BufferSize);
    switch (registry.Type) {
    case REG_SZ:
        if (keyVal.size() > reported || keyVal.size() + 1 < reported
            || buffer.compare(0, keyVal.size(), keyVal) != 0)
            Fail("a string value is not the buffer cut to the reported length");
        break;
    case REG_DWORD: {
        const std::string prefix = "&h" + before;
        if (keyVal.compare(0, prefix.size(), prefix) != 0)
            Fail("a double word does not follow \"&h\" and the text KeyVal held");
        const std::string hex = keyVal.substr(prefix.size());
        if (hex.size() > 2 * reported || !std::all_of(hex.begin(), hex.end(), UpperHex))
            Fail("a double word is not upper-case hex of the bytes read");
        break;
    }
    default:
        if (keyVal != before)
            Fail("a value of another type changed KeyVal");
    }
    return 0;
}
