#pragma once
// The grid's vertical scroll bar, in the windowing system's terms: a range min..max that
// includes the page (the last position is max − page + 1), a page and a position.

namespace GridScrollBar {

struct Info {
    int min = 0;
    int max = 0;
    int page = 0;
    int position = 0;
    bool operator==(const Info&) const = default;
};

struct DataState {
    bool numbersRecords = true;  // the dataset numbers its records (client datasets do)
    int recordCount = 0;
    int recNo = 0;               // 1-based; ignored in insert state
    bool inserting = false;
    bool bof = false;
    bool eof = false;
};

// `previousPosition` is kept while inserting.
Info compute(const DataState& state, int visibleRows, int previousPosition);

// The highest position the thumb can take: max − page + 1, or max without a page.
int lastPosition(const Info& info);

// Where dragging the thumb to `position` goes in a dataset that does not number its
// records: the first record, a page back, nowhere, a page on, the last record.
enum class ThumbMove { First, PageBack, Stay, PageOn, Last };
ThumbMove thumbMove(int position);

}
