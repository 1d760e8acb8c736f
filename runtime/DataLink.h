#pragma once
// The link between a control and a data source. It tells the control, through the virtual
// notices below, when the dataset opens or closes, scrolls, changes its data or layout, or
// begins or ends editing. It keeps a window of BufferCount records around the current
// one, so that a grid holds only its visible rows: ActiveRecord is the current record's
// position in that window, and dataSetScrolled reports how far the window moved.

#include "DataSetState.h"

class TDataSet;
class TDataSource;
class TField;

class TDataLink {
public:
    TDataLink() = default;
    virtual ~TDataLink();
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;

    TDataSource* dataSource() const { return dataSource_; }
    void setDataSource(TDataSource* source);
    TDataSet* dataSet() const;
    // A data source with an open dataset.
    bool active() const { return active_; }
    // The dataset is in edit or insert state (and the link is not read-only).
    bool editing() const { return editing_; }
    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly);

    int bufferCount() const { return bufferCount_; }
    void setBufferCount(int count);
    // Records in the window (at most bufferCount).
    int recordCount() const;
    // The current record's position in the window; setting it makes the dataset's fields
    // read that record of the window until it is set back.
    int activeRecord() const;
    void setActiveRecord(int index);

    // Puts the dataset into edit state (inserting on an empty one) unless read-only or
    // not allowed by the data source; returns editing().
    bool edit();
    // Writes this link's pending control data into its field (also run by the dataset
    // before it posts).
    void updateRecord();

    // From the data source.
    void dataEvent(TDataEvent event, TField* field, int info);
    void dataSourceDestroyed() { dataSource_ = nullptr; refreshState(); }

protected:
    virtual void activeChanged() {}
    virtual void dataSetChanged() {}
    virtual void dataSetScrolled(int /*distance*/) {}
    virtual void recordChanged(TField* /*field*/) {}
    virtual void editingChanged() {}
    virtual void layoutChanged() {}
    virtual void checkBrowseMode() {}
    virtual void updateData() {}

private:
    void refreshState();
    // Moves the window so that it holds the current record; returns how far it moved.
    int syncWindow();

    TDataSource* dataSource_ = nullptr;
    bool active_ = false;
    bool editing_ = false;
    bool readOnly_ = false;
    bool updating_ = false;
    int bufferCount_ = 1;
    int firstRecord_ = 0; // display index of the window's first record
};
