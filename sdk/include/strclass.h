// The host's string class.
#pragma once
#include <string>

class CStr {
public:
    CStr() = default;
    CStr(const char* s) : str(s ? s : "") {}
    CStr(const std::string& s) : str(s) {}
    CStr& operator=(const char* s) { str = s ? s : ""; return *this; }
    const char* data() const { return str.c_str(); }
    operator const char*() const { return str.c_str(); }
    int Length() const { return static_cast<int>(str.size()); }
    const std::string& std() const { return str; }
    bool operator==(const char* s) const { return s && str == s; }

private:
    std::string str;
};
typedef CStr TSTR;
#define _T(x) x
