#include "data/lookup/JsonRead.h"

#include <limits>

#include "data/lookup/LookupText.h"

namespace lookupjson {

namespace {

constexpr int MAX_DEPTH = 64;

struct CTooDeep { };

} // namespace

bool Parse(const std::string& body, json& answer, CString& error)
{
    try {
        answer = json::parse(body, [](int depth, json::parse_event_t, json&) {
            if (depth > MAX_DEPTH)
                throw CTooDeep();
            return true;
        });
        return true;
    } catch (const CTooDeep&) {
        error = "its answer nests too deeply to be read";
    } catch (const json::exception&) {
        error = "its answer is not valid JSON";
    }
    answer = json();
    return false;
}

const json* Member(const json& value, const char* key)
{
    if (!value.is_object())
        return nullptr;
    const auto found = value.find(key);
    return found == value.end() ? nullptr : &*found;
}

const json* Object(const json& value, const char* key)
{
    const json* member = Member(value, key);
    return member && member->is_object() ? member : nullptr;
}

const json* Array(const json& value, const char* key)
{
    const json* member = Member(value, key);
    return member && member->is_array() ? member : nullptr;
}

CString Text(const json& value, const char* key, std::size_t maxBytes)
{
    const json* member = Member(value, key);
    if (!member)
        return CString();
    if (member->is_string())
        return CLookupText::Clean(member->get_ref<const std::string&>(), maxBytes);
    if (member->is_number_integer())
        return std::to_string(member->get<long long>());
    return CString();
}

long long Number(const json& value, const char* key, long long fallback)
{
    const json* member = Member(value, key);
    if (!member)
        return fallback;
    if (member->is_number_integer())
        return member->get<long long>();
    if (member->is_number_float()) {
        const double number = member->get<double>();
        if (number >= 0 && number < 1e15)
            return static_cast<long long>(number);
        return fallback;
    }
    if (member->is_string()) {
        const std::string& text = member->get_ref<const std::string&>();
        if (text.empty() || text.size() > 15 || text.find_first_not_of("0123456789") != std::string::npos)
            return fallback;
        return std::stoll(text);
    }
    return fallback;
}

bool Flag(const json& value, const char* key, bool fallback)
{
    const json* member = Member(value, key);
    return member && member->is_boolean() ? member->get<bool>() : fallback;
}

} // namespace lookupjson
