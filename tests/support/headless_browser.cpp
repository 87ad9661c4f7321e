// The browser reads NUL-terminated JSON commands on its fd 3 and writes
// answers and events on its fd 4 (--remote-debugging-pipe). All runs on the
// caller's thread: a call writes its command, then reads messages, recording
// events as they come, until the answer with its id arrives or time is up.
#include "support/headless_browser.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <utility>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace browsertest {
namespace {

using nlohmann::json;
using Clock = std::chrono::steady_clock;

// Generous, as a cold start or a test program under valgrind is slow, but
// bounded, so that a stuck browser fails a test instead of hanging it.
constexpr int startSeconds = 30;
constexpr int commandSeconds = 30;
constexpr int closeSeconds = 5;

struct Timeout : std::runtime_error {
    using std::runtime_error::runtime_error;
};

Clock::time_point after(double seconds) {
    return Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
}

// Rounded up, so that a wait never spins on a zero timeout short of its deadline.
int millisecondsUntil(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count() + 1;
    return static_cast<int>(std::clamp<long long>(left, 0, 60000));
}

std::string systemError(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

std::string fileUrl(const std::string& path) {
    static const char hex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (const char byte : std::filesystem::absolute(path).lexically_normal().string()) {
        const auto c = static_cast<unsigned char>(byte);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || std::strchr("/-._~", c))
            url += byte;
        else
            url += {'%', hex[c >> 4], hex[c & 15]};
    }
    return url;
}

// The start of a script, to name it in a message.
std::string excerpt(const std::string& script) {
    const std::string line = script.substr(0, std::min<std::size_t>(script.find('\n'), 80));
    return line.size() < script.size() ? line + "..." : line;
}

// A remote object as the console would print it.
std::string describe(const json& remote) {
    if (remote.value("type", "") == "string") return remote.value("value", "");
    for (const char* key : {"unserializableValue", "description"})
        if (remote.contains(key)) return remote[key].get<std::string>();
    return remote.contains("value") ? remote["value"].dump() : remote.value("type", "undefined");
}

std::string exceptionText(const json& details) {
    return details.contains("exception") ? describe(details["exception"]) : details.value("text", "exception");
}

std::vector<std::string> browserArguments(const std::string& binary, const std::string& folder, int width, int height) {
    return {binary, "--headless=new",
        "--no-sandbox",  // root in a container, without the user namespaces the sandbox needs
        "--use-angle=swiftshader", "--enable-unsafe-swiftshader",  // WebGL on the CPU: there is no GPU
        "--force-color-profile=srgb",  // screenshots hold the colours the page drew
        "--remote-debugging-pipe", "--user-data-dir=" + folder + "/profile", "--no-first-run",
        "--no-default-browser-check", "--disable-background-networking", "--disable-component-update",
        "--disable-extensions", "--disable-sync", "--hide-scrollbars", "--mute-audio",
        "--window-size=" + std::to_string(width) + "," + std::to_string(height), "about:blank"};
}

// The test program's environment with a home and a temporary folder of its
// own inside the folder: the crash reporter and the desktop settings write
// under $HOME, whatever the profile folder, and a browser that is killed
// leaves its temporary files behind.
std::vector<std::string> browserEnvironment(const std::string& folder) {
    std::vector<std::string> variables = {"HOME=" + folder, "TMPDIR=" + folder};
    for (char** variable = environ; *variable; ++variable) {
        const std::string text = *variable, name = text.substr(0, text.find('='));
        if (name != "HOME" && name != "TMPDIR" && name.compare(0, 4, "XDG_") != 0)
            variables.push_back(text);
    }
    return variables;
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
    std::vector<char*> list;
    for (std::string& text : texts) list.push_back(text.data());
    list.push_back(nullptr);
    return list;
}

// Starts the browser in a process group of its own, so that its helper
// processes can be killed with it, with `in` and `out` as its fds 3 and 4,
// no other fd of ours, and the default SIGPIPE it expects. Returns 0 or an
// errno value.
int spawnBrowser(std::vector<std::string> args, std::vector<std::string> env, const std::string& log, int in, int out,
                 pid_t& pid) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    posix_spawn_file_actions_adddup2(&actions, in, 3);
    posix_spawn_file_actions_adddup2(&actions, out, 4);
    posix_spawn_file_actions_addclosefrom_np(&actions, 5);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, pipeSignal;
    sigemptyset(&none);
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &pipeSignal);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    const int failure = posix_spawnp(&pid, args[0].c_str(), &actions, &attributes, pointers(args).data(),
                                     pointers(env).data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return failure;
}

} // namespace

