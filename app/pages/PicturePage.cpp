#include "app/pages/PicturePage.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/MessageBox.h"
#include "app/doc/VemoLibraryDoc.h"
#include "app/pages/PageSupport.h"
#include "data/model/MediaItem.h"
#include "data/model/ReportProperties.h"

using namespace PageSupport;

namespace {

constexpr int kPreviewSize = 180;
constexpr int kMaxReportSize = 10000;

} // namespace

QString CPicturePage::FileFilter()
{
    return "Pictures (*.jpg *.jpeg *.png *.gif *.bmp *.webp);;All files (*)";
}

CPicturePage::CPicturePage(CVemoLibraryDoc* doc, int mediaType, QWidget* parent)
    : CItemPage(doc, parent)
    , m_mediaType(mediaType)
    , m_preview(new QLabel(this))
    , m_info(new QLabel(this))
    , m_file(new QLineEdit(this))
    , m_browse(new QPushButton("Bro&wse...", this))
    , m_remove(new QPushButton("Re&move", this))
    , m_actualSize(new QPushButton("Actual Si&ze", this))
    , m_width(new QSpinBox(this))
    , m_height(new QSpinBox(this))
{
    m_preview->setFixedSize(kPreviewSize + 4, kPreviewSize + 4);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setFrameShape(QFrame::StyledPanel);
    m_preview->setWordWrap(true);
    m_preview->setAccessibleName("Picture");
    m_info->setWordWrap(true);
    m_file->setReadOnly(true);
    m_file->setAccessibleName("Picture file");
    for (QSpinBox* size : { m_width, m_height }) {
        size->setRange(0, kMaxReportSize);
        size->setSuffix(" px");
        size->setKeyboardTracking(false);
        connect(size, &QSpinBox::valueChanged, this, &CPicturePage::StoreSize);
    }
    m_width->setAccessibleName("Width");
    m_height->setAccessibleName("Height");
    m_actualSize->setToolTip("Show the picture in reports at its own size");
    connect(m_browse, &QPushButton::clicked, this, &CPicturePage::Browse);
    connect(m_remove, &QPushButton::clicked, this, &CPicturePage::RemovePicture);
    connect(m_actualSize, &QPushButton::clicked, this, [this] {
        if (!m_pictureSize.isValid())
            return;
        m_width->setValue(m_pictureSize.width());
        m_height->setValue(m_pictureSize.height());
    });

    auto* fileButtons = new QHBoxLayout;
    fileButtons->addWidget(m_browse);
    fileButtons->addWidget(m_remove);
    fileButtons->addStretch();
    auto* size = new QHBoxLayout;
    size->addWidget(m_width);
    size->addWidget(new QLabel("x", this));
    size->addWidget(m_height);
    size->addWidget(m_actualSize);
    size->addStretch();
    auto* sizeLabel = new QLabel("&Size in reports:", this);
    sizeLabel->setBuddy(m_width);
    auto* form = new QFormLayout;
    form->addRow("&File:", m_file);
    form->addRow(QString(), fileButtons);
    form->addRow(sizeLabel, size);
    form->addRow(QString(), m_info);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_preview, 0, Qt::AlignTop);
    layout->addLayout(form, 1);
    SetItem(nullptr);
}

void CPicturePage::SetItem(CMediaItem* item)
{
    m_item = item && item->GetReportProperties() ? item : nullptr;
    setEnabled(m_item != nullptr);
    ShowPicture();
}

void CPicturePage::TakeOver()
{
    for (QSpinBox* size : { m_width, m_height })
        if (size->hasFocus())
            size->interpretText();
}

bool CPicturePage::Browse()
{
    if (!m_item)
        return false;
    CVemoLibraryDoc* doc = GetDocument();
    const QString dir = doc ? Q(doc->GetImageDir(m_mediaType)) : QString();
    const QString path = QFileDialog::getOpenFileName(this, "Choose Picture", dir, FileFilter());
    return !path.isEmpty() && ChoosePicture(path);
}

