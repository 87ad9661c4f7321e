// The plug-in libraries one run of the trellis program loads, and the
// trellis object class among their classes: the program makes trellis
// objects only through that class's descriptor, as the host does.
#pragma once
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>
#include "plugapi.h"

// A plug-in folder or file that cannot be used; what() is "<path>: <reason>".
class PluginError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Loads every plug-in file of a folder and finds the trellis class among
// their classes. Every object a plug-in made must be gone before the host
// that loaded it: destroy scenes first.
class PluginHost {
public:
    // Loads the folder's plug-in files in name order. Throws PluginError for
    // a missing folder, a file that does not load, a class offered by two
    // files, or a folder without the trellis class; nothing stays loaded then.
    explicit PluginHost(const std::string& folder);
    // Unloads the libraries, the last loaded first.
    ~PluginHost();
    PluginHost(const PluginHost&) = delete;
    PluginHost& operator=(const PluginHost&) = delete;

    const std::vector<std::unique_ptr<PluginLibrary>>& libraries() const { return loaded; }
    // Never null: a folder without the class is refused.
    ClassDesc& trellisClass() const { return *trellis; }

private:
    void loadFile(const std::string& path);
    void claimClass(ClassDesc& desc, const std::string& path);
    std::vector<std::unique_ptr<PluginLibrary>> loaded;
    // The file of each class loaded so far, by super class and class id:
    // the host tells classes apart by the two together.
    std::map<std::pair<SClass_ID, std::pair<ULONG, ULONG>>, std::string> classFiles;
    ClassDesc* trellis = nullptr;
};
