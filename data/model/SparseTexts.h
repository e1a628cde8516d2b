#pragma once
// Texts that most items leave empty (a book's co-author, subtitle, edition),
// kept in one block made on the first non-empty write: an item that never
// fills them spends one pointer instead of a text each. Until the block is
// made each reads as a shared empty text. The block, once made, lives as long
// as its owner and is never replaced, so references to its texts stay valid.

#include <array>
#include <memory>
#include <utility>

#include "data/model/PropMapUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/VemoTypes.h"

template <std::size_t N> class CSparseTexts {
public:
    CSparseTexts() = default;
    CSparseTexts(const CSparseTexts& other)
        : m_block(other.m_block ? std::make_unique<Block>(*other.m_block) : nullptr)
    {
    }
    CSparseTexts& operator=(const CSparseTexts& other)
    {
        if (this == &other)
            return *this;
        if (m_block)
            *m_block = other.m_block ? *other.m_block : Block {};
        else if (other.m_block)
            m_block = std::make_unique<Block>(*other.m_block);
        return *this;
    }

    const CString& Get(std::size_t index) const { return m_block ? (*m_block)[index] : Empty(); }
    template <class Text> void Set(std::size_t index, Text&& text)
    {
        if (!m_block) {
            if (std::as_const(text).empty())
                return;
            m_block = std::make_unique<Block>();
        }
        (*m_block)[index] = std::forward<Text>(text);
    }

    // CPropMapUtils::TakeText for one of the texts.
    bool Take(const CMapStringToString& data, const CString& key, std::size_t index, bool overwrite)
    {
        CString text = Get(index);
        if (!CPropMapUtils::TakeText(data, key, text, overwrite))
            return false;
        Set(index, std::move(text));
        return true;
    }
    // The text's record as ar.Serialize(CString&) writes and reads it.
    void Serialize(CArchive& ar, std::size_t index)
    {
        if (ar.IsStoring())
            ar.WriteString(Get(index));
        else
            Set(index, ar.ReadString());
    }

private:
    using Block = std::array<CString, N>;
    static const CString& Empty()
    {
        static const CString empty;
        return empty;
    }

    std::unique_ptr<Block> m_block;
};
