#pragma once
// The scrolling view of one report page at a zoom factor (1.0 = the paper's real size on a
// screen of the widget's logical resolution).

#include "ReportDocument.h"

#include <QImage>
#include <QScrollArea>

#include <functional>

class PageView : public QScrollArea {
public:
    PageView(const ReportDocument& document, QWidget* parent = nullptr);

    int page() const { return page_; }
    void setPage(int page);
    double zoom() const { return zoom_; }
    void setZoom(double zoom);
    // Fit width or fit page keeps the zoom fitted as the view is resized; setZoom ends it.
    enum class Fit { None, Width, Page };
    void setFit(Fit fit);
    Fit fit() const { return fit_; }
    // Called whenever the zoom changes (by fitting too).
    void setZoomChanged(std::function<void()> callback) { zoomChanged_ = std::move(callback); }
    // Whether a page has been drawn on the screen yet.
    bool hasPainted() const { return painted_; }

    static constexpr double minZoom = 0.1;
    static constexpr double maxZoom = 8.0;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    class Canvas;
    double fitWidthZoom() const;
    double fitPageZoom() const;
    void applyZoom(double zoom);
    double dpi() const;
    void updateCanvasSize();

    const ReportDocument& document_;
    Canvas* canvas_;
    int page_ = 0;
    double zoom_ = 1.0;
    bool painted_ = false;
    Fit fit_ = Fit::None;
    std::function<void()> zoomChanged_;
};
