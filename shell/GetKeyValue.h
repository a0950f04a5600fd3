#pragma once

#include "Registry.h"

#include <cstdint>
#include <string>

// Reads value SubKeyRef of key KeyName below KeyRoot into KeyVal: a string as it is, a
// double word as "&h" and upper-case hex. True when the key opened and the value was read;
// otherwise KeyVal is emptied. A value reported with a length of 0 throws, and the caller's
// error trap decides what the user sees.
bool GetKeyValue(Registry& registry, std::int32_t KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal);
