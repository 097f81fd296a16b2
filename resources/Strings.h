#pragma once
// The string table: messages and the prompt of each command ("status-bar
// text\ntool tip"), UTF-8.

#include <string>

// The string of id, or an empty string when the table has none.
std::string LoadStringResource(unsigned id);

// The status-bar text and the tool tip of a command; either may be empty.
struct CommandPrompt {
    std::string status;
    std::string tip;
};
CommandPrompt LoadCommandPrompt(unsigned id);

// Makes the program's pictures (Qt resources) available; call once before
// the first picture is loaded.
void InitResources();
