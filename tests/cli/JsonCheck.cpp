#include "JsonCheck.h"

#include <nlohmann/json.hpp>

namespace vemotest {

namespace {

const JsonValue& NullValue()
{
    static const JsonValue none;
    return none;
}

// Builds the value tree from nlohmann-json's events, members in the order
// written and repeated keys kept, as the text has them.
class TreeBuilder : public nlohmann::json_sax<nlohmann::json> {
public:
    explicit TreeBuilder(JsonValue& root)
        : m_root(root)
    {
    }

    std::string error;

    bool null() override { return Add(JsonValue()); }
    bool boolean(bool value) override
    {
        JsonValue v;
        v.kind = JsonValue::Kind::boolean;
        v.boolean = value;
        return Add(std::move(v));
    }
    bool number_integer(number_integer_t value) override { return Number(static_cast<double>(value)); }
    bool number_unsigned(number_unsigned_t value) override { return Number(static_cast<double>(value)); }
    bool number_float(number_float_t value, const string_t&) override { return Number(value); }
    bool string(string_t& value) override
    {
        JsonValue v;
        v.kind = JsonValue::Kind::string;
        v.string = value;
        return Add(std::move(v));
    }
    bool binary(binary_t&) override { return false; }
    bool start_object(std::size_t) override { return Open(JsonValue::Kind::object); }
    bool key(string_t& value) override
    {
        m_open.back()->members.emplace_back(value, JsonValue());
        return true;
    }
    bool end_object() override { return Close(); }
    bool start_array(std::size_t) override { return Open(JsonValue::Kind::array); }
    bool end_array() override { return Close(); }
    bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& ex) override
    {
        error = std::string(ex.what()) + " at byte " + std::to_string(position);
        return false;
    }

private:
    bool Number(double value)
    {
        JsonValue v;
        v.kind = JsonValue::Kind::number;
        v.number = value;
        return Add(std::move(v));
    }
    // Where the next value goes: the root, the member just keyed, or the
    // array's next element.
    JsonValue& Slot()
    {
        if (m_open.empty())
            return m_root;
        JsonValue& parent = *m_open.back();
        if (parent.kind == JsonValue::Kind::object)
            return parent.members.back().second;
        return parent.elements.emplace_back();
    }
    bool Add(JsonValue value)
    {
        Slot() = std::move(value);
        return true;
    }
    bool Open(JsonValue::Kind kind)
    {
        JsonValue& slot = Slot();
        slot.kind = kind;
        m_open.push_back(&slot);
        return true;
    }
    bool Close()
    {
        m_open.pop_back();
        return true;
    }

    JsonValue& m_root;
    // The containers being filled; a parent's vectors do not grow while a
    // child is open, so the pointers stay valid.
    std::vector<JsonValue*> m_open;
};

} // namespace

const JsonValue& JsonValue::operator[](const std::string& key) const
{
    for (const auto& [name, member] : members)
        if (name == key)
            return member;
    return NullValue();
}

const JsonValue& JsonValue::operator[](std::size_t index) const
{
    return index < elements.size() ? elements[index] : NullValue();
}

bool JsonValue::Has(const std::string& key) const
{
    for (const auto& member : members)
        if (member.first == key)
            return true;
    return false;
}

bool ParseJson(const std::string& text, JsonValue& value, std::string& error)
{
    value = JsonValue();
    TreeBuilder builder(value);
    if (nlohmann::json::sax_parse(text, &builder))
        return true;
    error = builder.error.empty() ? "not one JSON value" : builder.error;
    return false;
}

} // namespace vemotest
