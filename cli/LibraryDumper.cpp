#include "cli/LibraryDumper.h"

#include <algorithm>
#include <array>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <exception>
#include <mutex>
#include <string>
#include <thread>

#include "cli/TreeWriter.h"
#include "data/model/Category.h"
#include "data/model/CheckOut.h"
#include "data/model/CheckOutState.h"
#include "data/model/Magazine.h"
#include "data/model/MagazineMgr.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaRegistry.h"
#include "data/model/MediaSubItem.h"
#include "data/model/MediaUtils.h"
#include "data/model/PersonMgr.h"
#include "data/model/PublisherMgr.h"
#include "data/reports/CustomPrintReport.h"
#include "data/reports/CustomWebReport.h"
#include "data/store/CheckoutSettings.h"
#include "data/store/CustomField.h"
#include "data/store/CustomFieldMgr.h"
#include "data/store/Library.h"
#include "data/store/LibraryIDSettings.h"
#include "data/store/MediaTypeSelection.h"
#include "data/store/ResearchEntry.h"
#include "platform/util/DateTimeUtils.h"
#include "platform/util/Font.h"
#include "platform/util/Person.h"
#include "platform/util/StringUtils.h"

namespace {

using U = CMediaUtils;

// Stands for "not answered" in a property map: no property text holds it.
const CString UNANSWERED = "\x01\x02unanswered";

// Asked of every key of every item: a compare of known length, which the
// compiler does without a call.
bool Unanswered(const CString& value)
{
    constexpr char text[] = "\x01\x02unanswered";
    return value.size() == sizeof text - 1 && std::memcmp(value.data(), text, sizeof text - 1) == 0;
}

const char* FieldTypeName(CFDataType type)
{
    switch (type) {
    case CF_TEXT:
        return "text";
    case CF_DATE:
        return "date";
    case CF_TRUEFALSE:
        return "true/false";
    case CF_SELECTIONLIST:
        return "selection list";
    case CF_LOCALFILENAME:
        return "local file name";
    case CF_WEBADDRESS:
        return "web address";
    }
    return "text";
}

CString ColorText(COLORREF color)
{
    // Stored as 0x00BBGGRR; written the way web pages write colours.
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
    return text;
}

void WriteFont(CTreeWriter& out, const CString& key, const CFont* font)
{
    out.BeginObject(key);
    if (font) {
        out.String("face", font->faceName);
        out.Integer("points", font->height);
        out.Integer("weight", font->weight);
        out.Bool("italic", font->italic);
        out.Bool("underline", font->underline);
        out.Bool("strikeOut", font->strikeOut);
    }
    out.EndObject();
}

void WriteSelection(CTreeWriter& out, const CString& key, const CMediaTypeSelection& selection)
{
    out.BeginArray(key);
    for (int type = U::MEDIA_TYPE_IDFIRST; type <= U::MEDIA_TYPE_IDLAST; ++type)
        if (selection.GetShow(type))
            out.String("", U::GetMediaNamePlural(type));
    out.EndArray();
}

void WritePerson(CTreeWriter& out, const CPerson& person)
{
    out.BeginObject();
    out.Integer("id", person.GetUniqueID());
    const std::pair<const char*, const CString*> fields[] = {
        { "firstName", &person.GetFirstName() },
        { "middleName", &person.GetMiddleName() },
        { "lastName", &person.GetLastName() },
        { "homePhone", &person.GetHomePhone() },
        { "workPhone", &person.GetWorkPhone() },
        { "mobilePhone", &person.GetMobilePhone() },
        { "email", &person.GetEmail() },
        { "url", &person.GetURL() },
        { "address", &person.GetAddress() },
        { "notes", &person.GetNotes() },
    };
    for (const auto& [name, value] : fields)
        if (!value->empty())
            out.String(name, *value);
    out.EndObject();
}

} // namespace

