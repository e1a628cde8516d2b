#pragma once
// Where the user guide is, and which of its sections each help command and
// each window of the program opens. A section is a page of the guide with
// an optional anchor: "libraries.html#copy".

#include <QString>
#include <utility>
#include <vector>

class QWidget;

class CHelpTopics {
public:
    static inline const QString HOME_PAGE = "index.html";

    // The folder of the HTML guide: beside the program as installed
    // (../share/vemolibrary/guide), in the build tree, or where a test put
    // it; "" when there is none.
    static QString GuideDir();
    // An empty folder goes back to looking for the guide.
    static void SetGuideDirForTesting(const QString& dir);

    // The section a command of the VemoLibrary menu or the toolbar opens;
    // "" for commands that open none.
    static QString SectionForCommand(int id);
    // The section of the window in front: a dialog by its class (or one of
    // its base classes) or object name, a media view by the view class of
    // its media type; windows not listed fall back to a chapter of their
    // kind.
    static QString SectionForWidget(const QWidget* widget);
    // The section of the part of a window that holds the focus (a page
    // below a view's fields), looking from the focus up to the view or
    // the window; "" when no part on the way is listed.
    static QString SectionForFocus(const QWidget* focus, const QWidget* window);
    // The section of a class or object name from the table; "" when not listed.
    static QString SectionForName(const QString& name);

    // Every section the program opens, for the test that each is in the guide.
    static std::vector<QString> AllSections();
    // The What's This texts of the main window's fixed parts, by command id
    // of a menu entry or toolbar button.
    static const std::vector<std::pair<int, const char*>>& CommandWhatsThis();

private:
    // A widget's section by its class, a base class or its object name.
    static QString ListedSection(const QWidget* widget);
};
