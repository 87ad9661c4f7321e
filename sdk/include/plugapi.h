// The host's plug-in interface: the version stamp a library reports, the
// class descriptor it hands out, and the loader that finds and opens
// plug-in libraries.
#pragma once
#include <memory>
#include <string>
#include <vector>
#include "maxtypes.h"
#include "winmodule.h"

class Interface;

// Version stamp: release number in bits 16..31, SDK interface (API number)
// in bits 8..15, SDK revision in bits 0..7. A library built against another
// SDK interface cannot be loaded.
const ULONG MAX_RELEASE = 6000;
const ULONG MAX_API_NUM = 13;
const ULONG MAX_SDK_REV = 0;
const ULONG VERSION_3DSMAX = (MAX_RELEASE << 16) + (MAX_API_NUM << 8) + MAX_SDK_REV;
static_assert(VERSION_3DSMAX == 0x17700D00, "release 6000, interface 13, revision 0");

inline ULONG GetMaxRelease(ULONG version) { return (version >> 16) & 0xFFFF; }
inline ULONG GetMaxApiNum(ULONG version) { return (version >> 8) & 0xFF; }
inline ULONG GetMaxSdkRev(ULONG version) { return version & 0xFF; }

// Describes one plug-in class to the host and creates its instances. A
// library keeps one static descriptor per class; the host points to it, so
// it is not copyable.
class ClassDesc {
public:
    ClassDesc();
    ClassDesc(const ClassDesc&) = delete;
    ClassDesc& operator=(const ClassDesc&) = delete;
    virtual ~ClassDesc();

    // Whether the class is listed in the Create panel.
    virtual int IsPublic() = 0;
    // A new instance as an Animatable* carried in a void* (the host's
    // signature): convert it back to Animatable* before anything else.
    virtual void* Create(BOOL loading = FALSE) = 0;
    virtual int BeginCreate(Interface*) { return 0; }
    virtual int EndCreate(Interface*) { return 0; }
    virtual const TCHAR* ClassName() = 0;
    virtual SClass_ID SuperClassID() = 0;
    virtual Class_ID ClassID() = 0;
    virtual const TCHAR* Category() = 0;
    virtual BOOL OkToCreate(Interface*) { return TRUE; }
    virtual BOOL HasClassParams() { return FALSE; }
    virtual void EditClassParams(HWND) {}
    virtual void ResetClassParams(BOOL = FALSE) {}
    virtual const TCHAR* InternalName() { return nullptr; }
    virtual HINSTANCE HInstance() { return nullptr; }
};

// Descriptors alive in the process: a library's static descriptors come and
// go with the library.
int LiveClassDescCount();

// Initialises the host's custom controls for a library's module. The
// stand-in's controls need no set-up, so it only counts the calls.
void InitCustomControls(HINSTANCE module);
int InitCustomControlsCallCount();

// The functions every plug-in library exports, by name.
typedef const TCHAR* (*LibDescriptionProc)();
typedef int (*LibNumberClassesProc)();
typedef ClassDesc* (*LibClassDescProc)(int i);
typedef ULONG (*LibVersionProc)();

// One loaded plug-in library. Loading opens the file, registers the resource
// script it carries under its module handle, calls its entry point with
// DLL_PROCESS_ATTACH, resolves its four exports, checks its SDK interface and
// lists its classes. Destroying it calls the entry point with
// DLL_PROCESS_DETACH, drops the resources and closes the file, which runs
// the library's static destructors: its descriptors are gone afterwards.
//
// The stand-in examines the file's bytes before it opens it, and refuses a
// file that is not a plug-in library of this SDK with nothing of it run
// (src/loader/plugin_examination.cpp lists the checks). It reads the
// resources from ELF sections of the library: ".rsrc" holds the resource
// script, which every plug-in must carry, and ".rsrc.h" the id header it
// includes. The entry point is the ELF entry address; a library whose entry
// address is 0 has none, as a DLL may have none.
class PluginLibrary {
public:
    // Null with a one-line message in error when the library cannot be used;
    // nothing of it stays loaded then.
    static std::unique_ptr<PluginLibrary> Load(const std::string& path, std::string& error);
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    const std::string& Path() const { return path; }
    const std::string& Description() const { return description; }
    ULONG Version() const { return version; }
    int NumClasses() const { return static_cast<int>(classes.size()); }
    // Null outside 0 .. NumClasses() - 1.
    ClassDesc* ClassDescAt(int i) const;
    HINSTANCE Module() const { return static_cast<HINSTANCE>(handle); }

private:
    explicit PluginLibrary(const std::string& libraryPath) : path(libraryPath) {}
    bool open(std::string& error);
    bool attach(std::string& error);
    bool resolveExports(std::string& error);
    bool checkVersion(std::string& error);
    bool listClasses(std::string& error);

    std::string path;
    void* handle = nullptr;
    DllEntryPoint entryPoint = nullptr;
    bool registered = false;
    bool attached = false;
    LibDescriptionProc libDescription = nullptr;
    LibNumberClassesProc libNumberClasses = nullptr;
    LibClassDescProc libClassDesc = nullptr;
    LibVersionProc libVersion = nullptr;
    std::string description;
    ULONG version = 0;
    std::vector<ClassDesc*> classes;
};

// The plug-in files of a folder: names ending in ".dlo" (any case), sorted.
// Empty when the folder does not exist.
std::vector<std::string> FindPluginFiles(const std::string& dir);

// The folder "plugins" next to the running program.
std::string DefaultPluginFolder();