void CLibraryDumper::WriteDate(const CString& key, const COleDateTime& date)
{
    if (date.GetStatus() == COleDateTime::valid)
        m_out->String(key, CDateTimeUtils::ConvertDateNumbers(date, false, false, false, true));
}

void CLibraryDumper::Write()
{
    m_out->BeginObject();
    m_out->String("library", m_library.GetName());
    WriteSettings();
    WriteCategories();
    WriteSharedData();
    m_out->BeginArray("mediaTypes");
    for (int type = U::MEDIA_TYPE_IDFIRST; type <= U::MEDIA_TYPE_IDLAST; ++type)
        WriteMediaType(type);
    m_out->EndArray();
    WriteResearchEntries();
    WriteReports();
    m_out->EndObject();
    m_out->Finish();
}

void CLibraryDumper::WriteSettings()
{
    m_out->BeginObject("settings");
    m_out->String("notes", m_library.GetNotes());
    m_out->BeginObject("folders");
    m_out->String("import", m_library.GetPathImport());
    m_out->String("export", m_library.GetPathExport());
    m_out->String("webReportOutput", m_library.GetPathCustomWebReportOutput());
    m_out->String("webReportTemplates", m_library.GetPathUserCustomWebReportTemplate());
    m_out->String("webReportImages", m_library.GetPathCustomWebReportImage());
    m_out->String("customFieldDefault", m_library.GetPathCustomFieldDefault());
    m_out->EndObject();
    m_out->BeginObject("printing");
    m_out->Bool("portrait", m_library.GetPrintPortrait());
    WriteFont(*m_out, "headerFont", m_library.GetPrintHeaderFont());
    WriteFont(*m_out, "contentFont", m_library.GetPrintContentFont());
    WriteFont(*m_out, "footerFont", m_library.GetPrintFooterFont());
    m_out->String("headerColor", ColorText(m_library.GetPrintHeaderTextColor()));
    m_out->String("contentColor", ColorText(m_library.GetPrintContentTextColor()));
    m_out->String("footerColor", ColorText(m_library.GetPrintFooterTextColor()));
    m_out->EndObject();
    m_out->Integer("defaultDVDRegion", m_library.GetDefaultDVDRegion());
    m_out->Bool("cassetteUseTimedCounter", m_library.GetCassetteUseTimedCounter());
    if (const CMediaTypeSelection* shown = m_library.GetMediaTypes())
        WriteSelection(*m_out, "mediaTypesShown", *shown);
    if (const CCheckoutSettings* checkout = m_library.GetCheckoutSettings()) {
        m_out->BeginObject("checkOut");
        m_out->Bool("includeSignature", checkout->GetIncludeSignature());
        m_out->Bool("specifyDuration", checkout->GetSpecifyDuration());
        m_out->Integer("duration", checkout->GetDuration());
        m_out->String("durationUnit", CCheckoutSettings::ConvertDuration(checkout->GetDurationType()));
        m_out->String("notes", checkout->GetNotes());
        m_out->EndObject();
    }
    m_out->BeginArray("searchStrings");
    for (int i = 0; i < m_library.GetSearchStringCount(); ++i)
        m_out->String("", m_library.GetSearchStringAt(i));
    m_out->EndArray();
    m_out->EndObject();
}

void CLibraryDumper::WriteCategories()
{
    m_out->BeginArray("categories");
    for (POSITION pos = m_library.GetHeadCategory(); pos;) {
        const CCategory* category = m_library.GetNextCategory(pos);
        if (!category)
            continue;
        m_out->BeginObject();
        m_out->Integer("id", category->GetUniqueID());
        m_out->String("name", category->GetName());
        m_out->String("description", category->GetDescription());
        m_out->Integer("items", category->GetDepItems());
        m_out->EndObject();
    }
    m_out->EndArray();
}

