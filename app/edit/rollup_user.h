// The user in front of a trellis object's rollup in the host's command
// panel: finds the rollup among the open ones, reads its section list and
// clicks its controls. Nothing here reaches into the panel's code; it sees
// what a user sees.
#pragma once
#include <string>
#include <vector>
#include "max.h"

class RollupUser {
public:
    // The open rollup that holds the section list. Throws SceneError when
    // no rollup of the host shows one.
    explicit RollupUser(IObjParam& host);

    // The list as the panel shows it, top entry first.
    std::vector<std::string> entries() const;
    int entryCount() const;
    // Clicks entry i of the list. Throws SceneError, naming `given`, for an
    // entry the list does not have or a list that takes no clicks.
    void selectEntry(int i, const std::string& given);
    // Clicks the button or radio button `id`. Throws SceneError, naming
    // `given`, when it is disabled: the click would do nothing.
    void click(int id, const std::string& given);
    // Clicks the button that reads `caption`, as a user picks a radio
    // button by its label. Throws SceneError, naming `given`, when the
    // rollup has no such button or it is disabled.
    void clickCaptioned(const std::string& caption, const std::string& given);

private:
    HWND control(int id) const { return GetDlgItem(rollup, id); }
    void clickButton(HWND button, const std::string& given);
    HWND rollup = nullptr;
};
