#include "toolkit/StringTable.h"

#include <cctype>
#include <cstring>

namespace {

constexpr char kMagic[] = "[STRINGTABLE]";
constexpr std::size_t kMagicLength = sizeof kMagic - 1;

bool IsSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

} // namespace

StringTable::StringTable(const char* file) : m_engine(EngineCreate(ENGINE_VERSION)) {
    std::uint32_t size = 0;
    void* data = file ? m_engine->Resource_Load(file, &size) : nullptr;
    if (!data) {
        return;
    }
    // Our own NUL-terminated copy: the file's bytes carry no terminator.
    std::string text(static_cast<const char*>(data), size);
    m_engine->Resource_Free(data);
    Parse(file, text.c_str());
}

StringTable::~StringTable() {
    // Unlink one by one so a long table does not recurse through the list.
    while (m_head) {
        m_head = std::move(m_head->next);
    }
    m_engine->Release();
}

const char* StringTable::GetString(const char* name) const {
    if (!name) {
        return nullptr;
    }
    for (const Entry* e = m_head.get(); e; e = e->next.get()) {
        if (std::strcmp(e->name, name) == 0) {
            return e->text.c_str();
        }
    }
    return nullptr;
}

void StringTable::Add(const char* name, std::string text) {
    auto entry = std::make_unique<Entry>();
    std::strncpy(entry->name, name, kMaxName);
    entry->name[kMaxName] = '\0';
    entry->text = std::move(text);
    entry->next = std::move(m_head);
    m_head = std::move(entry);
}

void StringTable::Parse(const char* file, const char* text) {
    if (std::strncmp(text, kMagic, kMagicLength) != 0) {
        m_engine->System_Log("String table %s has incorrect format.", file);
        return;
    }
    // Parsing starts past the line break after the magic, when there is one.
    const char* p = text + kMagicLength;
    if (*p) {
        ++p;
    }

    char name[kMaxName + 1];
    std::string value;
    for (;;) {
        while (IsSpace(*p)) {
            ++p;
        }
        if (!*p) {
            return;
        }
        if (*p == ';') {
            while (*p && *p != '\n') {
                ++p;
            }
            if (*p) {
                ++p;
            }
            continue;
        }

        // Longer names are cut at 63 characters.
        int nameLength = 0;
        while (*p && *p != '=' && !IsSpace(*p)) {
            if (nameLength < kMaxName) {
                name[nameLength++] = *p;
            }
            ++p;
        }
        name[nameLength] = '\0';
        if (!*p) {
            return;
        }

        while (IsSpace(*p)) {
            ++p;
        }
        bool equals = *p == '=';
        if (equals) {
            ++p;
            while (IsSpace(*p)) {
                ++p;
            }
        }
        if (!equals || *p != '"') {
            m_engine->System_Log("String table %s has incorrect format.", file);
            return;
        }
        ++p;

        value.clear();
        while (*p && *p != '"') {
            if (*p == '\n' || *p == '\r') {
                // A text broken over source lines reads as one space. Only
                // spaces and tabs are taken back: an escaped line feed is a
                // line break the author asked for.
                while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) {
                    value.pop_back();
                }
                while (IsSpace(*p)) {
                    ++p;
                }
                if (value.size() < static_cast<std::size_t>(kMaxText)) {
                    value.push_back(' ');
                }
                continue;
            }
            char c = *p++;
            if (c == '\\') {
                if (!*p) {
                    break;
                }
                c = *p++;
                if (c == 'n') {
                    c = '\n';
                }
            }
            // Longer texts are cut at 8191 characters.
            if (value.size() < static_cast<std::size_t>(kMaxText)) {
                value.push_back(c);
            }
        }
        Add(name, value);
        if (*p == '"') {
            ++p;
        }
    }
}
