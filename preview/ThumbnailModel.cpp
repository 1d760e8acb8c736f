#include "ThumbnailModel.h"

#include "PageImage.h"

#include <QPainter>

ThumbnailModel::ThumbnailModel(const ReportDocument& document, QSize thumbnailSize, QObject* parent)
    : QAbstractListModel(parent), document_(document), size_(thumbnailSize), cache_(document.pageCount())
{
}

int ThumbnailModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : document_.pageCount();
}

QVariant ThumbnailModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= document_.pageCount())
        return {};
    int page = index.row();
    switch (role) {
    case Qt::DisplayRole:
        return QString::number(page + 1);
    case Qt::ToolTipRole:
        return QStringLiteral("第 %1 頁").arg(page + 1);
    case Qt::DecorationRole: {
        if (cache_[page].isNull()) {
            QSizeF mm = document_.pageSizeMm();
            double dpi = std::min(size_.width() / (mm.width() / 25.4), size_.height() / (mm.height() / 25.4));
            QImage image = PageImage::render(document_, page, dpi);
            // A thin frame so that white pages stand out from the list's background.
            QPainter painter(&image);
            painter.setPen(QColor(150, 150, 150));
            painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
            painter.end();
            cache_[page] = QPixmap::fromImage(image);
        }
        return cache_[page];
    }
    default:
        return {};
    }
}
