#pragma once
// A strict JSON reader for tests over nlohmann-json: it refuses anything
// RFC 8259 refuses (including text that is not UTF-8) and gives the value
// tree to look into.

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vemotest {

struct JsonValue {
    enum class Kind { null, boolean, number, string, array, object } kind = Kind::null;
    bool boolean = false;
    double number = 0;
    std::string string;
    std::vector<JsonValue> elements;
    std::vector<std::pair<std::string, JsonValue>> members;

    // The member named key; a null value when there is none.
    const JsonValue& operator[](const std::string& key) const;
    const JsonValue& operator[](std::size_t index) const;
    bool Has(const std::string& key) const;
};

// Parses the whole text; false with error set (and the byte offset) when it
// is not one valid JSON value.
bool ParseJson(const std::string& text, JsonValue& value, std::string& error);

} // namespace vemotest
