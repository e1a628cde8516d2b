#include "platform/util/CompactText.h"

#include <cstdint>
#include <stdexcept>

#include "platform/util/SmallObjectPool.h"

namespace {

std::size_t HeaderBytes(std::size_t length)
{
    return length < 0xFF ? 1 : 1 + sizeof(std::uint32_t);
}

} // namespace

void CCompactText::Assign(std::string_view text)
{
    if (text.size() > UINT32_MAX)
        throw std::length_error("text too long");
    char* bytes = nullptr;
    if (!text.empty()) {
        const std::size_t header = HeaderBytes(text.size());
        bytes = static_cast<char*>(CSmallObjectPool::Allocate(header + text.size()));
        if (header == 1) {
            bytes[0] = static_cast<char>(text.size());
        } else {
            const auto length = static_cast<std::uint32_t>(text.size());
            bytes[0] = static_cast<char>(LONG_MARK);
            std::memcpy(bytes + 1, &length, sizeof length);
        }
        std::memcpy(bytes + header, text.data(), text.size());
    }
    // Released only now: text may be a view of the old bytes.
    Release();
    m_bytes = bytes;
}

void CCompactText::Release() noexcept
{
    if (!m_bytes)
        return;
    const std::size_t length = View().size();
    CSmallObjectPool::Free(m_bytes, HeaderBytes(length) + length);
    m_bytes = nullptr;
}
