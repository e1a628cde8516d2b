#pragma once
// What most of the program's tests start from: a fresh home, messages
// answered by the test, the program's settings and a document that does no
// idle work by itself. A test class derives from it beside QObject, calls
// MakeDocument() in init() and DropDocument() in cleanup().

#include <memory>

#include "AppTestSupport.h"
#include "app/doc/VemoLibraryDoc.h"

class CDocumentTestBase {
protected:
    void MakeDocument()
    {
        m_home = std::make_unique<CTestHome>();
        m_box = std::make_unique<CTestMessageBox>();
        m_settings = std::make_unique<CVemoLibrarySettings>("/opt/vemo/bin/");
        m_doc = std::make_unique<CVemoLibraryDoc>(m_settings.get());
        m_doc->SetAutoIdle(false);
    }
    // In reverse order: the document goes before the settings it uses.
    void DropDocument()
    {
        m_doc.reset();
        m_settings.reset();
        m_box.reset();
        m_home.reset();
    }

    std::unique_ptr<CTestHome> m_home;
    std::unique_ptr<CTestMessageBox> m_box;
    std::unique_ptr<CVemoLibrarySettings> m_settings;
    std::unique_ptr<CVemoLibraryDoc> m_doc;
};
