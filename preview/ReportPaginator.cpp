#include "ReportPaginator.h"

#include <algorithm>

namespace {

constexpr double epsilon = 1e-6;

struct Entry {
    const ReportBand* band;
    int row;
    int group;
    bool keepWithNext;
};

std::vector<Entry> bodyEntries(const ReportTemplate& tmpl, const std::vector<GroupRange>& groups)
{
    const ReportBand* header = tmpl.band(BandKind::GroupHeader);
    const ReportBand* detail = tmpl.band(BandKind::Detail);
    const ReportBand* footer = tmpl.band(BandKind::GroupFooter);
    const ReportBand* summary = tmpl.band(BandKind::Summary);
    std::vector<Entry> entries;
    for (size_t g = 0; g < groups.size(); ++g) {
        int group = static_cast<int>(g);
        const GroupRange& range = groups[g];
        if (header)
            entries.push_back({header, range.firstRow, group, true});
        if (detail)
            for (int row = range.firstRow; row < range.endRow; ++row)
                entries.push_back({detail, row, group, row == range.endRow - 1 && footer});
        if (footer)
            entries.push_back({footer, range.firstRow, group, g + 1 == groups.size() && summary});
    }
    if (summary)
        entries.push_back({summary, -1, -1, false});
    return entries;
}

class Paginator {
public:
    Paginator(const ReportTemplate& tmpl, const std::vector<GroupRange>& groups, const ReportPaginator::BandHeight& height)
        : tmpl_(tmpl), groups_(groups), height_(height)
    {
        QSizeF page = tmpl.page.sizeMm();
        pageHeight_ = page.height();
        const ReportBand* footer = tmpl.band(BandKind::PageFooter);
        footerTop_ = pageHeight_ - tmpl.page.marginBottom - (footer ? height_(*footer, -1, -1) : 0);
    }

    std::vector<ReportPage> run(const std::vector<Entry>& entries)
    {
        startPage();
        for (size_t i = 0; i < entries.size(); ++i) {
            const Entry& entry = entries[i];
            double chain = 0;
            for (size_t j = i; j < entries.size(); ++j) {
                chain += heightOf(entries[j]);
                if (!entries[j].keepWithNext)
                    break;
            }
            if (contentOnPage_ && y_ + chain > footerTop_ + epsilon)
                startPage();
            if (!contentOnPage_ && entry.group >= 0 && entry.band->kind != BandKind::GroupHeader)
                repeatGroupHeader(entry.group);
            place(entry.band, heightOf(entry), entry.row, entry.group, false);
            contentOnPage_ = true;
        }
        finishPages();
        return std::move(pages_);
    }

private:
    double heightOf(const Entry& entry) { return height_(*entry.band, entry.row, entry.group); }

    void place(const ReportBand* band, double height, int row, int group, bool continued)
    {
        pages_.back().bands.push_back({band, y_, height, row, group, continued});
        y_ += height;
    }

    void startPage()
    {
        bool first = pages_.empty();
        pages_.emplace_back();
        y_ = tmpl_.page.marginTop;
        contentOnPage_ = false;
        const ReportBand* pageHeader = tmpl_.band(BandKind::PageHeader);
        double headerHeight = pageHeader ? height_(*pageHeader, -1, -1) : 0;
        if (first) {
            if (const ReportBand* title = tmpl_.band(BandKind::Title)) {
                // A title taller than the page is cut, never pushed over the page footer.
                double room = std::max(0.0, footerTop_ - y_ - headerHeight);
                place(title, std::min(height_(*title, -1, -1), room), -1, -1, false);
                contentOnPage_ = true;
            }
        }
        if (pageHeader)
            place(pageHeader, headerHeight, -1, -1, false);
    }

    void repeatGroupHeader(int group)
    {
        const ReportBand* header = tmpl_.band(BandKind::GroupHeader);
        if (header && header->repeatOnNewPage) {
            int row = groups_[group].firstRow;
            place(header, height_(*header, row, group), row, group, true);
        }
    }

    void finishPages()
    {
        const ReportBand* footer = tmpl_.band(BandKind::PageFooter);
        if (!footer)
            return;
        for (ReportPage& page : pages_)
            page.bands.push_back({footer, footerTop_, pageHeight_ - tmpl_.page.marginBottom - footerTop_, -1, -1, false});
    }

    const ReportTemplate& tmpl_;
    const std::vector<GroupRange>& groups_;
    const ReportPaginator::BandHeight& height_;
    std::vector<ReportPage> pages_;
    double pageHeight_ = 0;
    double footerTop_ = 0;
    double y_ = 0;
    bool contentOnPage_ = false;
};

}

namespace ReportPaginator {

std::vector<ReportPage> paginate(const ReportTemplate& tmpl, const std::vector<GroupRange>& groups,
                                 const BandHeight& bandHeight)
{
    return Paginator(tmpl, groups, bandHeight).run(bodyEntries(tmpl, groups));
}

}
