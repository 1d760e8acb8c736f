#include "PageView.h"

#include "PageImage.h"

#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace {
constexpr int pageGap = 12; // grey space around the paper, in pixels
}

class PageView::Canvas : public QWidget {
public:
    explicit Canvas(PageView& view) : QWidget(&view), view_(view)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    void invalidate()
    {
        cache_ = QImage();
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Dark));
        qreal dpr = devicePixelRatioF();
        if (cache_.isNull() || cachePage_ != view_.page_ || cacheDpi_ != view_.dpi() || cache_.devicePixelRatio() != dpr) {
            cache_ = PageImage::render(view_.document_, view_.page_, view_.dpi(), dpr);
            cachePage_ = view_.page_;
            cacheDpi_ = view_.dpi();
        }
        QSize size = cache_.deviceIndependentSize().toSize();
        int x = std::max(pageGap, (width() - size.width()) / 2);
        QRect paper(QPoint(x, pageGap), size);
        painter.fillRect(paper.translated(3, 3), QColor(0, 0, 0, 70));
        painter.drawImage(paper.topLeft(), cache_);
        painter.setPen(QColor(120, 120, 120));
        painter.drawRect(paper.adjusted(-1, -1, 0, 0));
        view_.painted_ = true;
    }

private:
    PageView& view_;
    QImage cache_;
    int cachePage_ = -1;
    double cacheDpi_ = 0;
};

PageView::PageView(const ReportDocument& document, QWidget* parent)
    : QScrollArea(parent), document_(document), canvas_(new Canvas(*this))
{
    setWidget(canvas_);
    setWidgetResizable(false);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setBackgroundRole(QPalette::Dark);
    setFocusPolicy(Qt::StrongFocus);
    updateCanvasSize();
}

double PageView::dpi() const
{
    return logicalDpiX() * zoom_;
}

void PageView::setPage(int page)
{
    page = std::clamp(page, 0, std::max(0, document_.pageCount() - 1));
    if (page == page_)
        return;
    page_ = page;
    verticalScrollBar()->setValue(0);
    canvas_->invalidate();
}

void PageView::setZoom(double zoom)
{
    fit_ = Fit::None;
    applyZoom(zoom);
}

void PageView::applyZoom(double zoom)
{
    zoom = std::clamp(zoom, minZoom, maxZoom);
    if (zoom == zoom_)
        return;
    zoom_ = zoom;
    updateCanvasSize();
    canvas_->invalidate();
    if (zoomChanged_)
        zoomChanged_();
}

void PageView::setFit(Fit fit)
{
    fit_ = fit;
    if (fit == Fit::Width)
        applyZoom(fitWidthZoom());
    else if (fit == Fit::Page)
        applyZoom(fitPageZoom());
}

void PageView::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    setFit(fit_);
}

void PageView::updateCanvasSize()
{
    QSize size = PageImage::sizeAt(document_, dpi());
    canvas_->resize(size + QSize(2 * pageGap, 2 * pageGap));
}

double PageView::fitWidthZoom() const
{
    QSizeF mm = document_.pageSizeMm();
    double available = viewport()->width() - 2 * pageGap - 4;
    // A vertical scroll bar will be needed once the page is that wide.
    available -= verticalScrollBar()->sizeHint().width();
    return std::clamp(available / (mm.width() / 25.4 * logicalDpiX()), minZoom, maxZoom);
}

double PageView::fitPageZoom() const
{
    QSizeF mm = document_.pageSizeMm();
    double byWidth = (viewport()->width() - 2 * pageGap - 4) / (mm.width() / 25.4 * logicalDpiX());
    double byHeight = (viewport()->height() - 2 * pageGap - 4) / (mm.height() / 25.4 * logicalDpiX());
    return std::clamp(std::min(byWidth, byHeight), minZoom, maxZoom);
}
