// Saves a picture of the main window with each media type's form on a
// generated sample library: vemo_screenshots <folder> [width height]. Run
// it through scripts/screenshots, which gives it a home of its own.

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPixmap>
#include <QTextStream>
#include <algorithm>

#include "app/MainFrame.h"
#include "data/session/VemoLibrarySettings.h"
#include "app/doc/VemoLibraryDoc.h"
#include "app/views/MediaView.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaUtils.h"
#include "data/store/Library.h"
#include "data/store/MediaTypeSelection.h"
#include "platform/appcfg/AppPaths.h"
#include "support/LibraryGenerator.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        QTextStream(stderr) << "usage: vemo_screenshots <folder> [width height]\n";
        return 2;
    }
    const QString folder = args.at(1);
    const int width = args.size() > 3 ? args.at(2).toInt() : 737;
    const int height = args.size() > 3 ? args.at(3).toInt() : 583;
    QDir().mkpath(folder);

    CAppPaths::EnsureDataDir();
    CVemoLibrarySettings settings(QCoreApplication::applicationDirPath().toStdString() + "/");
    CVemoLibraryDoc doc(&settings);
    doc.SetAutoIdle(false);
    CMainFrame frame(&doc, &settings);
    doc.CreateNewLibrary();
    CLibrary* library = doc.GetLibrary();
    if (!library)
        return 1;
    vemotest::LibraryGeneratorOptions options;
    options.itemCount = 480;
    options.seed = 7;
    vemotest::GenerateLibrary(*library, options);
    library->RefreshAllLists();
    library->GetMediaTypes()->SetShowAll(true);
    doc.MarkItemModified(nullptr);
    frame.RebuildMediaBar();
    frame.resize(width, height);
    frame.show();

    int saved = 0;
    for (int type = CMediaUtils::MEDIA_TYPE_IDFIRST; type <= CMediaUtils::MEDIA_TYPE_IDLAST; ++type) {
        frame.ShowMediaType(type);
        auto* view = qobject_cast<CMediaView*>(frame.GetActiveView());
        if (!view)
            continue;
        // An item with many fields filled shows the form best.
        int best = 0;
        int bestFilled = -1;
        for (int row = 0; row < view->ItemList()->count() && row < 40; ++row) {
            view->ItemList()->setCurrentIndex(row);
            int filled = 0;
            CMapStringToString data;
            for (const CString& prop : CMediaUtils::GetAllDataProps())
                data.SetAt(prop, "");
            view->GetCurrentItem()->GetData(data);
            for (const CString& prop : CMediaUtils::GetAllDataProps())
                filled += !data[prop].empty() && data[prop] != "0" && data[prop] != "N";
            // A few sub-items show the page below the form too.
            filled += 2 * std::min(view->GetCurrentItem()->GetSubItemCount(), 5);
            if (filled > bestFilled) {
                bestFilled = filled;
                best = row;
            }
        }
        view->ItemList()->setCurrentIndex(best);
        app.processEvents();
        const QString file = QDir(folder).filePath(view->GetPicture() + ".png");
        if (frame.grab().save(file))
            ++saved;
        else
            QTextStream(stderr) << "could not write " << file << "\n";
    }
    QTextStream(stdout) << saved << " pictures in " << folder << "\n";
    return saved == CMediaUtils::MEDIA_TYPE_IDLAST ? 0 : 1;
}
