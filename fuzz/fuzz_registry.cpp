// Catches a registry reader that reads past its buffer, leaves a key open or KeyVal filled after a failure.
#include "GetKeyValue.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <stdexcept>

namespace {

// Answers anything: any status, handle, type and bytes, and any length, past the buffer or 0 included.
struct AnyRegistry final : Registry {
    explicit AnyRegistry(FuzzedDataProvider& input) : Input(input) {}
    std::int32_t OpenKey(std::int32_t, const std::string&, std::uint32_t, Handle& key) override
    {
        key = Opened = Input.ConsumeIntegral<Handle>(); // a failed open leaves no handle to close but 0
        return Opened ? ErrorSuccess : ErrorFileNotFound;
    }
    std::int32_t QueryValue(Handle, const std::string&, std::uint32_t& type, char* data,
                            std::uint32_t& size) override
    {
        type = Input.ConsumeIntegralInRange<std::uint32_t>(0, 5); // REG_SZ and REG_DWORD among others
        const std::string bytes = Input.ConsumeRandomLengthString(size);
        std::copy(bytes.begin(), bytes.end(), data);
        size = Input.ConsumeBool() ? std::uint32_t(bytes.size()) : Input.ConsumeIntegral<std::uint32_t>();
        return Input.ConsumeBool() ? ErrorSuccess : Input.ConsumeIntegral<std::int32_t>();
    }
    std::int32_t CloseKey(Handle key) override { return Closes += key == Opened ? 1 : 2, ErrorSuccess; }

    FuzzedDataProvider& Input;
    Handle Opened = 0;
    int Closes = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    std::string keyVal = input.ConsumeRandomLengthString(2048);
    AnyRegistry registry(input);
    try {
        if (!GetKeyValue(registry, HKEY_LOCAL_MACHINE, "SOFTWARE", "PATH", keyVal) && !keyVal.empty())
            std::abort();
    } catch (const std::out_of_range&) { // a length of 0, for the caller's error trap
    }
    if (registry.Closes != 1)
        std::abort();
    return 0;
}
