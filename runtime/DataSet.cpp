#include "DataSet.h"

#include "DataSource.h"
#include "Exception.h"
#include "Field.h"

#include <algorithm>

TDataSet::TDataSet(TComponent* owner) : TComponent(owner) {}

TDataSet::~TDataSet()
{
    // Every data source bound to this dataset is left without one, so that no control keeps
    // a pointer to a freed dataset.
    while (!dataSources_.empty())
        dataSources_.back()->setDataSet(nullptr);
}

// ---------------------------------------------------------------- opening and closing

void TDataSet::open()
{
    if (active())
        return;
    DataPacket data = internalOpen();
    bindFields(data); // may fail (a persistent field without its column): stays closed
    rows_ = std::move(data.rows);
    editBuffer_.clear();
    modified_ = false;
    displayRecord_ = -1;
    resetPosition();
    setState(TDataSetState::dsBrowse);
}

void TDataSet::close()
{
    if (!active())
        return;
    // A record being inserted or edited is discarded; posted rows go to internalClose.
    dropEditing();
    DataPacket kept = packet();
    rows_.clear();
    current_ = -1;
    bof_ = eof_ = true;
    displayRecord_ = -1;
    setState(TDataSetState::dsInactive);
    internalClose(std::move(kept));
}

void TDataSet::bindFields(DataPacket& data)
{
    if (!persistent_) {
        std::vector<FieldDesc> current;
        for (const auto& f : fields_)
            current.push_back(f->desc());
        // The same columns as before keep their fields (and the labels and widths set on them).
        if (current != data.fields) {
            fields_.clear();
            for (const FieldDesc& desc : data.fields)
                fields_.push_back(std::make_unique<TField>(this, desc));
        }
    }
    data.rows = matchRows(data);
    data.fields.clear();
    for (const auto& f : fields_)
        data.fields.push_back(f->desc());
}

std::vector<DataRow> TDataSet::matchRows(DataPacket& data) const
{
    std::vector<int> columns;
    bool samePositions = data.fields.size() == fields_.size();
    for (size_t i = 0; i < fields_.size(); ++i) {
        if (samePositions && data.fields[i].name == fields_[i]->fieldName()) {
            columns.push_back(static_cast<int>(i));
            continue;
        }
        samePositions = false;
        // Persistent fields pick their columns by name; every other column is dropped.
        int column = data.indexOf(fields_[i]->fieldName());
        if (column < 0)
            throw EDatabaseError(formatMessage(Msg::FieldNotFound, fields_[i]->fieldName()));
        columns.push_back(column);
    }
    std::vector<DataRow> rows;
    rows.reserve(data.rows.size());
    for (DataRow& row : data.rows) {
        DataRow projected(fields_.size());
        for (size_t i = 0; i < columns.size(); ++i)
            if (size_t(columns[i]) < row.size())
                projected[i] = std::move(row[size_t(columns[i])]);
        rows.push_back(std::move(projected));
    }
    return rows;
}

TField* TDataSet::addPersistentField(const FieldDesc& desc)
{
    checkInactive();
    if (!persistent_) {
        fields_.clear();
        persistent_ = true;
    }
    if (findField(desc.name))
        throw EDatabaseError(formatMessage("Duplicate field name '%s'", desc.name));
    fields_.push_back(std::make_unique<TField>(this, desc));
    return fields_.back().get();
}

DataPacket TDataSet::packet() const
{
    DataPacket p;
    for (const auto& f : fields_)
        p.fields.push_back(f->desc());
    p.rows = rows_;
    return p;
}

void TDataSet::checkActive() const
{
    if (!active())
        throw EDatabaseError("Cannot perform this operation on a closed dataset");
}

void TDataSet::checkInactive() const
{
    if (active())
        throw EDatabaseError("Cannot perform this operation on an open dataset");
}

void TDataSet::checkCanModify() const
{
    if (!canModify())
        throw EDatabaseError("Cannot modify a read-only dataset");
}

void TDataSet::setState(TDataSetState state)
{
    if (state == state_)
        return;
    state_ = state;
    dataEvent(TDataEvent::UpdateState);
}

void TDataSet::resetPosition()
{
    current_ = rows_.empty() ? -1 : 0;
    bof_ = true;
    eof_ = rows_.empty();
}

void TDataSet::dropEditing()
{
    editBuffer_.clear();
    modified_ = false;
}

// ---------------------------------------------------------------- fields

