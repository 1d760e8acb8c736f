#pragma once
// States of a dataset and the notices a dataset sends through its data sources to the data
// links of the controls bound to it.

enum class TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

inline bool isEditingState(TDataSetState state)
{
    return state == TDataSetState::dsEdit || state == TDataSetState::dsInsert;
}

enum class TDataEvent {
    UpdateState,      // the state changed (opened, closed, editing began or ended)
    DataSetChange,    // the rows or the position changed in a way that needs a full redraw
    DataSetScroll,    // the current record moved; info = records moved (positive = forward)
    RecordChange,     // the current record's data changed; field = the field, or none for all
    FieldChange,      // one field of the current record got a value
    LayoutChange,     // the fields changed (label, width, visibility)
    UpdateRecord,     // controls must write their pending text into their fields now
    CheckBrowseMode,  // the dataset is about to leave editing (post or cancel)
};
