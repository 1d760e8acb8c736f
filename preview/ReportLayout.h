#pragma once
// The outcome of pagination: which band goes where on which page.

#include "ReportTemplate.h"

#include <vector>

// Rows [firstRow, endRow) of the detail data that share one value of the group field.
struct GroupRange {
    int firstRow = 0;
    int endRow = 0;
};

struct PlacedBand {
    const ReportBand* band = nullptr;
    double top = 0;      // millimetres from the paper's top edge
    double height = 0;
    int row = -1;        // the detail row whose fields the band shows; -1 for none
    int group = -1;      // the group whose aggregates the band shows; -1 for none
    bool continued = false; // a group header printed again on a following page
};

struct ReportPage {
    std::vector<PlacedBand> bands;
};
