// Basic types and constants of the host SDK and Win32, as the plug-in sees them.
#pragma once
#include <cstdint>
#include <cstddef>

typedef int BOOL;
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
// Win32's DWORD and ULONG are 32 bits: unsigned long under Windows' LLP64
// model, but 64 bits under Linux's LP64. Spelled as 32-bit types there, so
// that structures holding them (a polyline point, a spline knot) keep their
// real size: a cage's curves are millions of points.
#ifdef _WIN32
typedef unsigned long DWORD;
typedef unsigned long ULONG;
#else
typedef std::uint32_t DWORD;
typedef std::uint32_t ULONG;
#endif
typedef unsigned int UINT;
typedef unsigned short WORD;
typedef std::uintptr_t ULONG_PTR;
typedef std::uintptr_t WPARAM;
typedef std::intptr_t LPARAM;
typedef std::intptr_t LRESULT;
typedef std::intptr_t INT_PTR;
typedef char TCHAR;
typedef const char* LPCSTR;
typedef char* LPSTR;

// Window and module handles are opaque pointers, as in Win32.
struct HWND__;
typedef HWND__* HWND;
struct HINSTANCE__;
typedef HINSTANCE__* HINSTANCE;

#define LOWORD(l) ((WORD)(((ULONG_PTR)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((ULONG_PTR)(l)) >> 16) & 0xffff))
#define MAKEWPARAM(l, h) ((WPARAM)(((WORD)(l)) | (((ULONG_PTR)(WORD)(h)) << 16)))

// Time: integer ticks, 4800 to the second.
typedef int TimeValue;
const int TICKS_PER_SEC = 4800;
const TimeValue TIME_NegInfinity = static_cast<TimeValue>(0x80000000u);
const TimeValue TIME_PosInfinity = static_cast<TimeValue>(0x7FFFFFFFu);

// Super class ids.
typedef ULONG SClass_ID;
const SClass_ID GEOMOBJECT_CLASS_ID = 0x10;
const SClass_ID SHAPE_CLASS_ID = 0x40;
const SClass_ID PARAMETER_BLOCK_CLASS_ID = 0x8;
const SClass_ID CTRL_MATRIX3_CLASS_ID = 0x9008;
const SClass_ID BASENODE_CLASS_ID = 0x1;
const SClass_ID NOTIFY_ALL = 0xFFFFFFF0;

class Class_ID {
public:
    Class_ID() = default;
    Class_ID(ULONG aa, ULONG bb) : a(aa), b(bb) {}
    ULONG PartA() const { return a; }
    ULONG PartB() const { return b; }
    bool operator==(const Class_ID& o) const { return a == o.a && b == o.b; }
    bool operator!=(const Class_ID& o) const { return !(*this == o); }

private:
    ULONG a = 0xFFFFFFFF;
    ULONG b = 0xFFFFFFFF;
};

// Reference system results, messages and part ids.
typedef int RefResult;
const RefResult REF_FAIL = 0;
const RefResult REF_SUCCEED = 1;
const RefResult REF_DONTCARE = 2;
const RefResult REF_STOP = 3;

typedef unsigned int RefMessage;
const RefMessage REFMSG_TARGET_DELETED = 0x20;
const RefMessage REFMSG_CHANGE = 0x50;
const RefMessage REFMSG_TEST_DEPENDENCY = 0x107;
const RefMessage REFMSG_GET_PARAM_NAME = 0xFB;
const RefMessage REFMSG_GET_PARAM_DIM = 0xFC;

// A part id is wide enough to carry a pointer: the parameter name and
// dimension requests pass their request record through it.
typedef ULONG_PTR PartID;
const PartID PART_TOPO = 1 << 0;
const PartID PART_GEOM = 1 << 1;
const PartID PART_TEXMAP = 1 << 2;
const PartID PART_MTL = 1 << 3;
const PartID PART_SELECT = 1 << 4;
const PartID PART_SUBSEL_TYPE = 1 << 5;
const PartID PART_DISPLAY = 1 << 6;
const PartID PART_VERTCOLOR = 1 << 7;
const PartID PART_GFX_DATA = 1 << 8;
const PartID PART_DISP_APPROX = 1 << 9;
const PartID PART_TM = 1 << 24;
const PartID PART_OBJ = PART_TOPO | PART_GEOM | PART_TEXMAP | PART_MTL | PART_SELECT |
                        PART_SUBSEL_TYPE | PART_DISPLAY | PART_VERTCOLOR | PART_GFX_DATA |
                        PART_DISP_APPROX;
const PartID PART_ALL = PART_OBJ | PART_TM;

// Animatable flags.
const DWORD A_OBJ_CREATING = 0x20;
const DWORD A_DEPENDENCY_TEST = 0x04000000;
