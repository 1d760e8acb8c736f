#pragma once
// Page thumbnails for the preview's side list. Each is drawn the first time the list asks
// for it, so a long report opens as fast as a short one.

#include "ReportDocument.h"

#include <QAbstractListModel>
#include <QPixmap>
#include <vector>

class ThumbnailModel : public QAbstractListModel {
public:
    ThumbnailModel(const ReportDocument& document, QSize thumbnailSize, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    QSize thumbnailSize() const { return size_; }

private:
    const ReportDocument& document_;
    QSize size_;
    mutable std::vector<QPixmap> cache_;
};
