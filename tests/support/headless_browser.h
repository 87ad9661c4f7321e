// Headless Chromium driven over the DevTools protocol through a pipe, so
// that tests can open a local page, run script in it, send it real mouse
// input and look at its pixels and its console. Linux only. The browser is
// TRELLIS_CHROMIUM when that is set, else "chromium" on the PATH; every
// wait is bounded, so a test fails with a message rather than hanging.
#pragma once
#include <memory>
#include <string>
#include <vector>
#include <nlohmann/json.hpp>

namespace browsertest {

// kind: "console.error", "console.assert", "exception", "log" (an error
// the browser itself logged, such as a resource that failed to load) or
// "crash" (the page's renderer died).
struct ConsoleEntry {
    std::string kind;
    std::string text;
};

class HeadlessBrowser {
public:
    // Starts a browser with a fresh profile and a viewport of width x height
    // and attaches to its page. Throws std::runtime_error, with the end of
    // the browser's log when there is one, if it cannot start.
    explicit HeadlessBrowser(int width = 1200, int height = 800);
    // Closes the browser, kills whatever of it is left after a grace period
    // and removes the profile.
    ~HeadlessBrowser();
    HeadlessBrowser(const HeadlessBrowser&) = delete;
    HeadlessBrowser& operator=(const HeadlessBrowser&) = delete;

    // Loads a local file (relative paths are taken from the working folder)
    // and returns once its load event has fired; throws if it cannot be
    // loaded.
    void open(const std::string& path);
    // The value of a script expression, promises awaited; null for
    // undefined. Throws with the script's own description when it throws.
    nlohmann::json evaluate(const std::string& expression);
    // Polls until `expression` (awaited) is truthy; throws, naming it, on
    // timeout or when it throws.
    void waitFor(const std::string& expression, double timeoutSeconds = 20);

    // Real mouse input, in CSS pixels of the viewport. A click moves the
    // pointer there first, as a user's would, then presses and releases
    // the left button.
    void mouseMove(double x, double y);
    void click(double x, double y);

    // A PNG of the viewport, in base64.
    std::string screenshotBase64();
    // How many pixels of a base64 PNG are within `tolerance` in each channel
    // of 0xRRGGBB. The current page's browser decodes it, leaving the page
    // where it is.
    int countPixelsNear(const std::string& pngBase64, unsigned rgb, int tolerance);

    // What the page last opened has reported so far: console.error and
    // failed console.assert calls, uncaught exceptions, the browser's error
    // log. Everything the page did before the call is included.
    std::vector<ConsoleEntry> errors() const;
    // Every URL the page last opened has requested, in order, its own first.
    std::vector<std::string> requestedUrls() const;

private:
    struct Session;
    std::unique_ptr<Session> session;
};

} // namespace browsertest