bool CPicturePage::ChoosePicture(const QString& path)
{
    CReportProperties* properties = m_item ? m_item->GetReportProperties() : nullptr;
    if (!properties)
        return false;
    QImageReader reader(path);
    const QSize size = reader.size();
    if (!reader.canRead() || !size.isValid()) {
        CMessageBox::Warn(this, "Picture",
            QString("VemoLibrary cannot read the picture \"%1\". A picture must be a JPEG, PNG, GIF, BMP or WebP "
                    "file.")
                .arg(path));
        return false;
    }
    const QSize proposed = size.width() > PROPOSED_MAX || size.height() > PROPOSED_MAX
        ? size.scaled(PROPOSED_MAX, PROPOSED_MAX, Qt::KeepAspectRatio)
        : size;
    properties->SetImageFile(CText(QFileInfo(path).absoluteFilePath()));
    properties->SetImageWidth(proposed.width());
    properties->SetImageHeight(proposed.height());
    if (CVemoLibraryDoc* doc = GetDocument()) {
        doc->RememberImageDir(m_mediaType, CText(QFileInfo(path).absolutePath() + "/"));
        doc->MarkItemModified(m_item);
    }
    ShowPicture();
    emit ItemChanged();
    return true;
}

bool CPicturePage::RemovePicture()
{
    CReportProperties* properties = m_item ? m_item->GetReportProperties() : nullptr;
    if (!properties || properties->GetImageFile().empty())
        return false;
    *properties = CReportProperties();
    if (CVemoLibraryDoc* doc = GetDocument())
        doc->MarkItemModified(m_item);
    ShowPicture();
    emit ItemChanged();
    return true;
}

void CPicturePage::StoreSize()
{
    CReportProperties* properties = m_item ? m_item->GetReportProperties() : nullptr;
    if (m_showing || !properties)
        return;
    if (properties->GetImageWidth() == m_width->value() && properties->GetImageHeight() == m_height->value())
        return;
    properties->SetImageWidth(m_width->value());
    properties->SetImageHeight(m_height->value());
    emit ItemChanged();
}

QString CPicturePage::GetStateText() const
{
    return m_preview->pixmap().isNull() ? m_preview->text() : QString();
}

bool CPicturePage::IsPictureShown() const
{
    return !m_preview->pixmap().isNull();
}

void CPicturePage::ShowPicture()
{
    const CReportProperties* properties = m_item ? m_item->GetReportProperties() : nullptr;
    const QString path = properties ? Q(properties->GetImageFile()) : QString();
    m_showing = true;
    m_file->setText(path);
    m_width->setValue(properties ? properties->GetImageWidth() : 0);
    m_height->setValue(properties ? properties->GetImageHeight() : 0);
    m_showing = false;
    m_pictureSize = QSize();
    m_preview->clear();
    m_preview->setStyleSheet(QString());
    m_info->clear();

    QString problem;
    if (path.isEmpty()) {
        m_preview->setText("No picture");
    } else if (!QFileInfo(path).isFile()) {
        problem = "Picture not found";
        m_info->setText("The file is not there any more. Browse for it again, or remove it.");
    } else {
        QImageReader reader(path);
        reader.setAutoTransform(true);
        m_pictureSize = reader.size();
        if (m_pictureSize.isValid())
            reader.setScaledSize(
                m_pictureSize.scaled(kPreviewSize, kPreviewSize, Qt::KeepAspectRatio).boundedTo(m_pictureSize));
        const QString format = QString::fromLatin1(reader.format()).toUpper();
        const QImage image = reader.read();
        if (image.isNull()) {
            m_pictureSize = QSize();
            problem = "Picture cannot be read";
            m_info->setText(reader.errorString());
        } else {
            m_preview->setPixmap(QPixmap::fromImage(image));
            m_info->setText(
                QString("%1 x %2 pixels, %3").arg(m_pictureSize.width()).arg(m_pictureSize.height()).arg(format));
        }
    }
    if (!problem.isEmpty()) {
        m_preview->setText(problem);
        m_preview->setStyleSheet("color: #C00000;");
    }
    m_remove->setEnabled(!path.isEmpty());
    m_actualSize->setEnabled(m_pictureSize.isValid());
    for (QSpinBox* size : { m_width, m_height })
        size->setEnabled(!path.isEmpty());
}
