// Runs a program as a child process and takes what it cost from wait4's
// resource usage: the child's own CPU time, whatever else the machine runs,
// and its peak resident memory.
#pragma once
#include <string>
#include <vector>

struct ChildUsage {
    bool exitedZero = false;
    std::string failure;    // why the child did not end with status 0
    double cpuSeconds = 0;  // user + system
    double peakMB = 0;      // maxrss, in MB of 2^20 bytes
};

// Runs argv (argv[0] is the program's path) with standard input /dev/null
// and standard output and error to the files named (created or truncated).
//
// Linux starts a child's peak memory at the high-water mark of the address
// space it was spawned from (vfork: the parent's peak so far; fork: the
// parent's resident set at the time), so a child of a process that has
// been large reports that size at least. Peaks worth reading come from
// measureChild.
ChildUsage runChild(const std::vector<std::string>& argv, const std::string& stdoutPath,
                    const std::string& stderrPath);

// runChild through the small launcher program (launcher/launch_main.cpp),
// which spawns argv from its own fresh address space and passes the usage
// back in resultPath: the child's peak is its own whatever this process has
// held.
ChildUsage measureChild(const std::string& launcher, const std::vector<std::string>& argv,
                        const std::string& stdoutPath, const std::string& stderrPath, const std::string& resultPath);

// The launcher's side: writes usage to resultPath as measureChild reads it.
bool writeChildUsage(const std::string& resultPath, const ChildUsage& usage);
