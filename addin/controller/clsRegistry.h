// clsRegistry: reads a value under HKEY_LOCAL_MACHINE, as the controller's start does.
#pragma once

#include <string>

class clsRegistry {
public:
    // The value's text, cut at its first NUL; "" when the key cannot be opened or the
    // query fails, including a value longer than the buffer of 260 characters.
    std::string GetRegistryValue(const std::string& keyPath, const std::string& valueName);
};