void CLibraryDumper::WriteSharedData()
{
    m_out->BeginObject("sharedData");
    m_out->BeginArray("publishers");
    if (const CPublisherMgr* publishers = CPublisherMgr::GetInstance())
        for (POSITION pos = publishers->GetHeadPosition(); pos;)
            if (const CPerson* publisher = publishers->GetNext(pos))
                WritePerson(*m_out, *publisher);
    m_out->EndArray();
    m_out->BeginArray("persons");
    if (const CPersonMgr* persons = CPersonMgr::GetInstance())
        for (POSITION pos = persons->GetHeadPosition(); pos;)
            if (const CPerson* person = persons->GetNext(pos))
                WritePerson(*m_out, *person);
    m_out->EndArray();
    m_out->BeginArray("magazineTitles");
    if (const CMagazineMgr* magazines = CMagazineMgr::GetInstance()) {
        for (POSITION pos = magazines->GetHeadPosition(); pos;) {
            const CMagazine* magazine = magazines->GetNext(pos);
            if (!magazine)
                continue;
            m_out->BeginObject();
            m_out->Integer("id", magazine->GetUniqueID());
            m_out->String("name", magazine->GetName());
            m_out->Integer("publisherId", magazine->GetPublisherID());
            m_out->Bool("subscription", magazine->GetSubscription());
            m_out->Real("subscriptionCost", magazine->GetSubscriptionCost());
            m_out->String("subscriptionNumber", magazine->GetSubscriptionNumber());
            m_out->String("subscriptionExpires", magazine->GetSubscriptionExp());
            m_out->EndObject();
        }
    }
    m_out->EndArray();
    m_out->EndObject();
}

void CLibraryDumper::WriteMediaType(int type)
{
    const CCustomFieldMgr* fields = m_library.GetCustomFieldMgr(type);
    if (!m_complete && m_library.GetItemCount(type) == 0 && (!fields || fields->GetFieldCount() == 0))
        return;
    m_out->BeginObject();
    m_out->Integer("id", type);
    m_out->String("name", U::GetMediaNamePlural(type));
    m_out->Integer("itemCount", m_library.GetItemCount(type));
    CString primary;
    CString secondary;
    m_library.GetSortOrder(type, primary, secondary);
    m_out->BeginArray("sortOrder");
    m_out->String("", primary);
    m_out->String("", secondary);
    m_out->EndArray();
    m_out->String("defaultLocation", m_library.GetDefaultLocation(type));
    if (const CLibraryIDSettings* ids = m_library.GetLibraryIDFormatForID(type)) {
        m_out->BeginObject("libraryIDs");
        m_out->Bool("autoGenerate", ids->GetAutoGenerate());
        m_out->String("prefix", ids->GetPrefix());
        m_out->Integer("digits", ids->GetDigitCount());
        m_out->String("postfix", ids->GetPostfix());
        m_out->EndObject();
    }
    m_out->BeginArray("customFields");
    for (int i = 0; fields && i < fields->GetFieldCount(); ++i) {
        const CCustomField* field = fields->GetFieldAt(i);
        if (!field)
            continue;
        m_out->BeginObject();
        m_out->String("name", field->GetName());
        m_out->String("type", FieldTypeName(field->GetDataType()));
        m_out->String("webReportTag", field->GetCustomWebReportTag());
        m_out->String("initialValue", field->GetInitialValue());
        m_out->Bool("initialDateToday", field->GetInitialValueDateToday());
        m_out->Bool("initialBooleanOn", field->GetInitialValueBooleanOn());
        m_out->BeginArray("selectionList");
        for (int s = 0; s < field->GetSelectionListCount(); ++s)
            m_out->String("", field->GetSelectionListItem(s));
        m_out->EndArray();
        m_out->EndObject();
    }
    m_out->EndArray();
    if (const CCustomPrintReport* basic = m_library.GetCustomBasicReport(type))
        WritePrintReport("basicReport", *basic);
    m_out->BeginArray("items");
    WriteItems(type);
    m_out->EndArray();
    m_out->EndObject();
}

