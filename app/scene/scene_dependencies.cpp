#include "app/scene/scene_dependencies.h"
#include <map>

namespace {

struct Dependency {
    int object;        // index of the trellis object the section belongs to
    std::size_t slot;  // index into its sections
};

// For each trellis object, the trellis objects its sections name.
std::vector<std::vector<Dependency>> findDependencies(const std::vector<TrellisDesc>& trellis) {
    std::map<std::string, int> indexByName;
    for (std::size_t i = 0; i < trellis.size(); ++i) indexByName[trellis[i].name] = static_cast<int>(i);
    std::vector<std::vector<Dependency>> dependencies(trellis.size());
    for (std::size_t i = 0; i < trellis.size(); ++i)
        for (std::size_t slot = 0; slot < trellis[i].sections.size(); ++slot) {
            const std::optional<std::string>& section = trellis[i].sections[slot];
            auto found = section ? indexByName.find(*section) : indexByName.end();
            if (found != indexByName.end()) dependencies[i].push_back({found->second, slot});
        }
    return dependencies;
}

struct Visit {
    int object;
    std::size_t nextDependency;
};

// The loop is told from the object whose section closes it: "E" -> "C" -> "D" -> "E".
[[noreturn]] void reportLoop(const std::vector<TrellisDesc>& trellis, const std::vector<Visit>& path,
                             std::size_t loopStart, const Dependency& closing) {
    const std::string& closer = trellis[path.back().object].name;
    std::string where = "trellis[" + std::to_string(path.back().object) + "].sections[" + std::to_string(closing.slot) + "]";
    std::string message = quoteName(closer) + " depends on itself";
    if (path.size() - loopStart > 1) {
        message += ": " + quoteName(closer);
        for (std::size_t i = loopStart; i + 1 < path.size(); ++i) message += " -> " + quoteName(trellis[path[i].object].name);
        message += " -> " + quoteName(closer);
    }
    throw SceneError(where + ": " + message);
}

}  // namespace

std::vector<int> orderTrellisForEvaluation(const std::vector<TrellisDesc>& trellis) {
    enum State { Unvisited, OnPath, Done };
    std::vector<std::vector<Dependency>> dependencies = findDependencies(trellis);
    std::vector<State> state(trellis.size(), Unvisited);
    std::vector<int> order;
    // Depth-first, with the path kept by hand: a long chain of trellis
    // objects must not exhaust the call stack.
    for (std::size_t root = 0; root < trellis.size(); ++root) {
        if (state[root] != Unvisited) continue;
        std::vector<Visit> path{{static_cast<int>(root), 0}};
        state[root] = OnPath;
        while (!path.empty()) {
            Visit& top = path.back();
            if (top.nextDependency == dependencies[top.object].size()) {
                state[top.object] = Done;
                order.push_back(top.object);
                path.pop_back();
                continue;
            }
            Dependency next = dependencies[top.object][top.nextDependency++];
            if (state[next.object] == OnPath) {
                std::size_t loopStart = 0;
                while (path[loopStart].object != next.object) ++loopStart;
                reportLoop(trellis, path, loopStart, next);
            }
            if (state[next.object] == Unvisited) {
                state[next.object] = OnPath;
                path.push_back({next.object, 0});
            }
        }
    }
    return order;
}
