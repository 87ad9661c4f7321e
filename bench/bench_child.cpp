#include "bench_child.h"
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

extern char** environ;

namespace {

double seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; }

std::string statusText(int status) {
    if (WIFEXITED(status)) return "exit status " + std::to_string(WEXITSTATUS(status));
    if (WIFSIGNALED(status)) return std::string("killed by signal ") + strsignal(WTERMSIG(status));
    return "status " + std::to_string(status);
}

}  // namespace

ChildUsage runChild(const std::vector<std::string>& argv, const std::string& stdoutPath,
                    const std::string& stderrPath) {
    ChildUsage usage;
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&files, 2, stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    int error = posix_spawn(&pid, args[0], &files, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    if (error != 0) {
        usage.failure = "cannot run " + argv[0] + ": " + std::strerror(error);
        return usage;
    }

    // wait4 reports the child alone: its user and system time and its
    // high-water mark of resident memory.
    int status = 0;
    rusage resources{};
    while (wait4(pid, &status, 0, &resources) < 0) {
        if (errno == EINTR) continue;
        usage.failure = std::string("wait4: ") + std::strerror(errno);
        return usage;
    }
    usage.cpuSeconds = seconds(resources.ru_utime) + seconds(resources.ru_stime);
    usage.peakMB = static_cast<double>(resources.ru_maxrss) / 1024.0;  // Linux gives kilobytes
    usage.exitedZero = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!usage.exitedZero) usage.failure = argv[0] + " ended with " + statusText(status);
    return usage;
}

ChildUsage measureChild(const std::string& launcher, const std::vector<std::string>& argv,
                        const std::string& stdoutPath, const std::string& stderrPath, const std::string& resultPath) {
    std::vector<std::string> launch{launcher, resultPath, stdoutPath, stderrPath};
    launch.insert(launch.end(), argv.begin(), argv.end());
    std::remove(resultPath.c_str());  // no figures of an earlier run
    ChildUsage launched = runChild(launch, "/dev/null", "/dev/null");
    ChildUsage usage;
    std::ifstream result(resultPath);
    if (!launched.exitedZero || !(result >> usage.exitedZero >> usage.cpuSeconds >> usage.peakMB)) {
        usage.exitedZero = false;
        usage.failure = launched.failure.empty() ? "no usage from " + launcher : launched.failure;
        return usage;
    }
    result >> std::ws;
    std::getline(result, usage.failure);
    return usage;
}

bool writeChildUsage(const std::string& resultPath, const ChildUsage& usage) {
    std::ofstream result(resultPath, std::ios::trunc);
    result.precision(17);
    result << usage.exitedZero << ' ' << usage.cpuSeconds << ' ' << usage.peakMB << '\n' << usage.failure << '\n';
    return static_cast<bool>(result.flush());
}
