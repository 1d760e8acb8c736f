#pragma once
// The scrolling view of one report page at a zoom factor (1.0 = the paper's real size on a
// screen of the widget's logical resolution).

#include "ReportDocument.h"

#include <QImage>
#include <QScrollArea>

class PageView : public QScrollArea {
public:
    PageView(const ReportDocument& document, QWidget* parent = nullptr);

    int page() const { return page_; }
    void setPage(int page);
    double zoom() const { return zoom_; }
    void setZoom(double zoom);
    // The zoom that makes the page as wide as the view, or fit in it entirely.
    double fitWidthZoom() const;
    double fitPageZoom() const;
    // Whether a page has been drawn on the screen yet.
    bool hasPainted() const { return painted_; }

    static constexpr double minZoom = 0.1;
    static constexpr double maxZoom = 8.0;

private:
    class Canvas;
    double dpi() const;
    void updateCanvasSize();

    const ReportDocument& document_;
    Canvas* canvas_;
    int page_ = 0;
    double zoom_ = 1.0;
    bool painted_ = false;
};
