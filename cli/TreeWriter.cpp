#include "cli/TreeWriter.h"

CTreeWriter::~CTreeWriter()
{
    Flush();
}

void CTreeWriter::Flush()
{
    if (!m_stream || m_text.empty())
        return;
    m_stream->write(m_text.data(), static_cast<std::streamsize>(m_text.size()));
    m_text.clear();
}

void CTreeWriter::Append(std::string& text)
{
    if (m_stream) {
        // Large pieces go straight on, without a copy into the buffer.
        Flush();
        m_stream->write(text.data(), static_cast<std::streamsize>(text.size()));
    } else {
        m_text += text;
    }
    text.clear();
}