struct HeadlessBrowser::Session {
    pid_t pid = -1;
    int toBrowser = -1;
    int fromBrowser = -1;
    std::string folder;       // the profile, the browser's home and its log; removed at the end
    std::string inbox;        // bytes read and not yet taken as messages
    std::size_t scanned = 0;  // the part of inbox known to hold no message end
    int lastId = 0;
    json reply;               // the answer to call lastId, once it has come
    std::string sessionId;
    bool loaded = false;
    std::vector<ConsoleEntry> errors;
    std::vector<std::string> urls;

    ~Session() { close(); }

    void start(int width, int height) {
        // A browser that dies must fail a test with a message, not end the
        // test program by SIGPIPE when a command is written to it.
        struct sigaction old {};
        if (sigaction(SIGPIPE, nullptr, &old) == 0 && old.sa_handler == SIG_DFL) std::signal(SIGPIPE, SIG_IGN);
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/trellis-chromium-XXXXXX";
        if (!mkdtemp(pattern.data())) throw std::runtime_error(systemError("no temporary folder"));
        folder = pattern;
        int down[2], up[2];
        if (pipe2(down, O_CLOEXEC) != 0) throw std::runtime_error(systemError("pipe"));
        toBrowser = down[1];
        if (pipe2(up, O_CLOEXEC) != 0) {
            ::close(down[0]);
            throw std::runtime_error(systemError("pipe"));
        }
        fromBrowser = up[0];
        // The browser's ends are moved above 9, so that placing one at 3 or
        // 4 in the child cannot overwrite the other.
        const int in = fcntl(down[0], F_DUPFD_CLOEXEC, 10), out = fcntl(up[1], F_DUPFD_CLOEXEC, 10);
        ::close(down[0]);
        ::close(up[1]);
        const char* chosen = std::getenv("TRELLIS_CHROMIUM");
        const std::string binary = chosen && *chosen ? chosen : "chromium";
        const int failure = in < 0 || out < 0 ? errno : spawnBrowser(browserArguments(binary, folder, width, height),
            browserEnvironment(folder), folder + "/chromium.log", in, out, pid);
        for (const int fd : {in, out})
            if (fd >= 0) ::close(fd);
        if (failure != 0)
            throw std::runtime_error("cannot run " + binary + " (" + std::strerror(failure) +
                                     "); install chromium or name it in TRELLIS_CHROMIUM");
        for (const int fd : {toBrowser, fromBrowser}) fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    }

    void attach(int width, int height) {
        const auto deadline = after(startSeconds);
        std::string target;
        while (target.empty()) {  // the first tab may appear a moment after the browser answers
            const json targets = call("Target.getTargets", {}, deadline, false);
            for (const json& info : targets.value("targetInfos", json::array()))
                if (info.value("type", "") == "page") target = info.value("targetId", "");
            if (target.empty()) pumpUntil([] { return false; }, std::min(after(0.05), deadline));
        }
        sessionId = call("Target.attachToTarget", {{"targetId", target}, {"flatten", true}}, deadline, false)
                        .value("sessionId", "");
        for (const char* domain : {"Page", "Runtime", "Log", "Network"})
            call(std::string(domain) + ".enable", {}, deadline);
        // The headless window keeps room for a toolbar: the viewport is set
        // to the size asked for.
        call("Emulation.setDeviceMetricsOverride",
             {{"width", width}, {"height", height}, {"deviceScaleFactor", 1}, {"mobile", false}}, deadline);
    }

