#pragma once
// PLACEHOLDER for the media views (CBookView, CCDView, ...), which are not
// built yet: it names the view it stands for and lists the items of its
// media type, so that libraries and media types can be switched and the
// status counts seen. It edits nothing. Replace it per type as the real
// views arrive (CViewFactory chooses).

#include "app/views/View.h"
#include "platform/util/VemoTypes.h"

class QLabel;
class QListWidget;

class CMediaPlaceholderView : public CView {
    Q_OBJECT

public:
    CMediaPlaceholderView(CVemoLibraryDoc* doc, int mediaType, const QString& viewClass, QWidget* parent = nullptr);

    bool IsMediaView() const override { return true; }
    void OnInitialUpdate() override;
    void OnUpdate(int hint) override;
    bool OnCommand(int id) override;
    // Next and Previous, where there is an item to move to.
    bool IsCommandEnabled(int id) const override;

    const QString& GetViewClass() const { return m_viewClass; }
    QStringList ItemTexts() const;
    QString CurrentItemText() const;
    QListWidget* ItemList() const { return m_list; }

protected:
    void OnLibraryClosing() override;

private:
    void Fill();
    void UpdateCounts();
    void RememberSelection();

    QString m_viewClass;
    QLabel* m_title;
    QListWidget* m_list;
    bool m_filling = false;
};
