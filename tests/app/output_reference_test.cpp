// The trellis program's outputs, byte for byte up to how a number is
// spelled: every run listed in tests/data/reference/runs.txt must give the
// exit status, standard output, standard error and written files stored
// beside the list, where a number may be written in another form of the
// same float ("100.0" or "100", "0.10" or "0.1") but everything else reads
// the same. The references were taken from the program as it was before
// restructurings of its insides (its readers and writers among them), so
// they show that such a change changed no output; a deliberate output
// change is re-pinned with scripts/reference-outputs.sh.
#include <gtest/gtest.h>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>
#include <sys/wait.h>
#include "support/app_test_support.h"

namespace {

namespace fs = std::filesystem;

const std::string referenceDir = std::string(TRELLIS_SOURCE_DIR) + "/tests/data/reference";
const std::string manifestPath = referenceDir + "/runs.txt";

struct ReferenceRun {
    std::string name;        // names the reference files
    std::string testName;    // name as a GoogleTest parameter
    int manifestLine = 0;
    int status = 0;
    std::vector<std::string> args;  // still holding @SRC@ and @OUT@
};

struct Manifest {
    std::vector<ReferenceRun> runs;
    std::vector<std::string> faults;
};

bool isRunName(const std::string& name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.';
    });
}

bool isStatus(const std::string& word) {
    return !word.empty() && word.size() <= 3 &&
           std::all_of(word.begin(), word.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

// The same reading of the list as scripts/reference-outputs.sh: blank lines
// and comments skipped, every other line NAME STATUS ARGUMENTS... split at
// blanks, the name starting the line.
Manifest readManifest() {
    Manifest manifest;
    std::ifstream in(manifestPath);
    if (!in) {
        manifest.faults.push_back(manifestPath + ": cannot read");
        return manifest;
    }
    std::set<std::string> testNames;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::istringstream words(line);
        std::string first;
        if (!(words >> first) || first[0] == '#') continue;
        ReferenceRun run;
        run.manifestLine = number;
        std::string status;
        if (std::isspace(static_cast<unsigned char>(line[0])) || !isRunName(first) || !(words >> status) ||
            !isStatus(status)) {
            manifest.faults.push_back("line " + std::to_string(number) + ": not NAME STATUS ARGUMENTS...: " + line);
            continue;
        }
        run.name = first;
        run.status = std::stoi(status);
        for (std::string arg; words >> arg;) run.args.push_back(arg);
        run.testName = run.name;
        std::replace_if(run.testName.begin(), run.testName.end(), [](char c) { return c == '.' || c == '-'; }, '_');
        if (!testNames.insert(run.testName).second) {
            manifest.faults.push_back("line " + std::to_string(number) + ": run \"" + run.name +
                                      "\" listed twice (or as another name but for \".\" and \"-\")");
            run.testName += "_line" + std::to_string(number);
        }
        manifest.runs.push_back(std::move(run));
    }
    return manifest;
}

const Manifest& manifest() {
    static const Manifest loaded = readManifest();
    return loaded;
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    if (from.empty()) return text;
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// A page's embedded scripts and styles (three.js, the viewer) are not its
// output: they are kept out of the references as "[NAME]", as the
// regeneration script keeps them.
std::string withoutPageAssets(std::string page) {
    for (const std::string element : {"script", "style"}) {
        const std::string open = "<" + element + " data-asset=\"", close = "</" + element + ">";
        for (std::size_t at = page.find(open); at != std::string::npos; at = page.find(open, at + 1)) {
            const std::size_t nameEnd = page.find("\">", at + open.size());
            const std::size_t end = nameEnd == std::string::npos ? nameEnd : page.find(close, nameEnd);
            if (end == std::string::npos) break;
            const std::string name = page.substr(at + open.size(), nameEnd - at - open.size());
            page.replace(nameEnd + 2, end - nameEnd - 2, "[" + name + "]");
        }
    }
    return page;
}

// Paths of this machine read as placeholders, the longest first so that a
// path inside another keeps its own name (as the regeneration script does).
struct PathNames {
    std::vector<std::pair<std::string, std::string>> byLength;  // path, placeholder

    PathNames(const std::string& out, const std::string& plugins, const std::string& src)
        : byLength{{out, "@OUT@"}, {plugins, "@PLUGINS@"}, {src, "@SRC@"}} {
        std::stable_sort(byLength.begin(), byLength.end(),
                         [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
    }
    std::string normalise(std::string text) const {
        for (const auto& [path, placeholder] : byLength) text = replaceAll(std::move(text), path, placeholder);
        return text;
    }
};

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A stream's reference; a missing file stands for an empty stream.
std::string readReference(const std::string& name) {
    const fs::path path = fs::path(referenceDir) / name;
    return fs::exists(path) ? readFile(path) : std::string();
}

std::vector<std::string> fileNamesIn(const fs::path& dir) {
    std::vector<std::string> names;
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) return names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool startsNumber(const std::string& text, std::size_t at) {
    auto digit = [&text](std::size_t i) { return i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); };
    return digit(at) || (text[at] == '-' && digit(at + 1));
}

// Whether the texts differ only in how numbers are spelled: both are walked
// together, a number in each read as a float where both have one.
bool sameUpToNumberSpelling(const std::string& expected, const std::string& actual) {
    std::size_t e = 0, a = 0;
    while (e < expected.size() && a < actual.size()) {
        if (startsNumber(expected, e) && startsNumber(actual, a)) {
            float x = 0.0f, y = 0.0f;
            const char* eEnd = std::from_chars(expected.data() + e, expected.data() + expected.size(), x).ptr;
            const char* aEnd = std::from_chars(actual.data() + a, actual.data() + actual.size(), y).ptr;
            if (!(x == y) || std::signbit(x) != std::signbit(y)) return false;
            e = static_cast<std::size_t>(eEnd - expected.data());
            a = static_cast<std::size_t>(aEnd - actual.data());
        } else if (expected[e++] != actual[a++]) {
            return false;
        }
    }
    return e == expected.size() && a == actual.size();
}

// Where two texts first part, by line and column, with the text around that
// place in each (long lines, such as a one-line JSON, cut to a window); empty
// when the texts are equal.
std::string firstDifference(const std::string& expected, const std::string& actual) {
    if (expected == actual || sameUpToNumberSpelling(expected, actual)) return {};
    std::size_t at = 0;
    int line = 1;
    std::size_t lineStart = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) {
        if (expected[at] == '\n') {
            ++line;
            lineStart = at + 1;
        }
        ++at;
    }
    const std::size_t before = 60, shown = 160;
    auto around = [at, lineStart](const std::string& text) {
        const std::size_t lineEnd = std::min(text.find('\n', lineStart), text.size());
        const std::size_t from = at - lineStart > before ? at - before : lineStart;
        const std::size_t to = std::min(lineEnd, from + shown);
        return "\"" + std::string(from > lineStart ? "..." : "") + text.substr(from, to - from) +
               std::string(to < lineEnd ? "..." : "") + "\"";
    };
    std::string text = "first difference at line " + std::to_string(line) + ", column " +
                       std::to_string(at - lineStart + 1) + ": expected " + around(expected) + ", got " +
                       around(actual);
    if (at == expected.size()) text += " (the expected output ends there)";
    if (at == actual.size()) text += " (the output ends there)";
    return text;
}

std::string joined(const std::vector<std::string>& words, const std::string& separator) {
    std::string text;
    for (std::size_t i = 0; i < words.size(); ++i) text += (i == 0 ? "" : separator) + words[i];
    return text;
}

// GoogleTest would otherwise print a parameter as its bytes, padding included.
void PrintTo(const ReferenceRun& run, std::ostream* os) { *os << run.name; }

class AppOutputReference : public testing::TestWithParam<ReferenceRun> {};

TEST_P(AppOutputReference, MatchesTheStoredOutputs) {
    const ReferenceRun& run = GetParam();
    apptest::TempDir dir;
    const std::string out = dir.path("out");
    ASSERT_TRUE(fs::create_directory(out)) << out;
    const std::string plugins = fs::path(TRELLIS_BINARY).parent_path().string() + "/plugins";
    const PathNames paths(out, plugins, TRELLIS_SOURCE_DIR);

    std::string command = "cd " + apptest::shellQuote(out) + " && " + apptest::shellQuote(TRELLIS_BINARY) +
                          " --plugins " + apptest::shellQuote(plugins);
    for (const std::string& arg : run.args)
        command += " " + apptest::shellQuote(replaceAll(replaceAll(arg, "@SRC@", TRELLIS_SOURCE_DIR), "@OUT@", out));
    command += " </dev/null >" + apptest::shellQuote(dir.path("stdout")) + " 2>" +
               apptest::shellQuote(dir.path("stderr"));
    const int raw = std::system(command.c_str());
    const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;

    const std::string what = "run \"" + run.name + "\" (runs.txt line " + std::to_string(run.manifestLine) +
                             ": trellis " + joined(run.args, " ") + ")";
    const std::string err = paths.normalise(readFile(dir.path("stderr")));
    EXPECT_EQ(status, run.status) << what << ": exit status; standard error:\n" << err;
    std::string diff = firstDifference(readReference(run.name + ".stdout.txt"),
                                       paths.normalise(readFile(dir.path("stdout"))));
    EXPECT_EQ(diff, "") << what << ": standard output differs from " << run.name << ".stdout.txt";
    diff = firstDifference(readReference(run.name + ".stderr.txt"), err);
    EXPECT_EQ(diff, "") << what << ": standard error differs from " << run.name << ".stderr.txt";

    const fs::path expectedFiles = fs::path(referenceDir) / (run.name + ".files");
    const std::vector<std::string> written = fileNamesIn(out);
    EXPECT_EQ(written, fileNamesIn(expectedFiles)) << what << ": files left in the working folder";
    for (const std::string& name : written) {
        if (!fs::exists(expectedFiles / name)) continue;
        std::string text = paths.normalise(readFile(fs::path(out) / name));
        if (fs::path(name).extension() == ".html") text = withoutPageAssets(text);
        diff = firstDifference(readFile(expectedFiles / name), text);
        EXPECT_EQ(diff, "") << what << ": " << name << " differs from " << run.name << ".files/" << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, AppOutputReference, testing::ValuesIn(manifest().runs),
                         [](const testing::TestParamInfo<ReferenceRun>& run) { return run.param.testName; });

// Without this, an unreadable or mangled list would leave nothing to compare.
TEST(AppOutputReferenceList, NamesEachRunOnceAndReadsWhole) {
    EXPECT_TRUE(manifest().faults.empty()) << manifestPath << ":\n" << joined(manifest().faults, "\n");
    EXPECT_FALSE(manifest().runs.empty()) << manifestPath;
}

}  // namespace
