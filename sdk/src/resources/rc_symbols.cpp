// The Win32 constants a resource script may name without defining them.
#include "resources/rc_symbols.h"
#include "winres.h"

namespace {

struct Constant {
    const char* name;
    DWORD value;
};

const Constant kWin32Constants[] = {
    {"WS_CHILD", WS_CHILD}, {"WS_VISIBLE", WS_VISIBLE}, {"WS_DISABLED", WS_DISABLED},
    {"WS_VSCROLL", WS_VSCROLL}, {"WS_HSCROLL", WS_HSCROLL}, {"WS_BORDER", WS_BORDER},
    {"WS_TABSTOP", WS_TABSTOP}, {"WS_GROUP", WS_GROUP}, {"WS_POPUP", WS_POPUP},
    {"WS_CAPTION", WS_CAPTION}, {"WS_SYSMENU", WS_SYSMENU},
    {"DS_SETFONT", DS_SETFONT}, {"DS_MODALFRAME", DS_MODALFRAME},
    {"BS_PUSHBUTTON", BS_PUSHBUTTON}, {"BS_DEFPUSHBUTTON", BS_DEFPUSHBUTTON},
    {"BS_CHECKBOX", BS_CHECKBOX}, {"BS_AUTOCHECKBOX", BS_AUTOCHECKBOX},
    {"BS_RADIOBUTTON", BS_RADIOBUTTON}, {"BS_AUTORADIOBUTTON", BS_AUTORADIOBUTTON},
    {"BS_GROUPBOX", BS_GROUPBOX},
    {"SS_LEFT", SS_LEFT}, {"SS_CENTER", SS_CENTER}, {"SS_RIGHT", SS_RIGHT}, {"SS_NOTIFY", SS_NOTIFY},
    {"LBS_NOTIFY", LBS_NOTIFY}, {"LBS_SORT", LBS_SORT}, {"LBS_MULTIPLESEL", LBS_MULTIPLESEL},
    {"LBS_EXTENDEDSEL", LBS_EXTENDEDSEL}, {"LBS_NOSEL", LBS_NOSEL},
    {"LBS_NOINTEGRALHEIGHT", LBS_NOINTEGRALHEIGHT}, {"LBS_STANDARD", LBS_STANDARD},
    {"VS_VERSION_INFO", static_cast<DWORD>(VS_VERSION_INFO)},
    {"VS_FFI_FILEFLAGSMASK", VS_FFI_FILEFLAGSMASK}, {"VS_FF_DEBUG", VS_FF_DEBUG},
    {"VOS__WINDOWS32", VOS__WINDOWS32}, {"VOS_NT_WINDOWS32", VOS_NT_WINDOWS32},
    {"VFT_APP", VFT_APP}, {"VFT_DLL", VFT_DLL}, {"VFT2_UNKNOWN", VFT2_UNKNOWN},
    {"IDC_STATIC", 0xFFFFFFFFul},  // -1 in 32 bits
};

}  // namespace

RcSymbols::RcSymbols() {
    for (const Constant& constant : kWin32Constants)
        values[constant.name] = static_cast<uint32_t>(constant.value);
}

bool RcSymbols::find(const std::string& name, uint32_t& value) const {
    auto it = values.find(name);
    if (it == values.end()) return false;
    value = it->second;
    return true;
}
