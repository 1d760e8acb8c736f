#pragma once
// The dataset: a table of records held in memory with a current record, a state
// (inactive, browse, edit, insert) and fields, bound to controls through data sources.
//
// Position flags follow the usual cursor rules: bof() is true after open() and first() and
// after a move that hit the first record from behind; eof() likewise at the end. Both are
// true on an empty open dataset.
//
// Notices to data links (through every data source of the dataset), per operation:
//   open, close                 UpdateState (active changed)
//   first, last, refresh        DataSetChange
//   next, prior, moveBy         DataSetScroll(records moved), also when a move hit an end
//   edit                        UpdateState (editing changed), RecordChange
//   insert, append              UpdateState, DataSetChange
//   post                        UpdateRecord (controls write pending text), UpdateState, DataSetChange
//   cancel, delete              UpdateState (when editing ended), DataSetChange
//   a field value set           FieldChange(field)
//   label, width, visibility    LayoutChange
// Every move and refresh first leaves editing: pending control text is written, and the
// record is posted when it was changed, else cancelled.

#include "Component.h"
#include "DataPacket.h"
#include "DataSetState.h"

#include <memory>
#include <string>
#include <vector>

class TField;
class TDataSource;

class TDataSet : public TComponent {
public:
    explicit TDataSet(TComponent* owner = nullptr);
    ~TDataSet() override;
    const char* className() const noexcept override { return "TDataSet"; }

    // --- opening and closing
    void open();
    void close();
    bool active() const { return state_ != TDataSetState::dsInactive; }
    void setActive(bool value) { value ? open() : close(); }
    TDataSetState state() const { return state_; }

    // --- fields
    int fieldCount() const { return static_cast<int>(fields_.size()); }
    TField* field(int index) const;
    TField* findField(const std::string& name) const;
    // Fails with EDatabaseError "Field '%s' not found".
    TField* fieldByName(const std::string& name) const;

    // --- navigation
    void first();
    void last();
    void next() { moveBy(1); }
    void prior() { moveBy(-1); }
    // Moves by up to `distance` records and returns how far it moved (negative = back).
    int moveBy(int distance);
    bool bof() const { return bof_; }
    bool eof() const { return eof_; }
    // 1-based number of the current record; 0 when there is none.
    int recNo() const;
    void setRecNo(int recNo);
    // Posted records (a record being inserted is not counted until posted).
    int recordCount() const { return static_cast<int>(rows_.size()); }
    // Whether recNo() and recordCount() number the records (scroll bars scale by them).
    // Every dataset held in memory does; a forward-reading cursor would not.
    virtual bool isSequenced() const { return true; }
    bool isEmpty() const;

    // --- editing
    virtual bool canModify() const { return active() && !readOnly_; }
    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    void insert();
    void append();
    // Edits the current record; on an empty dataset inserts a new one instead.
    void edit();
    void post();
    void cancel();
    void deleteRecord();
    void refresh();
    // Leaves editing: writes pending control text, posts a changed record, cancels another.
    void checkBrowseMode();
    bool modified() const { return modified_; }

    // --- for fields and data links
    // The record that fields read and write: the current one, unless a data link shows
    // another of its buffered records (setDisplayRecord).
    Variant activeValue(int fieldIndex) const;
    void setActiveValue(TField* field, const Variant& value);
    // Records as the bound controls see them: posted rows plus the record being inserted.
    int displayCount() const;
    int displayCurrent() const;
    // -1 returns to the current record.
    void setDisplayRecord(int index) { displayRecord_ = index; }
    void dataEvent(TDataEvent event, TField* field = nullptr, int info = 0);
    void fieldLayoutChanged();

    void addDataSource(TDataSource* source);
    void removeDataSource(TDataSource* source);

protected:
    // Fills the dataset when it opens: the field descriptions and rows. Throws on failure;
    // the dataset then stays closed.
    virtual DataPacket internalOpen() = 0;
    // Called after the dataset closed, with the posted rows it held.
    virtual void internalClose(DataPacket&& /*rows*/) {}
    // Fetches the rows again for refresh(); the default keeps the rows as they are.
    virtual bool internalRefresh(DataPacket& /*packet*/) { return false; }

    // Persistent fields: when present, the dataset shows exactly these, taking their values
    // from the columns of the same name and ignoring all other columns.
    TField* addPersistentField(const FieldDesc& desc);
    bool hasPersistentFields() const { return persistent_; }
    // The dataset's content as a packet (field descriptions and posted rows).
    DataPacket packet() const;
    void checkActive() const;
    void checkInactive() const;

private:
    void bindFields(DataPacket& data);
    std::vector<DataRow> matchRows(DataPacket& data) const;
    void setState(TDataSetState state);
    void checkCanModify() const;
    void beginInsert(size_t position);
    void resetPosition();
    DataRow& activeRow();
    const DataRow* displayRow() const;
    void dropEditing();

    std::vector<std::unique_ptr<TField>> fields_;
    bool persistent_ = false;
    std::vector<DataRow> rows_;
    std::vector<TDataSource*> dataSources_;
    TDataSetState state_ = TDataSetState::dsInactive;
    int current_ = -1;          // index into rows_, -1 when empty
    size_t insertAt_ = 0;       // where the record being inserted goes
    DataRow editBuffer_;
    bool modified_ = false;
    bool bof_ = true;
    bool eof_ = true;
    bool readOnly_ = false;
    int displayRecord_ = -1;
};
