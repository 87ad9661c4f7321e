// Helpers for the trellis program's tests: a scratch folder, and runs of
// the program in this process or as the built binary.
#pragma once
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include <sys/wait.h>
#include <unistd.h>
#include "app/commands/cli.h"

namespace apptest {

// A fresh folder, removed with everything in it at the end of the test.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "trellis-app-XXXXXX").string();
        root = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string path(const std::string& name) const { return root + "/" + name; }
    std::string write(const std::string& name, const std::string& text) const {
        std::ofstream(path(name), std::ios::binary) << text;
        return path(name);
    }
    std::string read(const std::string& name) const {
        std::ifstream in(path(name), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    bool exists(const std::string& name) const { return std::filesystem::exists(path(name)); }
    // Names in the folder, to see that no temporary file was left behind.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(root)) names.push_back(e.path().filename().string());
        return names;
    }

private:
    std::string root;
};

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

// runTrellis with these arguments (the program name is added).
inline RunResult runInProcess(const std::vector<std::string>& args) {
    std::vector<const char*> argv{"trellis"};
    for (const std::string& a : args) argv.push_back(a.c_str());
    std::ostringstream out, err;
    RunResult result;
    result.status = runTrellis(static_cast<int>(argv.size()), argv.data(), out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
}

inline std::string shellQuote(const std::string& s) {
    std::string quoted = "'";
    for (char c : s) quoted += (c == '\'') ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// The built trellis binary, run by the shell with its streams caught in files of `dir`.
inline RunResult runBinary(const TempDir& dir, const std::vector<std::string>& args) {
    std::string command = shellQuote(TRELLIS_BINARY);
    for (const std::string& a : args) command += " " + shellQuote(a);
    command += " >" + shellQuote(dir.path("stdout.txt")) + " 2>" + shellQuote(dir.path("stderr.txt"));
    int raw = std::system(command.c_str());
    RunResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = dir.read("stdout.txt");
    result.err = dir.read("stderr.txt");
    return result;
}

inline int countLines(const std::string& text) {
    int lines = 0;
    for (char c : text) lines += c == '\n';
    return lines;
}

}  // namespace apptest
