#include "tests/support/Json.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

class JsonParser {
public:
    explicit JsonParser(const std::string& text) : m_text(text) {}

    JsonValue ParseDocument() {
        JsonValue value = ParseValue();
        SkipBlanks();
        if (m_pos != m_text.size()) {
            Fail("trailing text");
        }
        return value;
    }

private:
    [[noreturn]] void Fail(const std::string& what) {
        throw std::runtime_error("json: " + what + " at " + std::to_string(m_pos));
    }
    void SkipBlanks() {
        while (m_pos < m_text.size() && std::isspace(static_cast<unsigned char>(m_text[m_pos]))) {
            ++m_pos;
        }
    }
    char Peek() {
        SkipBlanks();
        if (m_pos >= m_text.size()) {
            Fail("unexpected end");
        }
        return m_text[m_pos];
    }
    void Expect(char c) {
        if (Peek() != c) {
            Fail(std::string("expected ") + c);
        }
        ++m_pos;
    }
    bool Word(const char* word) {
        size_t n = std::char_traits<char>::length(word);
        if (m_text.compare(m_pos, n, word) == 0) {
            m_pos += n;
            return true;
        }
        return false;
    }
    std::string ParseString() {
        Expect('"');
        std::string out;
        while (m_pos < m_text.size() && m_text[m_pos] != '"') {
            char c = m_text[m_pos++];
            if (c == '\\' && m_pos < m_text.size()) {
                char e = m_text[m_pos++];
                switch (e) {
                case 'n':
                    out += '\n';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'u':
                    out += static_cast<char>(
                        std::strtol(m_text.substr(m_pos, 4).c_str(), nullptr, 16));
                    m_pos += 4;
                    break;
                default:
                    out += e;
                }
            } else {
                out += c;
            }
        }
        Expect('"');
        return out;
    }
    JsonValue ParseValue() {
        JsonValue v;
        char c = Peek();
        if (c == '{') {
            ++m_pos;
            v.m_type = JsonValue::Type::Object;
            if (Peek() == '}') {
                ++m_pos;
                return v;
            }
            do {
                std::string key = ParseString();
                Expect(':');
                v.m_object[key] = ParseValue();
            } while (Peek() == ',' && ++m_pos);
            Expect('}');
        } else if (c == '[') {
            ++m_pos;
            v.m_type = JsonValue::Type::Array;
            if (Peek() == ']') {
                ++m_pos;
                return v;
            }
            do {
                v.m_array.push_back(ParseValue());
            } while (Peek() == ',' && ++m_pos);
            Expect(']');
        } else if (c == '"') {
            v.m_type = JsonValue::Type::String;
            v.m_string = ParseString();
        } else if (Word("true")) {
            v.m_type = JsonValue::Type::Bool;
            v.m_bool = true;
        } else if (Word("false")) {
            v.m_type = JsonValue::Type::Bool;
        } else if (Word("null")) {
            v.m_type = JsonValue::Type::Null;
        } else {
            char* end = nullptr;
            v.m_number = std::strtod(m_text.c_str() + m_pos, &end);
            if (end == m_text.c_str() + m_pos) {
                Fail("bad value");
            }
            m_pos = static_cast<size_t>(end - m_text.c_str());
            v.m_type = JsonValue::Type::Number;
        }
        return v;
    }

    const std::string& m_text;
    size_t m_pos = 0;
};

namespace {
const JsonValue kNull;
}

JsonValue JsonValue::Parse(const std::string& text) {
    return JsonParser(text).ParseDocument();
}

bool JsonValue::AsBool() const {
    return m_bool;
}
double JsonValue::AsNumber() const {
    return m_number;
}
const std::string& JsonValue::AsString() const {
    return m_string;
}
const std::vector<JsonValue>& JsonValue::AsArray() const {
    return m_array;
}
bool JsonValue::Has(const std::string& key) const {
    return m_object.count(key) != 0;
}

const JsonValue& JsonValue::operator[](const std::string& key) const {
    auto found = m_object.find(key);
    return found == m_object.end() ? kNull : found->second;
}

const JsonValue& JsonValue::operator[](size_t index) const {
    return index < m_array.size() ? m_array[index] : kNull;
}

size_t JsonValue::size() const {
    return m_type == Type::Array ? m_array.size() : m_object.size();
}

std::vector<JsonValue> ReadJsonLines(const std::string& path) {
    std::vector<JsonValue> lines;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty()) {
            lines.push_back(JsonValue::Parse(line));
        }
    }
    return lines;
}
