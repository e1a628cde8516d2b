#pragma once
// The members every concrete media class has in the same form, written once:
// copying (with the check-out, report properties, special features and
// sub-items), cloning, the type id and making the class's own sub-items. A
// concrete class derives from CMediaItemT<itself, its family base, its type
// id, its sub-item class> and keeps only its own fields and rules; its own
// fields are copied by the copy operations the compiler writes for it.

#include <type_traits>

#include "data/model/MediaItem.h"
#include "data/model/MediaSubItem.h"
#include "platform/util/Archive.h"

template <class Derived, class Base, int MediaType, class SubItem = void> class CMediaItemT : public Base {
public:
    static constexpr int MEDIA_TYPE = MediaType;

    using Base::Base;
    CMediaItemT(const CMediaItemT& source)
        : Base(source)
    {
        // Here CreateSubItem is already this class's, so the copies are of
        // the right sub-item class.
        this->CopyDynamicData(source);
    }
    CMediaItemT& operator=(const CMediaItemT& source)
    {
        if (this != &source) {
            Base::operator=(source);
            this->CopyDynamicData(source);
        }
        return *this;
    }
    // Assigns as Derived when source is one, else only the CMediaItem part.
    CMediaItem& operator=(const CMediaItem& source) override
    {
        if (const auto* same = dynamic_cast<const Derived*>(&source))
            return static_cast<Derived&>(*this) = *same;
        return CMediaItem::operator=(source);
    }

    // A copy of source when it is a SubItem, else a new SubItem; null for a
    // class without sub-items.
    CMediaSubItem* CreateSubItem(CMediaSubItem* source) const override
    {
        if constexpr (std::is_void_v<SubItem>) {
            return nullptr;
        } else {
            if (const auto* same = dynamic_cast<const SubItem*>(source))
                return new SubItem(*same);
            return new SubItem();
        }
    }
    CMediaItem* Clone() const override { return new Derived(static_cast<const Derived&>(*this)); }
    int GetMediaType() const override { return MediaType; }

protected:
    // other as a Derived, or null when it is none or is this item: the start
    // of every duplicate test.
    const Derived* OtherOfSameClass(const CItem& other) const
    {
        const auto* same = dynamic_cast<const Derived*>(&other);
        return same == static_cast<const Derived*>(this) ? nullptr : same;
    }
};

// A concrete class that adds no field to its family: its duplicates are the
// family's (the family base's SameKeyFields) and its record is the family's
// and a version word (1), nothing further yet.
template <class Derived, class Base, int MediaType, class SubItem = void>
class CPlainMediaT : public CMediaItemT<Derived, Base, MediaType, SubItem> {
public:
    using CMediaItemT<Derived, Base, MediaType, SubItem>::CMediaItemT;

    bool operator==(const CItem& other) const override
    {
        const Derived* same = this->OtherOfSameClass(other);
        return same && this->SameKeyFields(*same);
    }
    void Serialize(CArchive& ar) override
    {
        Base::Serialize(ar);
        ar.SerializeVersion(1);
    }
};

// The type id of a concrete sub-item class. Sub-items own nothing, so the
// copy operations the compiler writes for them are the right ones.
template <class Derived, class Base, int MediaType> class CMediaSubItemT : public Base {
public:
    using Base::Base;

    int GetMediaType() const override { return MediaType; }
};