TField* TDataSet::field(int index) const
{
    if (index < 0 || index >= fieldCount())
        throw EDatabaseError("Field index out of range");
    return fields_[size_t(index)].get();
}

TField* TDataSet::findField(const std::string& name) const
{
    for (const auto& f : fields_)
        if (f->fieldName() == name)
            return f.get();
    DataPacket names;
    for (const auto& f : fields_)
        names.fields.push_back(f->desc());
    int i = names.indexOf(name); // falls back to a case-insensitive match
    return i < 0 ? nullptr : fields_[size_t(i)].get();
}

TField* TDataSet::fieldByName(const std::string& name) const
{
    TField* f = findField(name);
    if (!f)
        throw EDatabaseError(formatMessage(Msg::FieldNotFound, name));
    return f;
}

// ---------------------------------------------------------------- navigation

void TDataSet::first()
{
    checkBrowseMode();
    current_ = rows_.empty() ? -1 : 0;
    bof_ = true;
    eof_ = rows_.empty();
    dataEvent(TDataEvent::DataSetChange);
}

void TDataSet::last()
{
    checkBrowseMode();
    current_ = static_cast<int>(rows_.size()) - 1;
    eof_ = true;
    bof_ = rows_.empty();
    dataEvent(TDataEvent::DataSetChange);
}

int TDataSet::moveBy(int distance)
{
    checkBrowseMode();
    if (distance == 0 || (distance > 0 && eof_) || (distance < 0 && bof_))
        return 0;
    if (rows_.empty()) {
        bof_ = eof_ = true;
        return 0;
    }
    bof_ = eof_ = false;
    const long long last = static_cast<long long>(rows_.size()) - 1;
    long long target = static_cast<long long>(current_) + distance;
    if (target > last) {
        target = last;
        eof_ = true;
    } else if (target < 0) {
        target = 0;
        bof_ = true;
    }
    const int moved = static_cast<int>(target - current_);
    current_ = static_cast<int>(target);
    // Also sent when nothing moved but an end was reached, so that bound controls see the flag.
    dataEvent(TDataEvent::DataSetScroll, nullptr, moved);
    return moved;
}

int TDataSet::recNo() const
{
    if (!active())
        return 0;
    if (state_ == TDataSetState::dsInsert)
        return static_cast<int>(insertAt_) + 1;
    return current_ + 1;
}

void TDataSet::setRecNo(int recNo)
{
    checkBrowseMode();
    if (rows_.empty())
        return;
    recNo = std::clamp(recNo, 1, recordCount());
    if (recNo != current_ + 1)
        moveBy(recNo - (current_ + 1));
}

bool TDataSet::isEmpty() const
{
    return !active() || (rows_.empty() && state_ != TDataSetState::dsInsert);
}

// ---------------------------------------------------------------- editing

void TDataSet::insert()
{
    checkBrowseMode();
    checkCanModify();
    beginInsert(current_ < 0 ? 0 : size_t(current_));
}

void TDataSet::append()
{
    checkBrowseMode();
    checkCanModify();
    beginInsert(rows_.size());
}

void TDataSet::beginInsert(size_t position)
{
    insertAt_ = position;
    editBuffer_.assign(fields_.size(), Variant());
    modified_ = false;
    bof_ = eof_ = false;
    setState(TDataSetState::dsInsert);
    dataEvent(TDataEvent::DataSetChange);
}

void TDataSet::edit()
{
    checkActive();
    if (isEditingState(state_))
        return;
    if (rows_.empty()) {
        insert();
        return;
    }
    checkCanModify();
    editBuffer_ = rows_[size_t(current_)];
    modified_ = false;
    setState(TDataSetState::dsEdit);
    dataEvent(TDataEvent::RecordChange);
}

void TDataSet::post()
{
    checkActive();
    if (!isEditingState(state_))
        return;
    dataEvent(TDataEvent::UpdateRecord);
    if (!isEditingState(state_))
        return;
    for (size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i]->required() && editBuffer_[i].isNull())
            throw EDatabaseError(formatMessage("Field '%s' must have a value", fields_[i]->displayName()));
    if (state_ == TDataSetState::dsInsert) {
        rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(insertAt_), std::move(editBuffer_));
        current_ = static_cast<int>(insertAt_);
    } else {
        rows_[size_t(current_)] = std::move(editBuffer_);
    }
    dropEditing();
    bof_ = eof_ = false;
    setState(TDataSetState::dsBrowse);
    dataEvent(TDataEvent::DataSetChange);
}

