#pragma once
// The commands of the VemoLibrary menu that open the user guide, the
// mail program or the web site, F1 and What's This. Owned by the main
// window; the help window is made when first needed and kept.

#include <QObject>
#include <QPointer>
#include <QString>

class CHelpWindow;
class CMainFrame;
class QWidget;

class CHelpController : public QObject {
    Q_OBJECT

public:
    static inline const QString BROWSER_FAILED_TITLE = "Failed to Launch Browser";
    static inline const QString BROWSER_FAILED
        = "VemoLibrary was unable to launch your web browser. Please start your web browser and go to %s.\n\n%s";
    static inline const QString MAIL_FAILED_TITLE = "Failed to Launch Mail Program";
    static inline const QString MAIL_FAILED = "VemoLibrary was unable to start your mail program. Please write to "
                                              "%s with your mail program.\n\n%s";
    static inline const QString GUIDE_MISSING = "The VemoLibrary user guide is not installed, so it cannot be shown. "
                                                "It belongs in the folder share/vemolibrary/guide of the program's "
                                                "installation.";

    explicit CHelpController(CMainFrame* frame);

    // A How-to entry, More Info or History.
    void ShowTopic(int commandId);
    // F1: the section of the window in front (a dialog, else the view).
    void ShowContextHelp(QWidget* inFront);
    // Shift+F1 and the toolbar's Context button.
    void StartWhatsThis();
    void MailTechSupport();
    void MailFeedback();
    void OpenWebSite();
    // Gives the main window's menu entries, buttons and panes their texts.
    void ApplyWhatsThis();

    // Opens a section of the guide; false (and said) when the guide or the
    // page is missing.
    bool ShowSection(const QString& section);
    CHelpWindow* GetHelpWindow() const;

    // The mail address of tech support and of feedback, and the product
    // web site, as configured for this build.
    static QString TechSupportAddress();
    static QString FeedbackAddress();
    static QString WebSite();
    // A mailto: address with an optional subject, encoded for a mail program.
    static QString MailUrl(const QString& address, const QString& subject);

protected:
    // F1 in the program's other windows (dialogs have no menu to carry it).
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Mail(const QString& address, const QString& subject);

    CMainFrame* m_frame;
    QPointer<CHelpWindow> m_window;
};