void CLibraryDumper::WriteItems(int type)
{
    // Listed here: the library puts its items in order when first asked.
    std::vector<const CMediaItem*> items;
    items.reserve(static_cast<std::size_t>(m_library.GetItemCount(type)));
    for (POSITION pos = m_library.GetHeadItem(type); pos;)
        if (const CMediaItem* item = m_library.GetNextItem(type, pos))
            items.push_back(item);
    // At least eight runs where a run of m_runItems would leave one thread
    // a large part alone, down to 64 items.
    const std::size_t run = m_runItems > 0
        ? std::clamp(items.size() / 8, std::min(m_runItems, std::size_t { 64 }), m_runItems)
        : items.size();
    if (items.size() <= run) {
        for (const CMediaItem* item : items)
            WriteItem(*item, type);
        return;
    }
    // The sub-items' property list is learnt once, before two threads ask.
    CMediaRegistry::GetSubItemOwnProps(type);
    // Both threads take the next run to write as soon as they are free,
    // each into a text of its own, at most WINDOW runs ahead of the text
    // this thread hands on in order. The forks are made from one that
    // neither thread changes.
    const std::size_t runs = (items.size() + run - 1) / run;
    CTreeText none;
    const std::unique_ptr<CTreeWriter> start = m_out->ForkArray(none, 0);
    std::mutex mutex;
    std::condition_variable changed;
    std::size_t taken = 0;
    std::size_t handedOn = 0;
    std::array<bool, WINDOW> done {};
    const auto canTake = [&] { return taken < runs && taken < handedOn + WINDOW; };
    // Writes the run taken last, with the lock held on entry and exit.
    const auto writeRun = [&](CLibraryDumper& dumper, std::unique_lock<std::mutex>& lock) {
        const std::size_t r = taken++;
        lock.unlock();
        const std::unique_ptr<CTreeWriter> fork = start->ForkArray(m_runTexts[r % WINDOW], static_cast<int>(r * run));
        dumper.m_out = fork.get();
        for (std::size_t i = r * run; i < std::min((r + 1) * run, items.size()); ++i)
            dumper.WriteItem(*items[i], type);
        lock.lock();
        done[r % WINDOW] = true;
        changed.notify_all();
    };
    std::exception_ptr failure;
    std::thread helper([&] {
        try {
            CLibraryDumper dumper(m_library, *start, m_complete, 0);
            std::unique_lock lock(mutex);
            for (;;) {
                changed.wait(lock, [&] { return taken == runs || canTake(); });
                if (taken == runs)
                    return;
                writeRun(dumper, lock);
            }
        } catch (...) {
            const std::lock_guard guard(mutex);
            failure = std::current_exception();
            changed.notify_all();
        }
    });
    {
        // However this thread leaves, the helper takes no further run and
        // is waited for.
        const auto stop = [&](std::thread* thread) {
            {
                const std::lock_guard guard(mutex);
                taken = runs;
                changed.notify_all();
            }
            thread->join();
        };
        const std::unique_ptr<std::thread, decltype(stop)> joined(&helper, stop);
        CTreeWriter* const out = m_out;
        std::unique_lock lock(mutex);
        while (handedOn < runs && !failure) {
            if (done[handedOn % WINDOW]) {
                done[handedOn % WINDOW] = false;
                lock.unlock();
                const std::size_t count = std::min(run, items.size() - handedOn * run);
                out->JoinArray(m_runTexts[handedOn % WINDOW], static_cast<int>(count));
                lock.lock();
                ++handedOn;
                changed.notify_all();
            } else if (canTake()) {
                writeRun(*this, lock);
                m_out = out;
            } else {
                changed.wait(lock);
            }
        }
    }
    if (failure)
        std::rethrow_exception(failure);
}