void TDataSet::cancel()
{
    checkActive();
    if (!isEditingState(state_))
        return;
    const bool wasInsert = state_ == TDataSetState::dsInsert;
    dropEditing();
    if (wasInsert) {
        bof_ = current_ <= 0;
        eof_ = rows_.empty();
    }
    setState(TDataSetState::dsBrowse);
    dataEvent(TDataEvent::DataSetChange);
}

void TDataSet::deleteRecord()
{
    checkActive();
    if (state_ == TDataSetState::dsInsert) {
        cancel();
        return;
    }
    if (rows_.empty())
        throw EDatabaseError("Cannot perform this operation on an empty dataset");
    checkCanModify();
    if (state_ == TDataSetState::dsEdit) {
        dropEditing();
        setState(TDataSetState::dsBrowse);
    }
    rows_.erase(rows_.begin() + current_);
    current_ = std::min(current_, static_cast<int>(rows_.size()) - 1);
    bof_ = eof_ = rows_.empty();
    dataEvent(TDataEvent::DataSetChange);
}

void TDataSet::refresh()
{
    checkBrowseMode();
    DataPacket fresh;
    if (internalRefresh(fresh)) {
        // The fields stay; the new rows are matched to them.
        std::vector<DataRow> rows = matchRows(fresh);
        const int oldRecNo = current_;
        rows_ = std::move(rows);
        current_ = rows_.empty() ? -1 : std::clamp(oldRecNo, 0, recordCount() - 1);
        bof_ = current_ <= 0;
        eof_ = rows_.empty();
    }
    dataEvent(TDataEvent::DataSetChange);
}

void TDataSet::checkBrowseMode()
{
    checkActive();
    dataEvent(TDataEvent::CheckBrowseMode);
    if (isEditingState(state_)) {
        dataEvent(TDataEvent::UpdateRecord);
        if (modified_)
            post();
        else
            cancel();
    }
}

// ---------------------------------------------------------------- records for fields and links

int TDataSet::displayCount() const
{
    return static_cast<int>(rows_.size()) + (state_ == TDataSetState::dsInsert ? 1 : 0);
}

int TDataSet::displayCurrent() const
{
    return state_ == TDataSetState::dsInsert ? static_cast<int>(insertAt_) : current_;
}

const DataRow* TDataSet::displayRow() const
{
    if (!active())
        return nullptr;
    const int index = displayRecord_ >= 0 ? displayRecord_ : displayCurrent();
    if (index < 0 || index >= displayCount())
        return nullptr;
    if (state_ == TDataSetState::dsInsert) {
        if (index == static_cast<int>(insertAt_))
            return &editBuffer_;
        return &rows_[size_t(index > static_cast<int>(insertAt_) ? index - 1 : index)];
    }
    if (state_ == TDataSetState::dsEdit && index == current_)
        return &editBuffer_;
    return &rows_[size_t(index)];
}

Variant TDataSet::activeValue(int fieldIndex) const
{
    const DataRow* row = displayRow();
    if (!row || fieldIndex < 0 || size_t(fieldIndex) >= row->size())
        return Variant();
    return (*row)[size_t(fieldIndex)];
}

void TDataSet::setActiveValue(TField* field, const Variant& value)
{
    checkActive();
    if (!isEditingState(state_))
        throw EDatabaseError("Dataset not in edit or insert mode");
    const int index = field->index();
    if (index < 0 || size_t(index) >= editBuffer_.size())
        throw EDatabaseError(formatMessage(Msg::FieldNotFound, field->fieldName()));
    editBuffer_[size_t(index)] = value;
    modified_ = true;
    dataEvent(TDataEvent::FieldChange, field);
}

void TDataSet::dataEvent(TDataEvent event, TField* field, int info)
{
    // A copy: a notified control may unbind its data source while the notice travels.
    const std::vector<TDataSource*> sources = dataSources_;
    for (TDataSource* source : sources)
        if (std::find(dataSources_.begin(), dataSources_.end(), source) != dataSources_.end())
            source->dataEvent(event, field, info);
}

void TDataSet::fieldLayoutChanged()
{
    if (active())
        dataEvent(TDataEvent::LayoutChange);
}

void TDataSet::addDataSource(TDataSource* source)
{
    if (std::find(dataSources_.begin(), dataSources_.end(), source) == dataSources_.end())
        dataSources_.push_back(source);
}

void TDataSet::removeDataSource(TDataSource* source)
{
    dataSources_.erase(std::remove(dataSources_.begin(), dataSources_.end(), source), dataSources_.end());
}
