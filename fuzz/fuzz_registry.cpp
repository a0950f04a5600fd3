// Catches a registry reader that reads past its buffer, leaves a key open or KeyVal filled after a failure.
#include "GetKeyValue.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <stdexcept>

namespace {

// Answers anything: any status, type, bytes and reported length, past the buffer or 0 included.
struct AnyRegistry final : Registry {
    explicit AnyRegistry(FuzzedDataProvider& input) : Input(input) {}
    std::int32_t OpenKey(std::int32_t, const std::string&, std::uint32_t, Handle& key) override
    {
        if (!Input.ConsumeBool())
            return ErrorFileNotFound;
        key = Opened = Input.ConsumeIntegral<Handle>();
        return ErrorSuccess;
    }
    std::int32_t QueryValue(Handle, const std::string&, std::uint32_t& type, char* data,
                            std::uint32_t& size) override
    {
        const std::int32_t status =
            Input.PickValueInArray({ErrorSuccess, ErrorSuccess, ErrorMoreData, ErrorFileNotFound,
                                    Input.ConsumeIntegral<std::int32_t>()});
        type = Input.PickValueInArray({REG_SZ, REG_DWORD, Input.ConsumeIntegral<std::uint32_t>()});
        const std::string bytes =
            Input.ConsumeRandomLengthString(2 * size).substr(0, size); // no more than offered
        std::copy(bytes.begin(), bytes.end(), data);
        const auto written = std::uint32_t(bytes.size());
        size = Input.PickValueInArray(
            {written, written, 0u, written + 1, size + 1, Input.ConsumeIntegral<std::uint32_t>()});
        return status;
    }
    std::int32_t CloseKey(Handle key) override
    {
        Closes += key == Opened ? 1 : 2;
        return ErrorSuccess;
    }

    FuzzedDataProvider& Input;
    Handle Opened = 0; // stays 0 when the open fails
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