    json call(const std::string& method, const json& params, Clock::time_point deadline, bool toPage = true) {
        json command = {{"id", ++lastId}, {"method", method}, {"params", params.is_null() ? json::object() : params}};
        if (toPage) command["sessionId"] = sessionId;
        reply = nullptr;
        send(command.dump() + '\0', deadline, method);
        if (!pumpUntil([this] { return !reply.is_null(); }, deadline))
            throw Timeout("chromium did not answer " + method + " in time");
        if (reply.contains("error")) throw std::runtime_error(method + " failed: " + reply["error"].dump());
        return reply.value("result", json::object());
    }

    void send(const std::string& bytes, Clock::time_point deadline, const std::string& method) {
        for (std::size_t sent = 0; sent < bytes.size();) {
            const ssize_t n = ::write(toBrowser, bytes.data() + sent, bytes.size() - sent);
            if (n > 0) {
                sent += static_cast<std::size_t>(n);
                continue;
            }
            if (errno == EPIPE) throw std::runtime_error(exitStatus());
            if (errno != EAGAIN && errno != EINTR) throw std::runtime_error(systemError("write"));
            if (Clock::now() >= deadline) throw Timeout("could not send " + method + " in time");
            // The browser may itself be waiting for us to read what it wrote.
            pollfd fds[2] = {{toBrowser, POLLOUT, 0}, {fromBrowser, POLLIN, 0}};
            if (poll(fds, 2, millisecondsUntil(deadline)) > 0 && fds[1].revents != 0) readSome();
        }
    }

    // Takes and handles messages until done() or the deadline; says whether done().
    bool pumpUntil(const std::function<bool()>& done, Clock::time_point deadline) {
        while (!done()) {
            const std::size_t end = inbox.find('\0', scanned);
            if (end != std::string::npos) {
                json message = json::parse(inbox.data(), inbox.data() + end);
                inbox.erase(0, end + 1);
                scanned = 0;
                handle(message);
                continue;
            }
            scanned = inbox.size();
            if (Clock::now() >= deadline) return false;
            pollfd fd = {fromBrowser, POLLIN, 0};
            if (poll(&fd, 1, millisecondsUntil(deadline)) > 0) readSome();
        }
        return true;
    }

    void readSome() {
        char chunk[1 << 16];
        for (int i = 0; i < 64; ++i) {  // 4 MiB at most, then the caller looks for whole messages
            const ssize_t n = ::read(fromBrowser, chunk, sizeof chunk);
            if (n == 0) throw std::runtime_error(exitStatus());
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
            if (n < 0) throw std::runtime_error(systemError("read"));
            inbox.append(chunk, static_cast<std::size_t>(n));
        }
    }

    void handle(json& message) {
        // An answer to a call that timed out earlier carries an older id and is dropped.
        if (message.contains("id")) {
            if (message["id"] == lastId) reply = std::move(message);
            return;
        }
        if (message.value("sessionId", "") != sessionId) return;  // the browser's own events
        const std::string method = message.value("method", "");
        const json params = message.value("params", json::object());
        if (method == "Page.loadEventFired") {
            loaded = true;
        } else if (method == "Network.requestWillBeSent") {
            urls.push_back(params.value("/request/url"_json_pointer, ""));
        } else if (method == "Runtime.consoleAPICalled") {
            const std::string type = params.value("type", "");
            if (type != "error" && type != "assert") return;
            std::string text;
            for (const json& arg : params.value("args", json::array()))
                text += (text.empty() ? "" : " ") + describe(arg);
            errors.push_back({"console." + type, text});
        } else if (method == "Runtime.exceptionThrown") {
            errors.push_back({"exception", exceptionText(params.value("exceptionDetails", json::object()))});
        } else if (method == "Log.entryAdded" && params.value("/entry/level"_json_pointer, "") == "error") {
            errors.push_back({"log", params.value("/entry/text"_json_pointer, "")});
        } else if (method == "Inspector.targetCrashed") {
            errors.push_back({"crash", "the page's renderer crashed"});
        }
    }

