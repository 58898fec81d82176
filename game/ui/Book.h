// A book open as a two-page spread. It pauses the game while open.
#pragma once

#include <string>

class Book {
public:
    // (Only the open state is here yet; pages come with the books.)
    void Open(const std::string& bookName) {
        name = bookName;
        open = true;
    }
    void Close() {
        open = false;
        name.clear();
    }

    std::string name;
    int page = 0;
    bool open = false;
};

Book& TheBook();
