#pragma once
// Pagination, computed once for the whole report before any page is drawn, so that the page
// count and the totals are known on every page.
//
// Rules: the title opens the first page; the page header tops every page and the page footer
// closes it; a group header always keeps its first detail line with it and the group footer
// keeps the group's last detail line, so neither is left alone at a page end; the last group
// footer keeps the summary with it; a group that goes on over a page break gets its header
// again (marked as continued) when the template asks for it.

#include "ReportLayout.h"

#include <functional>
#include <vector>

namespace ReportPaginator {

// Height in millimetres of a band instance (bands that can grow measure their texts).
using BandHeight = std::function<double(const ReportBand& band, int row, int group)>;

std::vector<ReportPage> paginate(const ReportTemplate& tmpl, const std::vector<GroupRange>& groups,
                                 const BandHeight& bandHeight);

// Splits rows into runs of equal group keys; without a group field, one group of all rows
// (none when there are no rows).
template <typename SameGroup>
std::vector<GroupRange> groupRows(int rowCount, bool grouped, SameGroup sameGroup)
{
    std::vector<GroupRange> groups;
    for (int row = 0; row < rowCount; ++row) {
        if (groups.empty() || (grouped && !sameGroup(groups.back().firstRow, row)))
            groups.push_back({row, row + 1});
        else
            groups.back().endRow = row + 1;
    }
    return groups;
}

}