    // `shown` names the expression in the message when it throws.
    json evaluate(const std::string& expression, const std::string& shown, Clock::time_point deadline) {
        const json command = {{"expression", expression}, {"returnByValue", true}, {"awaitPromise", true}};
        const json result = call("Runtime.evaluate", command, deadline);
        if (result.contains("exceptionDetails"))
            throw std::runtime_error(shown + " threw " + exceptionText(result["exceptionDetails"]));
        const json value = result.value("result", json::object());
        if (value.contains("unserializableValue"))  // NaN, the infinities and -0, which JSON has no numbers for
            return std::strtod(value["unserializableValue"].get<std::string>().c_str(), nullptr);
        return value.value("value", json());
    }

    // A round trip to the page, so that what it reported before now has been read.
    void catchUp() {
        try {
            call("Runtime.evaluate", {{"expression", "0"}}, after(5));
        } catch (const std::exception&) {
            // A page that cannot answer still has its reports so far.
        }
    }

    // Leaves an ended browser unreaped, so that its pid and group stay ours until close().
    bool exited(siginfo_t& info) const {
        info = {};
        return waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0 || info.si_pid != 0;
    }

    std::string exitStatus() const {
        siginfo_t info;
        for (int i = 0; i < 50 && !exited(info); ++i) usleep(10000);  // the pipe closes just before the exit
        if (info.si_pid == 0) return "chromium closed its DevTools pipe";
        return info.si_code == CLD_EXITED ? "chromium exited with status " + std::to_string(info.si_status)
                                          : "chromium was killed by signal " + std::to_string(info.si_status);
    }

    // The last lines of the browser's log, for a message of one line.
    std::string logTail() const {
        std::ifstream file(folder + "/chromium.log");
        std::vector<std::string> lines;
        for (std::string line; std::getline(file, line);)
            if (!line.empty()) lines.push_back(line.substr(0, 300));
        std::string tail;
        for (std::size_t i = lines.size() > 3 ? lines.size() - 3 : 0; i < lines.size(); ++i) tail += " | " + lines[i];
        return tail.empty() ? "" : "; its log ends" + tail;
    }

    void close() noexcept {
        if (pid > 0) {
            static const char bye[] = "{\"id\":0,\"method\":\"Browser.close\"}";  // sizeof counts the NUL
            (void)!::write(toBrowser, bye, sizeof bye);
            // Reading on, so that the browser never blocks writing to us while it closes.
            const auto deadline = after(closeSeconds);
            siginfo_t info;
            while (!exited(info) && Clock::now() < deadline) {
                pollfd fd = {fromBrowser, POLLIN, 0};
                char chunk[1 << 16];
                if (fromBrowser < 0 || poll(&fd, 1, 20) <= 0)
                    usleep(20000);
                else if (::read(fromBrowser, chunk, sizeof chunk) == 0)
                    ::close(std::exchange(fromBrowser, -1));
            }
            // The browser itself if it did not close in time, and any helper it left.
            kill(-pid, SIGKILL);
            while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
            }
            pid = -1;
        }
        for (int* fd : {&toBrowser, &fromBrowser})
            if (*fd >= 0) ::close(std::exchange(*fd, -1));
        for (int attempt = 0; !folder.empty() && attempt < 5; ++attempt) {
            std::error_code failed;
            std::filesystem::remove_all(folder, failed);
            if (!failed) break;
            usleep(100000);  // a helper killed a moment ago may still be finishing a write there
        }
        folder.clear();
    }
};

HeadlessBrowser::HeadlessBrowser(int width, int height) : session(std::make_unique<Session>()) {
    try {
        session->start(width, height);
        session->attach(width, height);
    } catch (const std::exception& e) {
        // The session's destructor ends whatever had started.
        throw std::runtime_error(std::string("headless chromium did not start: ") + e.what() + session->logTail());
    }
}

HeadlessBrowser::~HeadlessBrowser() = default;

