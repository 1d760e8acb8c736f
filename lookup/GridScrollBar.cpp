#include "GridScrollBar.h"

#include <algorithm>

namespace GridScrollBar {

Info compute(const DataState& state, int visibleRows, int previousPosition)
{
    Info info;
    if (state.numbersRecords) {
        info.min = 1;
        info.max = state.recordCount + visibleRows - 1;
        info.page = visibleRows;
        info.position = state.inserting ? previousPosition : state.recNo;
    } else {
        info.min = 0;
        info.max = 4;
        info.page = 0;
        info.position = state.bof ? 0 : state.eof ? 4 : 2;
    }
    // A range of one step or less: the thumb fills the bar.
    if (info.max - info.min <= 1) {
        info.min = 1;
        info.max = 1001;
        info.page = 1000;
    }
    return info;
}

int lastPosition(const Info& info)
{
    return info.max - std::max(info.page - 1, 0);
}

ThumbMove thumbMove(int position)
{
    switch (position) {
    case 0: return ThumbMove::First;
    case 1: return ThumbMove::PageBack;
    case 3: return ThumbMove::PageOn;
    case 4: return ThumbMove::Last;
    default: return ThumbMove::Stay;
    }
}

}
