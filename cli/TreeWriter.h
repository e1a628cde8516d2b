#pragma once
// A nested document of named values, written as it is produced: objects
// hold named members, arrays hold unnamed elements (the key is ignored
// there). The dump writes through it in JSON or as readable text.

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>

#include "platform/util/VemoTypes.h"

class CTreeWriter {
public:
    virtual ~CTreeWriter() = default;

    virtual void BeginObject(const CString& key = CString()) = 0;
    virtual void EndObject() = 0;
    virtual void BeginArray(const CString& key = CString()) = 0;
    virtual void EndArray() = 0;
    virtual void String(const CString& key, const CString& value) = 0;
    virtual void Integer(const CString& key, std::int64_t value) = 0;
    virtual void Real(const CString& key, double value) = 0;
    virtual void Bool(const CString& key, bool value) = 0;
    // Ends the document (a final line break).
    virtual void Finish() = 0;

    // For writing the elements of the array now open in pieces on other
    // threads: a writer that goes on inside that array as if `before`
    // elements were in it, to out (complete once the fork is gone); Join
    // then takes that text, holding count elements, as this array's next.
    virtual std::unique_ptr<CTreeWriter> ForkArray(std::ostream& out, int before) const = 0;
    virtual void JoinArray(const std::string& text, int count) = 0;
};
