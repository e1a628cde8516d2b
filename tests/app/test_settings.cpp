// The settings record: every earlier version reads, version 11 round-trips,
// a newer one is refused without touching what was there; the look-up block
// after it; the library list comes from the data directory.

#include <QtTest>

#include "AppTestSupport.h"
#include "platform/util/Archive.h"

namespace {

const CString kProgramDir = "/opt/vemo/bin/";

// A stored record of the given version: the base record, then the fields
// that version carries, each with a value the test can recognise.
std::string RecordOfVersion(WORD version)
{
    CAppSettings base(kProgramDir, "VemoLibrary");
    CArchive ar;
    base.Serialize(ar);
    ar.WriteWord(version);
    if (version < 6) {
        ar.WriteWord(0); // tool-tip close button off
        ar.WriteUInt(321); // reading speed
    }
    if (version <= 9)
        ar.WriteString("Stamps");
    if (version >= 2 && version <= 10)
        ar.WriteString("obsolete");
    if (version >= 3)
        ar.WriteString("/pictures/");
    if (version >= 4)
        ar.WriteString("/covers/");
    if (version <= 4) {
        ar.WriteInt(2);
        ar.WriteString("old one");
        ar.WriteString("old two");
    }
    if (version == 7 || version == 8) {
        ar.WriteInt(1);
        ar.WriteInt(9);
        ar.WriteInt(7);
    }
    if (version >= 10) {
        ar.WriteWord(1);
        ar.WriteString("Coins");
        ar.WriteInt(1);
        ar.WriteString("Coins");
        ar.WriteInt(15);
        ar.WriteInt(1);
        ar.WriteString("Coins");
        ar.WriteInt(1);
        ar.WriteInt(15);
        ar.WriteString("Gold Rush");
    }
    return ar.GetBuffer();
}

void StoreRecord(const CVemoLibrarySettings& settings, const std::string& bytes)
{
    CDirUtils::CreateDir(CFileUtils::ParseDirFromPath(settings.GetSettingsFile()));
    QVERIFY(CFileUtils::WriteFileAtomic(settings.GetSettingsFile(), bytes));
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

private slots:
    void init() { m_home = std::make_unique<CTestHome>(); }
    void cleanup() { m_home.reset(); }

    void nothingStoredIsAFirstRun()
    {
        CVemoLibrarySettings settings(kProgramDir);
        bool firstRun = false;
        QVERIFY(settings.Read(firstRun));
        QVERIFY(firstRun);
        QCOMPARE(settings.GetVersionNumber().ToString(), CString("2.0.4"));
        QCOMPARE(settings.GetLastImageDir(), kProgramDir);
        QCOMPARE(settings.GetLastBookImageDir(), kProgramDir);
    }

    void everyVersionReads_data()
    {
        QTest::addColumn<int>("version");
        for (int v = 1; v <= 11; ++v)
            QTest::addRow("version %d", v) << v;
    }
    void everyVersionReads()
    {
        QFETCH(int, version);
        CVemoLibrarySettings settings(kProgramDir);
        StoreRecord(settings, RecordOfVersion(static_cast<WORD>(version)));
        bool firstRun = true;
        QVERIFY2(settings.Read(firstRun), settings.GetLastError().c_str());
        QVERIFY(!firstRun);

        QCOMPARE(settings.GetCurrentLibrary(), CString(version <= 9 ? "Stamps" : "Coins"));
        QCOMPARE(settings.GetLastImageDir(), version >= 3 ? CString("/pictures/") : kProgramDir);
        QCOMPARE(settings.GetLastBookImageDir(), version >= 4 ? CString("/covers/") : kProgramDir);
        QCOMPARE(settings.GetBalloonShowCloseButton(), version >= 6);
        QCOMPARE(settings.GetBalloonWPMSpeed(), version < 6 ? 321u : CAppSettings::DEFAULT_WPM_SPEED);
        QCOMPARE(settings.GetVersionNumber().ToString(), CString(version == 7 || version == 8 ? "1.9.7" : "0.0.0"));
        QCOMPARE(settings.GetLastMediaType("Coins"), version >= 10 ? 15 : 0);
        QCOMPARE(settings.GetLastItem("Coins", 15), CString(version >= 10 ? "Gold Rush" : ""));
    }

    void versionFiveKeepsTheViewStateEmpty()
    {
        CVemoLibrarySettings settings(kProgramDir);
        settings.SetLastMediaType("Before", 3);
        StoreRecord(settings, RecordOfVersion(5));
        bool firstRun = false;
        QVERIFY(settings.Read(firstRun));
        QVERIFY(settings.GetLastMediaTypes().IsEmpty());
        QVERIFY(settings.GetLastItems().IsEmpty());
        QCOMPARE(settings.GetCurrentLibrary(), CString("Stamps"));
        QVERIFY(!settings.GetBalloonShowCloseButton());
        QCOMPARE(settings.GetBalloonWPMSpeed(), 321u);
    }

    void versionElevenRoundTrips()
    {
        {
            CVemoLibrarySettings settings(kProgramDir);
            settings.SetCurrentLibrary("Stamps");
            settings.SetLastMediaType("Stamps", 1);
            settings.SetLastMediaType("Coins", 15);
            settings.SetLastItem("Stamps", 1, "Penny Black");
            settings.SetLastItem("Stamps", 3, "Blue Train");
            settings.SetLastItem("Coins", 15, "");
            settings.SetLastImageDir("/pictures/");
            settings.SetLastBookImageDir("/covers/");
            QVERIFY(settings.Save());
        }
        CVemoLibrarySettings settings(kProgramDir);
        bool firstRun = true;
        QVERIFY(settings.Read(firstRun));
        QVERIFY(!firstRun);
        QCOMPARE(settings.GetCurrentLibrary(), CString("Stamps"));
        QCOMPARE(settings.GetLastMediaType("Stamps"), 1);
        QCOMPARE(settings.GetLastMediaType("Coins"), 15);
        QCOMPARE(settings.GetLastMediaType("Other"), 0);
        QCOMPARE(settings.GetLastItem("Stamps", 1), CString("Penny Black"));
        QCOMPARE(settings.GetLastItem("Stamps", 3), CString("Blue Train"));
        QCOMPARE(settings.GetLastItem("Stamps", 2), CString());
        QCOMPARE(settings.GetLastItems().GetCount(), 2);
        QCOMPARE(settings.GetLastImageDir(), CString("/pictures/"));
        QCOMPARE(settings.GetLastBookImageDir(), CString("/covers/"));

        // The record after the base's is fields 1, 6, 7 and 10 only.
        std::string bytes = FileBytes(settings.GetSettingsFile());
        CAppSettings base(kProgramDir, "VemoLibrary");
        CArchive baseRecord;
        base.Serialize(baseRecord);
        CArchive ar(std::string_view(bytes).substr(baseRecord.GetBuffer().size()));
        QCOMPARE(ar.ReadWord(), WORD(11));
        QCOMPARE(ar.ReadString(), CString("/pictures/"));
        QCOMPARE(ar.ReadString(), CString("/covers/"));
        QCOMPARE(ar.ReadWord(), WORD(1));
        QCOMPARE(ar.ReadString(), CString("Stamps"));
    }

    void aNewerRecordIsRefusedAndChangesNothing()
    {
        CVemoLibrarySettings settings(kProgramDir);
        std::string bytes = RecordOfVersion(11);
        CAppSettings base(kProgramDir, "VemoLibrary");
        CArchive baseRecord;
        base.Serialize(baseRecord);
        bytes[baseRecord.GetBuffer().size()] = 12;
        StoreRecord(settings, bytes);
        settings.SetCurrentLibrary("Kept");
        settings.SetLastMediaType("Kept", 4);
        bool firstRun = true;
        QVERIFY(!settings.Read(firstRun));
        QCOMPARE(settings.GetCurrentLibrary(), CString("Kept"));
        QCOMPARE(settings.GetLastMediaType("Kept"), 4);
    }

    void aCutRecordIsRefused()
    {
        CVemoLibrarySettings settings(kProgramDir);
        std::string bytes = RecordOfVersion(11);
        bytes.resize(bytes.size() - 4);
        StoreRecord(settings, bytes);
        bool firstRun = true;
        QVERIFY(!settings.Read(firstRun));
        QVERIFY(settings.GetLastMediaTypes().IsEmpty());
    }

    // The look-up block after the record: it round-trips, and a record
    // without it, with other bytes there, or with a cut or unknown block,
    // reads whole with the default look-up settings.
    void lookupSettingsRoundTripAndOlderRecordsKeepDefaults_data()
    {
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<bool>("kept");
        QTest::newRow("none (an earlier program)") << QByteArray() << false;
        QTest::newRow("other bytes") << QByteArray("\x01\x02\x03\x04\x05", 5) << false;
        QTest::newRow("cut block") << QByteArray("LK\x01\x00\x09\x00", 6) << false;
        QTest::newRow("newer block") << QByteArray("LK\x02\x00\x00\x00\x00\x00", 8) << false;
        QTest::newRow("written block") << QByteArray() << true;
    }
    void lookupSettingsRoundTripAndOlderRecordsKeepDefaults()
    {
        QFETCH(QByteArray, tail);
        QFETCH(bool, kept);
        CLookupOptions options;
        options.sources = { "omdb", "openlibrary" };
        options.filmApiKey = "key \xC3\xA9";
        std::string bytes = RecordOfVersion(11) + tail.toStdString();
        if (kept) {
            CVemoLibrarySettings written(kProgramDir);
            written.SetCurrentLibrary("Coins");
            written.SetLookupOptions(options);
            QVERIFY(written.Save());
            // What follows the block is ignored.
            bytes = FileBytes(written.GetSettingsFile());
            CArchive extra;
            extra.WriteString("later addition");
            bytes += extra.GetBuffer();
        }
        CVemoLibrarySettings settings(kProgramDir);
        settings.SetLookupOptions(options);
        StoreRecord(settings, bytes);
        bool firstRun = true;
        QVERIFY2(settings.Read(firstRun), settings.GetLastError().c_str());
        QCOMPARE(settings.GetCurrentLibrary(), CString("Coins"));
        const CLookupOptions expected = kept ? options : CLookupOptions();
        QCOMPARE(settings.GetLookupOptions().sources, expected.sources);
        QCOMPARE(settings.GetLookupOptions().filmApiKey, expected.filmApiKey);
    }

    void unknownLookupSourcesAreDropped()
    {
        CArchive block;
        block.WriteWord(CVemoLibrarySettings::LOOKUP_BLOCK_TAG);
        block.WriteWord(1);
        block.WriteInt(3);
        block.WriteString("gamesdb");
        block.WriteString("musicbrainz");
        block.WriteString("musicbrainz");
        block.WriteString("");
        CVemoLibrarySettings settings(kProgramDir);
        StoreRecord(settings, RecordOfVersion(11) + block.GetBuffer());
        bool firstRun = true;
        QVERIFY(settings.Read(firstRun));
        QCOMPARE(settings.GetLookupOptions().sources, std::vector<CString> { "musicbrainz" });
    }

    void libraryListComesFromTheDataDirectory()
    {
        CVemoLibrarySettings settings(kProgramDir);
        settings.SetCurrentLibrary("Gone");
        settings.RefreshLibraryList();
        QCOMPARE(settings.GetLibraryCount(), 0);
        QCOMPARE(settings.GetCurrentLibrary(), CString());

        const CString dir = settings.GetApplicationPath();
        for (const char* file : { "stamps.vly", "Coins.vly", "Art.VLY", "Notes.txt", "Books.vly.lock" })
            QVERIFY(CFileUtils::WriteFileAtomic(dir + file, "x"));
        settings.SetCurrentLibrary("Gone");
        settings.RefreshLibraryList();
        QCOMPARE(settings.GetLibraryCount(), 2);
        QCOMPARE(settings.LibraryAt(0), CString("Coins"));
        QCOMPARE(settings.LibraryAt(1), CString("stamps"));
        QCOMPARE(settings.LibraryAt(2), CString());
        QCOMPARE(settings.LibraryAt(-1), CString());
        QCOMPARE(settings.GetCurrentLibrary(), CString("Coins"));

        settings.SetCurrentLibrary("stamps");
        settings.RefreshLibraryList();
        QCOMPARE(settings.GetCurrentLibrary(), CString("stamps"));
    }

    void newLibraryNamesSkipTakenOnes()
    {
        CVemoLibrarySettings settings(kProgramDir);
        const CString dir = settings.GetApplicationPath();
        QCOMPARE(settings.NewLibraryName(), CString("My Library"));
        QVERIFY(CFileUtils::WriteFileAtomic(dir + "My Library.vly", "x"));
        QVERIFY(CFileUtils::WriteFileAtomic(dir + "My Library #2.vly", "x"));
        QVERIFY(CFileUtils::WriteFileAtomic(dir + "my library #3.vly", "x"));
        // Names are not case-sensitive: another capitalisation is taken too.
        QCOMPARE(settings.NewLibraryName(), CString("My Library #4"));
    }

    void viewStateFollowsARename()
    {
        CVemoLibrarySettings settings(kProgramDir);
        settings.SetLastMediaType("Old", 3);
        settings.SetLastItem("Old", 3, "Blue Train");
        settings.RenameViewState("Old", "New");
        QCOMPARE(settings.GetLastMediaType("New"), 3);
        QCOMPARE(settings.GetLastItem("New", 3), CString("Blue Train"));
        QCOMPARE(settings.GetLastMediaType("Old"), 0);
    }

private:
    std::unique_ptr<CTestHome> m_home;
};

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