void HeadlessBrowser::open(const std::string& path) {
    const std::string url = fileUrl(path);
    const auto deadline = after(commandSeconds);
    // What the last page reported belongs to it.
    session->errors.clear();
    session->urls.clear();
    session->loaded = false;
    const json result = session->call("Page.navigate", {{"url", url}}, deadline);
    if (result.contains("errorText"))
        throw std::runtime_error("cannot open " + url + ": " + result["errorText"].get<std::string>());
    // A move within the same document (only the fragment differs) fires no load event.
    if (result.contains("loaderId") && !session->pumpUntil([this] { return session->loaded; }, deadline))
        throw std::runtime_error(url + " did not finish loading in " + std::to_string(commandSeconds) + " s");
}

json HeadlessBrowser::evaluate(const std::string& expression) {
    return session->evaluate(expression, "script " + excerpt(expression), after(commandSeconds));
}

void HeadlessBrowser::waitFor(const std::string& expression, double timeoutSeconds) {
    const auto deadline = after(timeoutSeconds);
    const std::string shown = "waitFor(" + excerpt(expression) + ")";
    // Awaited, so that a promise counts by what it resolves to; the line
    // break ends a // comment the expression may close with.
    const std::string probe = "(async () => !!(await (" + expression + "\n)))()";
    try {
        while (session->evaluate(probe, shown, deadline) != true) {
            if (Clock::now() >= deadline) throw Timeout(shown);
            session->pumpUntil([] { return false; }, std::min(after(0.05), deadline));
        }
    } catch (const Timeout&) {
        throw std::runtime_error(shown + " still not true after " + json(timeoutSeconds).dump() + " s");
    }
}

void HeadlessBrowser::mouseMove(double x, double y) {
    session->call("Input.dispatchMouseEvent", {{"type", "mouseMoved"}, {"x", x}, {"y", y}}, after(commandSeconds));
}

void HeadlessBrowser::click(double x, double y) {
    mouseMove(x, y);
    for (const int buttons : {1, 0})
        session->call("Input.dispatchMouseEvent",
                      {{"type", buttons ? "mousePressed" : "mouseReleased"}, {"x", x}, {"y", y}, {"button", "left"},
                       {"buttons", buttons}, {"clickCount", 1}}, after(commandSeconds));
}

std::string HeadlessBrowser::screenshotBase64() {
    return session->call("Page.captureScreenshot", {{"format", "png"}}, after(commandSeconds)).value("data", "");
}

int HeadlessBrowser::countPixelsNear(const std::string& pngBase64, unsigned rgb, int tolerance) {
    // Decoded from a Blob rather than a data: URL, which would count among
    // the page's requests; without colour conversion, so bytes stay bytes.
    const std::string script = "(async () => {\n"
        "  const text = atob(" + json(pngBase64).dump() + "), bytes = new Uint8Array(text.length);\n"
        "  for (let i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);\n"
        "  const image = await createImageBitmap(new Blob([bytes], {type: 'image/png'}),\n"
        "                                        {colorSpaceConversion: 'none', premultiplyAlpha: 'none'});\n"
        "  const context = new OffscreenCanvas(image.width, image.height).getContext('2d');\n"
        "  context.drawImage(image, 0, 0);\n"
        "  const d = context.getImageData(0, 0, image.width, image.height).data;\n"
        "  const [r, g, b, t] = [" + std::to_string(rgb >> 16 & 255u) + ", " + std::to_string(rgb >> 8 & 255u) +
        ", " + std::to_string(rgb & 255u) + ", " + std::to_string(tolerance) + "];\n"
        "  let n = 0;\n"
        "  for (let i = 0; i < d.length; i += 4)\n"
        "    if (Math.abs(d[i] - r) <= t && Math.abs(d[i + 1] - g) <= t && Math.abs(d[i + 2] - b) <= t) ++n;\n"
        "  return n;\n"
        "})()";
    return evaluate(script).get<int>();
}

std::vector<ConsoleEntry> HeadlessBrowser::errors() const {
    session->catchUp();
    return session->errors;
}

std::vector<std::string> HeadlessBrowser::requestedUrls() const {
    session->catchUp();
    return session->urls;
}

} // namespace browsertest