template <class F> CLibraryDumper::CProbe& CLibraryDumper::Probe(std::pair<int, const void*> key, F makeProps)
{
    auto [it, made] = m_probes.try_emplace(key);
    CProbe& probe = it->second;
    if (made) {
        const CStringArray props = makeProps();
        for (const CString& prop : props)
            probe.data.SetAt(prop, UNANSWERED);
        std::vector<CString*> order;
        for (const CString& prop : props) {
            const auto slot = probe.data.find(prop);
            probe.slots.emplace_back(&slot->first, &slot->second);
            order.push_back(&slot->second);
        }
        probe.index.Track(std::move(order));
    }
    return probe;
}

void CLibraryDumper::Reset(CProbe& probe)
{
    for (auto& slot : probe.slots)
        *slot.second = UNANSWERED;
}

void CLibraryDumper::WriteProperties(const CItem& item, CProbe& probe, bool ownerAnswered)
{
    {
        CPropMapIndex::CUse use(probe.index);
        probe.index.SetOwnerAnswered(ownerAnswered);
        item.GetData(probe.data);
        probe.index.SetOwnerAnswered(false);
    }
    m_out->BeginObject("properties");
    // In the order of the property table, not of the map; the index noted
    // which keys the item answered, the others keep an older value.
    probe.index.TakeAnswered([&](std::size_t at) {
        const auto& [prop, value] = probe.slots[at];
        if (m_complete || !value->empty())
            m_out->String(*prop, *value);
    });
    m_out->EndObject();
}

void CLibraryDumper::TakeOwnerAnswers(const CItem& owner, CProbe& probe)
{
    {
        CPropMapIndex::CUse use(probe.index);
        owner.GetData(probe.data);
    }
    m_ownerAnswers.clear();
    probe.index.TakeAnswered([&](std::size_t at) { m_ownerAnswers.emplace_back(at, *probe.slots[at].second); });
}

void CLibraryDumper::WriteCustomValues(const CItem& item, const CCustomFieldMgr* fields)
{
    m_out->BeginObject("customValues");
    if (fields && item.GetCategoryID() >= 1) {
        // The fields do not change while the library is written.
        CProbe& probe = Probe({ 0, fields }, [fields] {
            CStringArray names;
            for (int i = 0; i < fields->GetFieldCount(); ++i)
                if (const CCustomField* field = fields->GetFieldAt(i))
                    names.Add(field->GetName());
            return names;
        });
        Reset(probe);
        m_library.GatherCustomFieldDataForItem(&item, probe.data);
        for (const auto& [name, value] : probe.slots)
            if (!Unanswered(*value))
                m_out->String(*name, *value);
    }
    m_out->EndObject();
}

void CLibraryDumper::WriteCheckOut(const CCheckOut& checkOut)
{
    const CPersonMgr* persons = CPersonMgr::GetInstance();
    m_out->BeginArray("checkOutHistory");
    for (int i = 0; i < checkOut.GetEntryCount(); ++i) {
        const CCheckOutState* entry = checkOut.GetEntryAt(i);
        if (!entry)
            continue;
        m_out->BeginObject();
        m_out->Integer("personId", entry->GetPersonID());
        if (const CPerson* person = persons ? persons->GetPerson(entry->GetPersonID()) : nullptr)
            m_out->String("person", CStringUtils::Trim(person->GetFirstName() + " " + person->GetLastName()));
        WriteDate("reserved", entry->GetReservedDate());
        WriteDate("checkedOut", entry->GetCheckedOutDate());
        WriteDate("due", entry->GetCheckedDueDate());
        WriteDate("returned", entry->GetReturnedDate());
        m_out->EndObject();
    }
    m_out->EndArray();
}

