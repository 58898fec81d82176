// A small JSON reader for the programs' traces.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

class JsonValue {
public:
    enum class Type { Null, Bool, Number, String, Array, Object };

    // Throws std::runtime_error on malformed text.
    static JsonValue Parse(const std::string& text);

    Type type() const { return m_type; }
    bool IsNull() const { return m_type == Type::Null; }
    bool AsBool() const;
    double AsNumber() const;
    const std::string& AsString() const;
    const std::vector<JsonValue>& AsArray() const;
    bool Has(const std::string& key) const;
    // Missing keys and indexes read as null.
    const JsonValue& operator[](const std::string& key) const;
    const JsonValue& operator[](size_t index) const;
    size_t size() const;

private:
    friend class JsonParser;
    Type m_type = Type::Null;
    bool m_bool = false;
    double m_number = 0;
    std::string m_string;
    std::vector<JsonValue> m_array;
    std::map<std::string, JsonValue> m_object;
};

// One JSON object per line, as the programs write their traces.
std::vector<JsonValue> ReadJsonLines(const std::string& path);
