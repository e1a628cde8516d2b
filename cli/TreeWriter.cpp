#include "cli/TreeWriter.h"

#include <algorithm>

void CTreeText::Grow(std::size_t n)
{
    const std::size_t capacity = std::max({ m_size + n, 2 * m_capacity, std::size_t { 64 * 1024 } });
    auto data = std::make_unique_for_overwrite<char[]>(capacity);
    if (m_size > 0)
        std::memcpy(data.get(), m_data.get(), m_size);
    m_data = std::move(data);
    m_capacity = capacity;
}

CTreeWriter::~CTreeWriter()
{
    Flush();
}

void CTreeWriter::Flush()
{
    if (!m_stream || m_text.Empty())
        return;
    m_stream->write(m_text.View().data(), static_cast<std::streamsize>(m_text.Size()));
    m_text.Clear();
}

void CTreeWriter::Append(CTreeText& text)
{
    if (m_stream) {
        // Large pieces go straight on, without a copy into the buffer.
        Flush();
        m_stream->write(text.View().data(), static_cast<std::streamsize>(text.Size()));
    } else {
        m_text.Add(text.View());
    }
    text.Clear();
}
