#include "app/views/MediaPlaceholderView.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "app/CommandIds.h"
#include "app/doc/VemoLibraryDoc.h"
#include "data/model/MediaUtils.h"
#include "data/store/Library.h"

CMediaPlaceholderView::CMediaPlaceholderView(
    CVemoLibraryDoc* doc, int mediaType, const QString& viewClass, QWidget* parent)
    : CView(doc, mediaType, parent)
    , m_viewClass(viewClass)
    , m_title(new QLabel(this))
    , m_list(new QListWidget(this))
{
    QString plural = QString::fromStdString(CMediaUtils::GetMediaNamePlural(mediaType));
    m_title->setText(QString("<b>%1</b>").arg(plural.toHtmlEscaped()));
    auto* note = new QLabel(QString("Placeholder: the %1 form (%2) is not built yet. The list shows the %1 of "
                                    "this Library; items cannot be edited here.")
                                .arg(plural, viewClass),
        this);
    note->setObjectName("placeholderNote");
    note->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addWidget(note);
    layout->addWidget(m_list, 1);
    connect(m_list, &QListWidget::currentRowChanged, this, [this] {
        RememberSelection();
        emit CommandStatesChanged();
    });
}

void CMediaPlaceholderView::OnInitialUpdate()
{
    Fill();
}

void CMediaPlaceholderView::OnUpdate(int hint)
{
    if (hint == CVemoLibraryDoc::HintNewLibrary || hint == CVemoLibraryDoc::HintImport
        || hint == CVemoLibraryDoc::HintLibraryIDFormat)
        Fill();
}

void CMediaPlaceholderView::OnLibraryClosing()
{
    m_filling = true;
    m_list->clear();
    m_filling = false;
}

void CMediaPlaceholderView::Fill()
{
    CVemoLibraryDoc* doc = GetDocument();
    CLibrary* library = doc ? doc->GetLibrary() : nullptr;
    m_filling = true;
    m_list->clear();
    if (library) {
        doc->SetSaveEnabled(false);
        CStringArray texts;
        library->GetItemListTexts(GetMediaType(), texts);
        for (const CString& text : texts)
            m_list->addItem(QString::fromStdString(text));
        QString last = QString::fromStdString(doc->GetRememberedItem(GetMediaType()));
        int row = 0;
        for (int i = 0; i < m_list->count(); ++i)
            if (m_list->item(i)->text() == last) {
                row = i;
                break;
            }
        if (m_list->count() > 0)
            m_list->setCurrentRow(row);
        doc->SetSaveEnabled(true);
    }
    m_filling = false;
    RememberSelection();
    UpdateCounts();
}

void CMediaPlaceholderView::UpdateCounts()
{
    CVemoLibraryDoc* doc = GetDocument();
    if (!doc)
        return;
    emit StatusCountsChanged(doc->GetItemCount(GetMediaType()), doc->GetReservedItemCount(GetMediaType()),
        doc->GetCheckedOutItemCount(GetMediaType()));
}

void CMediaPlaceholderView::RememberSelection()
{
    if (m_filling || !GetDocument() || m_list->currentRow() < 0)
        return;
    GetDocument()->RememberItem(GetMediaType(), m_list->currentItem()->text().toStdString());
}

bool CMediaPlaceholderView::IsCommandEnabled(int id) const
{
    const int row = m_list->currentRow();
    if (id == ID_NEXT_ITEM)
        return row + 1 < m_list->count();
    if (id == ID_PREVIOUS_ITEM)
        return row > 0;
    return false;
}

bool CMediaPlaceholderView::OnCommand(int id)
{
    int row = m_list->currentRow();
    if (id == ID_NEXT_ITEM) {
        if (row + 1 < m_list->count())
            m_list->setCurrentRow(row + 1);
        return true;
    }
    if (id == ID_PREVIOUS_ITEM) {
        if (row > 0)
            m_list->setCurrentRow(row - 1);
        return true;
    }
    return false;
}

QStringList CMediaPlaceholderView::ItemTexts() const
{
    QStringList texts;
    for (int i = 0; i < m_list->count(); ++i)
        texts << m_list->item(i)->text();
    return texts;
}

QString CMediaPlaceholderView::CurrentItemText() const
{
    return m_list->currentItem() ? m_list->currentItem()->text() : QString();
}
