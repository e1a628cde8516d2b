#pragma once
// Reading the services' JSON answers: a parse that refuses absurd nesting,
// and typed reads that take a value of the wrong type as absent. Private to
// the look-up sources.

#include <nlohmann/json.hpp>

#include "platform/util/VemoTypes.h"

namespace lookupjson {

using json = nlohmann::json;

// False (error set) for text that is no JSON or nests deeper than 64.
bool Parse(const std::string& body, json& answer, CString& error);
// The member when value is an object that has it with that type; else null.
const json* Member(const json& value, const char* key);
const json* Object(const json& value, const char* key);
const json* Array(const json& value, const char* key);
// A string member cleaned for a field (a number is taken as its text);
// "" when missing or of another type.
CString Text(const json& value, const char* key, std::size_t maxBytes = 1000);
// A whole-number member (or a string of digits); fallback otherwise.
long long Number(const json& value, const char* key, long long fallback);
bool Flag(const json& value, const char* key, bool fallback);

} // namespace lookupjson
