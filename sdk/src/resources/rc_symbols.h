// Numeric names a resource script may use: the Win32 style and version
// constants the resource compiler knows, and the #define lines of the id
// headers and of the script itself.
#pragma once
#include <cstdint>
#include <map>
#include <string>

class RcSymbols {
public:
    // Starts with the Win32 constants (the ones of <winres.h>).
    RcSymbols();
    bool find(const std::string& name, uint32_t& value) const;
    // A later definition replaces an earlier one.
    void define(const std::string& name, uint32_t value) { values[name] = value; }
    void undefine(const std::string& name) { values.erase(name); }

private:
    std::map<std::string, uint32_t> values;
};
