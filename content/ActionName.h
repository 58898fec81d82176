// How an action named by content splits: "word_argument", or a bare word
// that is then its own argument.
#pragma once

#include <string>

struct ActionName {
    std::string word;
    std::string argument;
};

inline ActionName SplitAction(const std::string& command) {
    const std::size_t split = command.find('_');
    if (split == std::string::npos) {
        return {command, command};
    }
    return {command.substr(0, split), command.substr(split + 1)};
}
