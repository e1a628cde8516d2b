#pragma once
// Writes everything a library holds to a tree (JSON or text): its settings,
// categories, the shared publishers, persons and magazine titles it refers
// to, per media type the settings, custom fields and basic report and every
// item with all its properties, custom values, check-out history and
// sub-items, then the research entries and the custom reports.

#include <array>
#include <cstddef>
#include <map>
#include <utility>
#include <vector>

#include "cli/TreeWriter.h"
#include "data/model/PropMapUtils.h"
#include "platform/util/VemoTypes.h"

class CCheckOut;
class CCustomFieldMgr;
class CCustomPrintReport;
class CCustomReport;
class CItem;
class CLibrary;
class CMediaItem;
class COleDateTime;

class CLibraryDumper {
public:
    // Items written in runs of at most this many (an eighth of a media
    // type's items, at least 64), on this and a second thread (the library
    // is only read meanwhile); the runs written ahead of the text handed on
    // are at most WINDOW.
    static constexpr std::size_t RUN_ITEMS = 1024;
    static constexpr std::size_t WINDOW = 4;

    // Without complete (the text form, for reading) empty properties and
    // media types without items or custom fields are left out. runItems 0
    // writes every item on the calling thread.
    CLibraryDumper(CLibrary& library, CTreeWriter& out, bool complete, std::size_t runItems = RUN_ITEMS)
        : m_library(library)
        , m_out(&out)
        , m_complete(complete)
        , m_runItems(runItems)
    {
    }

    void Write();

private:
    void WriteSettings();
    void WriteCategories();
    void WriteSharedData();
    void WriteMediaType(int type);
    // The elements of the open array "items".
    void WriteItems(int type);
    void WriteItem(const CMediaItem& item, int type);
    // A property map holding the keys of one list, made once and kept for
    // every item: its index notes the keys an item answers, and their
    // values are written from pointers in the list's order.
    struct CProbe {
        CProbe()
            : index(data)
        {
        }
        CMapStringToString data;
        CPropMapIndex index;
        std::vector<std::pair<const CString*, CString*>> slots; // key, value
    };
    // The probe of a list of keys, which key tells apart from the others;
    // makeProps() gives the list when the probe is made.
    template <class F> CProbe& Probe(std::pair<int, const void*> key, F makeProps);
    static void Reset(CProbe& probe);
    // The properties of props the item answers (those it leaves untouched
    // are left out), as the object "properties". With ownerAnswered the
    // probe holds the answers of the sub-item's medium already.
    void WriteProperties(const CItem& item, CProbe& probe, bool ownerAnswered = false);
    // The answers owner gives to the probe's keys, kept in m_ownerAnswers;
    // the probe is left clean.
    void TakeOwnerAnswers(const CItem& owner, CProbe& probe);
    void WriteCustomValues(const CItem& item, const CCustomFieldMgr* fields);
    void WriteCheckOut(const CCheckOut& checkOut);
    void WriteReportBase(const CCustomReport& report);
    void WritePrintReport(const CString& key, const CCustomPrintReport& report);
    void WriteReports();
    void WriteResearchEntries();
    void WriteDate(const CString& key, const COleDateTime& date);

    CLibrary& m_library;
    CTreeWriter* m_out; // a run's own writer while this dumper writes one
    bool m_complete;
    std::size_t m_runItems;
    std::map<std::pair<int, const void*>, CProbe> m_probes;
    std::vector<std::pair<std::size_t, CString>> m_ownerAnswers; // slot, value
    // The texts of the runs written ahead, kept with their room between
    // media types.
    std::array<CTreeText, WINDOW> m_runTexts;
};