void CLibraryDumper::WriteItem(const CMediaItem& item, int type)
{
    const CCustomFieldMgr* fields = m_library.GetCustomFieldMgr(type);
    m_out->BeginObject();
    WriteProperties(item, Probe({ 0, nullptr }, [] { return CMediaUtils::GetAllDataProps(); }));
    WriteCustomValues(item, fields);
    if (const CCheckOut* checkOut = item.PeekCheckOut())
        WriteCheckOut(*checkOut);
    m_out->BeginArray("subItems");
    // Per media type; the list holds the category where the type's
    // sub-items have one.
    CProbe* probe = nullptr;
    for (POSITION pos = item.GetHeadSubItem(); pos;) {
        const CMediaSubItem* sub = item.GetNextSubItem(pos);
        if (!sub)
            continue;
        if (!probe) {
            probe = &Probe({ -type, nullptr }, [type] { return CMediaRegistry::GetSubItemOwnProps(type); });
            TakeOwnerAnswers(item, *probe);
        }
        // A sub-item answers after its medium: the medium's answers, taken
        // once, go in first.
        for (const auto& [at, value] : m_ownerAnswers) {
            *probe->slots[at].second = value;
            probe->index.MarkAnswered(at);
        }
        m_out->BeginObject();
        WriteProperties(*sub, *probe, true);
        if (sub->UsesCategory())
            WriteCustomValues(*sub, fields);
        m_out->EndObject();
    }
    m_out->EndArray();
    m_out->EndObject();
}

void CLibraryDumper::WriteReportBase(const CCustomReport& report)
{
    m_out->String("name", report.GetName());
    WriteSelection(*m_out, "mediaTypes", report.GetMediaIDs());
    m_out->BeginArray("categories");
    for (POSITION pos = report.GetHeadCategory(); pos;) {
        const int id = report.GetNextCategory(pos);
        const CCategory* category = m_library.GetCategory(id);
        m_out->String("", category ? category->GetName() : std::to_string(id));
    }
    m_out->EndArray();
}

void CLibraryDumper::WritePrintReport(const CString& key, const CCustomPrintReport& report)
{
    m_out->BeginObject(key);
    WriteReportBase(report);
    m_out->BeginArray("sortOrder");
    for (const CString* prop : { &report.GetFirstSortOrderProp(), &report.GetSecondSortOrderProp(),
             &report.GetThirdSortOrderProp(), &report.GetFourthSortOrderProp() })
        if (!prop->empty())
            m_out->String("", *prop);
    m_out->EndArray();
    m_out->BeginArray("columns");
    for (int i = 0; i < report.GetColumnCount(); ++i)
        m_out->String("", report.GetColumnAt(i));
    m_out->EndArray();
    m_out->EndObject();
}

void CLibraryDumper::WriteReports()
{
    m_out->BeginArray("printReports");
    for (int i = 0; i < m_library.GetCustomPrintReportCount(); ++i)
        if (const CCustomPrintReport* report = m_library.GetCustomPrintReportAt(i))
            WritePrintReport("", *report);
    m_out->EndArray();
    m_out->BeginArray("webReports");
    for (int i = 0; i < m_library.GetCustomWebReportCount(); ++i) {
        const CCustomWebReport* report = m_library.GetCustomWebReportAt(i);
        if (!report)
            continue;
        m_out->BeginObject();
        WriteReportBase(*report);
        m_out->String("homePage", report->GetHomePage());
        m_out->Bool("includeDuplicates", report->GetIncludeDuplicates());
        m_out->BeginArray("pageLevels");
        for (int level = 1; level <= report->GetPageLevelCount(); ++level) {
            m_out->BeginObject();
            m_out->String("template", report->GetTemplateFile(level));
            m_out->String("sortBy", report->GetSortProp1(level));
            m_out->String("thenBy", report->GetSortProp2(level));
            m_out->EndObject();
        }
        m_out->EndArray();
        m_out->EndObject();
    }
    m_out->EndArray();
}

void CLibraryDumper::WriteResearchEntries()
{
    m_out->BeginArray("researchEntries");
    for (int i = 0; i < m_library.GetResearchEntryCount(); ++i) {
        const CResearchEntry* entry = m_library.GetResearchEntryAt(i);
        if (!entry)
            continue;
        m_out->BeginObject();
        m_out->Integer("id", entry->GetUniqueID());
        m_out->String("name", entry->GetName());
        m_out->String("url", entry->GetURL());
        m_out->EndObject();
    }
    m_out->EndArray();
}
