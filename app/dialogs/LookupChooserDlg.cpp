#include "app/dialogs/LookupChooserDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/QtText.h"
#include "data/model/MediaUtils.h"

using U = CMediaUtils;

namespace {

// The values of the first properties that have one, joined.
QString Joined(const CLookupCandidate& candidate, std::initializer_list<const CString*> props)
{
    QStringList parts;
    for (const CString* prop : props)
        if (const CString value = candidate.Value(*prop); !value.empty())
            parts << Q(value);
    return parts.join(", ");
}

} // namespace

QStringList CLookupChooserDlg::Columns(const CLookupCandidate& candidate)
{
    QString people = Joined(candidate, { &U::MEDIA_PROP_AUTHOR, &U::MEDIA_PROP_COAUTHOR });
    if (people.isEmpty())
        people = Joined(candidate, { &U::MEDIA_PROP_ARTIST });
    if (people.isEmpty())
        people = Joined(candidate, { &U::MEDIA_PROP_DIRECTOR, &U::MEDIA_PROP_LEADACTOR });
    return { Q(candidate.Value(U::MEDIA_PROP_TITLE)), people, Q(candidate.Value(U::MEDIA_PROP_YEAR)),
        Q(candidate.Value(U::MEDIA_PROP_PUBLISHER)), Q(candidate.format), Q(candidate.sourceName) };
}

CLookupChooserDlg::CLookupChooserDlg(
    const std::vector<CLookupCandidate>& candidates, const QString& what, QWidget* parent)
    : QDialog(parent)
    , m_list(new QTreeWidget(this))
    , m_replace(new QCheckBox("&Replace", this))
{
    setWindowTitle("Look up");
    auto* intro = new QLabel(QString("Found for %1 - choose what fills the item:").arg(what), this);
    intro->setWordWrap(true);
    intro->setBuddy(m_list);

    m_list->setObjectName("candidates");
    m_list->setAccessibleName("Candidates");
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setIconSize(QSize(COVER_SIZE, COVER_SIZE));
    m_list->setHeaderLabels({ "Title", "People", "Year", "Publisher or label", "Format", "Source" });
    for (const CLookupCandidate& candidate : candidates) {
        auto* row = new QTreeWidgetItem(m_list, Columns(candidate));
        // Room for the cover before it comes.
        row->setSizeHint(0, QSize(COVER_SIZE * 3, COVER_SIZE + 4));
        row->setToolTip(0, Q(candidate.Describe()));
    }
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < m_list->columnCount(); ++column)
        m_list->resizeColumnToContents(column);
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));

    m_replace->setToolTip("Fill every field the service answered, not only the empty ones");

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_fill = buttons->button(QDialogButtonBox::Ok);
    m_fill->setText("&Fill");
    m_fill->setEnabled(Chosen() >= 0);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this] { m_fill->setEnabled(Chosen() >= 0); });
    connect(m_list, &QTreeWidget::itemActivated, this, [this] { accept(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_replace);
    layout->addWidget(buttons);
    resize(760, 420);
}

int CLookupChooserDlg::Chosen() const
{
    QTreeWidgetItem* current = m_list->currentItem();
    return current ? m_list->indexOfTopLevelItem(current) : -1;
}

void CLookupChooserDlg::Choose(int row)
{
    if (QTreeWidgetItem* item = m_list->topLevelItem(row))
        m_list->setCurrentItem(item);
}

bool CLookupChooserDlg::Replace() const
{
    return m_replace->isChecked();
}

void CLookupChooserDlg::SetReplace(bool replace)
{
    m_replace->setChecked(replace);
}

void CLookupChooserDlg::SetCover(int row, const QByteArray& bytes)
{
    QTreeWidgetItem* item = m_list->topLevelItem(row);
    QImage image;
    if (!item || !image.loadFromData(bytes) || image.isNull())
        return;
    const QImage scaled = image.scaled(COVER_SIZE, COVER_SIZE, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    item->setIcon(0, QIcon(QPixmap::fromImage(scaled)));
}
