#include "app/commands/edit_cli.h"
#include <charconv>
#include <climits>
#include <map>
#include "app/scene/spline_type_names.h"

namespace {

// The edit command's storage for the parsed values; CLI11 fills it and the
// final callback turns it into options.actions.
struct ActionOptions {
    CLI::Option* add = nullptr;
    CLI::Option* remove = nullptr;
    CLI::Option* up = nullptr;
    CLI::Option* down = nullptr;
    CLI::Option* type = nullptr;
    CLI::Option* helpPage = nullptr;
    std::vector<std::string> adds;
    std::vector<int> removes, ups, downs;
    std::vector<std::string> types;
    std::string at;
};

std::vector<std::string> splitNames(const std::string& list) {
    std::vector<std::string> names;
    std::size_t start = 0;
    for (std::size_t comma; (comma = list.find(',', start)) != std::string::npos; start = comma + 1)
        names.push_back(list.substr(start, comma - start));
    names.push_back(list.substr(start));
    for (const std::string& name : names)
        if (name.empty()) throw CLI::ValidationError("--add", "empty node name in \"" + list + "\"");
    return names;
}

const std::string INT_RANGE = std::to_string(INT_MIN) + " to " + std::to_string(INT_MAX);

std::optional<IPoint2> pixelNamed(const std::string& text) {
    std::size_t comma = text.find(',');
    if (comma == std::string::npos) return std::nullopt;
    std::optional<int> x = decimalIntNamed(text.substr(0, comma));
    std::optional<int> y = decimalIntNamed(text.substr(comma + 1));
    if (!x || !y) return std::nullopt;
    return IPoint2(*x, *y);
}

EditAction makeAction(EditActionKind kind, const char* option, const std::string& value) {
    EditAction action;
    action.kind = kind;
    action.given = value.empty() ? option : std::string(option) + " " + value;
    return action;
}

// CLI11 records every value it takes, option by option, in command-line
// order; each option's own values are in the same order.
std::vector<EditAction> actionsInOrder(CLI::App& edit, const ActionOptions& a) {
    std::map<const CLI::Option*, std::size_t> taken;
    std::vector<EditAction> actions;
    for (const CLI::Option* option : edit.parse_order()) {
        std::size_t i = taken[option]++;
        if (option == a.add) {
            actions.push_back(makeAction(EditActionKind::Add, "--add", a.adds[i]));
            actions.back().names = splitNames(a.adds[i]);
        } else if (option == a.remove || option == a.up || option == a.down) {
            const std::vector<int>& values = option == a.remove ? a.removes : option == a.up ? a.ups : a.downs;
            EditActionKind kind = option == a.remove ? EditActionKind::Remove
                                : option == a.up     ? EditActionKind::Up
                                                     : EditActionKind::Down;
            actions.push_back(makeAction(kind, option->get_name().c_str(), std::to_string(values[i])));
            actions.back().value = values[i];
        } else if (option == a.type) {
            actions.push_back(makeAction(EditActionKind::Type, "--type", a.types[i]));
            actions.back().value = *splineTypeNamed(a.types[i]);
        } else if (option == a.helpPage) {
            actions.push_back(makeAction(EditActionKind::HelpPage, "--help-page", ""));
        }
    }
    return actions;
}

void addActionOptions(CLI::App& edit, ActionOptions& a) {
    a.add = edit.add_option("--add", a.adds,
                            "Press Add and choose these nodes in the select-by-name dialog, in this order")
                ->allow_extra_args(false)->type_name("NAME[,NAME...]");
    a.remove = edit.add_option("--remove", a.removes, "Select list entry I (0 is the top) and press Remove")
                   ->allow_extra_args(false)->type_name("I")->transform(decimalInt());
    a.up = edit.add_option("--up", a.ups, "Select list entry I and press Up")
               ->allow_extra_args(false)->type_name("I")->transform(decimalInt());
    a.down = edit.add_option("--down", a.downs, "Select list entry I and press Down")
                 ->allow_extra_args(false)->type_name("I")->transform(decimalInt());
    a.type = edit.add_option("--type", a.types,
                             "Click the spline type: Linear, Smooth, Bezier, Bezier Corner, or 0 to 3")
                 ->allow_extra_args(false)->type_name("VALUE")
                 ->check([](const std::string& v) { return splineTypeNamed(v) ? "" : "unknown spline type \"" + v + "\""; });
    a.helpPage = edit.add_flag("--help-page", "Press Help and print the address it opens");
}

void addTargetOptions(CLI::App& edit, EditOptions& options, ActionOptions& a) {
    CLI::Option* object = edit.add_option("--object", options.objectName, "Name of the trellis object to edit")
                              ->type_name("NAME");
    CLI::Option* create = edit.add_option("--create", options.createName,
                                          "First create a trellis object with one click (see --at), "
                                          "name its node NAME, and edit it")
                              ->type_name("NAME");
    CLI::Option* at = edit.add_option("--at", a.at, "The creating click's viewport position in pixels")
                          ->type_name("X,Y")
                          ->check([](const std::string& v) {
                              return pixelNamed(v) ? std::string()
                                                   : "expected X,Y in whole pixels, two decimal integers from " +
                                                         INT_RANGE + ", got \"" + v + "\"";
                          });
    object->excludes(create);
    create->needs(at);
    at->needs(create);
}

}  // namespace

std::optional<int> decimalIntNamed(const std::string& text) {
    // from_chars reads decimal digits after an optional minus and nothing
    // else, and reports a value beyond the range rather than wrapping it.
    int value = 0;
    const char* end = text.data() + text.size();
    std::from_chars_result read = std::from_chars(text.data(), end, value, 10);
    if (text.empty() || read.ec != std::errc() || read.ptr != end) return std::nullopt;
    return value;
}

CLI::Validator decimalInt() {
    return CLI::Validator(
        [](std::string& text) {
            std::optional<int> value = decimalIntNamed(text);
            if (!value) return "expected a decimal integer from " + INT_RANGE + ", got \"" + text + "\"";
            text = std::to_string(*value);
            return std::string();
        },
        "");
}

std::optional<int> splineTypeNamed(const std::string& text) {
    if (text.size() == 1 && text[0] >= '0' && text[0] < '0' + SPLINE_TYPE_COUNT) return text[0] - '0';
    return splineTypeOfCaption(text);
}

void addEditCommand(CLI::App& app, EditOptions& options) {
    CLI::App* edit = app.add_subcommand("edit", "Open a trellis object's rollup and click through it as a user would");
    auto actions = std::make_shared<ActionOptions>();
    edit->add_option("SCENE", options.scenePath, "Scene file (JSON)")->required()->type_name("");
    addTargetOptions(*edit, options, *actions);
    addActionOptions(*edit, *actions);
    edit->add_option("--save", options.savePath, "Write the edited scene to OUT (not the input file; - for standard output)")
        ->type_name("OUT");
    edit->add_option("--json", options.jsonPath, "Write the edited cage as JSON to FILE, or to standard output for -")
        ->type_name("FILE|-");
    edit->callback([edit, actions, &options]() {
        if (options.objectName.empty() && !options.createName)
            throw CLI::ValidationError("--object", "name the object to edit, or create one with --create NAME --at X,Y");
        if (options.savePath && options.jsonPath && *options.savePath == "-" && *options.jsonPath == "-")
            throw CLI::ValidationError("--json", "only one of --save and --json can write to standard output");
        if (options.createName) options.createAt = *pixelNamed(actions->at);
        options.actions = actionsInOrder(*edit, *actions);
    });
}
