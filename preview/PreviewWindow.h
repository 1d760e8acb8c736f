#pragma once
// The modal preview window: one page at a time with zoom, page navigation, thumbnails,
// printing and export to PDF and CSV.
//
// Keys: Page Up / Page Down previous and next page, Home / End first and last page,
// Ctrl+P print, Ctrl+plus / Ctrl+minus zoom, Esc closes.

#include "ReportDocument.h"

#include "PageView.h"

#include <QDialog>

class QLabel;
class QListView;
class QSpinBox;

class PreviewWindow : public QDialog {
public:
    explicit PreviewWindow(const ReportDocument& document, QWidget* parent = nullptr);

    void showPage(int page);
    int currentPage() const;
    void zoomIn();
    void zoomOut();
    void setFit(PageView::Fit fit);
    double zoom() const;
    PageView* pageView() const { return view_; }

    void print();
    void exportPdf();
    void exportCsv();

private:
    void buildToolBar(class QToolBar* bar);
    void refreshState();
    QString suggestedPath(const QString& suffix) const;

    const ReportDocument& document_;
    PageView* view_ = nullptr;
    QListView* thumbnails_ = nullptr;
    QSpinBox* pageBox_ = nullptr;
    QLabel* zoomLabel_ = nullptr;
    QLabel* status_ = nullptr;
    bool syncing_ = false;
};
