#pragma once
// A text of which a library holds hundreds of thousands (a track's title):
// one pointer to its bytes in pool memory, null while empty, where a string
// object takes 32 bytes and, beyond 15 characters, a heap block besides.
// The bytes are a length (one byte below 255, else 255 and four bytes)
// followed by the characters, without a terminating zero.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>

class CCompactText {
public:
    CCompactText() = default;
    explicit CCompactText(std::string_view text) { Assign(text); }
    CCompactText(const CCompactText& other) { Assign(other.View()); }
    CCompactText(CCompactText&& other) noexcept
        : m_bytes(std::exchange(other.m_bytes, nullptr))
    {
    }
    CCompactText& operator=(const CCompactText& other)
    {
        if (this != &other)
            Assign(other.View());
        return *this;
    }
    CCompactText& operator=(CCompactText&& other) noexcept
    {
        std::swap(m_bytes, other.m_bytes);
        return *this;
    }
    CCompactText& operator=(std::string_view text)
    {
        Assign(text);
        return *this;
    }
    ~CCompactText() { Release(); }

    // Valid until the text is next changed or destroyed.
    std::string_view View() const
    {
        if (!m_bytes)
            return {};
        const auto first = static_cast<unsigned char>(m_bytes[0]);
        if (first != LONG_MARK)
            return { m_bytes + 1, first };
        std::uint32_t length;
        std::memcpy(&length, m_bytes + 1, sizeof length);
        return { m_bytes + 1 + sizeof length, length };
    }
    operator std::string_view() const { return View(); }
    bool empty() const { return m_bytes == nullptr; }

    // Copies text; it may lie in this text's own bytes.
    void Assign(std::string_view text);

private:
    static constexpr unsigned LONG_MARK = 0xFF;

    void Release() noexcept;

    char* m_bytes = nullptr;
};
