#include "ClientDataSet.h"
#include "DataSetTestSupport.h"
#include "DataSource.h"
#include "Exception.h"
#include "Field.h"

#include <gtest/gtest.h>

namespace {

using Events = std::vector<std::string>;

// An open dataset of `rows` records with one integer field N = 1..rows.
TClientDataSet* numbers(int rows, TComponent* owner = nullptr)
{
    auto* cds = new TClientDataSet(owner);
    cds->fieldDefs().add("N", FieldType::Integer);
    cds->createDataSet();
    for (int i = 1; i <= rows; ++i) {
        cds->append();
        cds->field(0)->setValue(Variant(i));
        cds->post();
    }
    cds->first();
    return cds;
}

Events take(RecordingLink& link)
{
    Events out;
    out.swap(link.events);
    return out;
}

}

TEST(Navigation, FlagsRecordNumbersAndMoveDistances)
{
    std::unique_ptr<TClientDataSet> ds(numbers(5));
    EXPECT_TRUE(ds->bof());
    EXPECT_FALSE(ds->eof());
    EXPECT_EQ(ds->recNo(), 1);

    struct Step {
        const char* what;
        std::function<int()> action; // returns the distance moved, where there is one
        int moved, recNo;
        bool bof, eof;
    };
    const std::vector<Step> steps = {
        {"next", [&] { return ds->moveBy(1); }, 1, 2, false, false},
        {"prior onto the first", [&] { return ds->moveBy(-1); }, -1, 1, false, false},
        {"prior past the first", [&] { return ds->moveBy(-1); }, 0, 1, true, false},
        {"prior at bof", [&] { return ds->moveBy(-1); }, 0, 1, true, false},
        {"by 3", [&] { return ds->moveBy(3); }, 3, 4, false, false},
        {"by 10 stops at the last", [&] { return ds->moveBy(10); }, 1, 5, false, true},
        {"next at eof", [&] { return ds->moveBy(1); }, 0, 5, false, true},
        {"back 10 stops at the first", [&] { return ds->moveBy(-10); }, -4, 1, true, false},
        {"last", [&] { ds->last(); return 0; }, 0, 5, false, true},
        {"first", [&] { ds->first(); return 0; }, 0, 1, true, false},
        {"record number 4", [&] { ds->setRecNo(4); return 0; }, 0, 4, false, false},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(s.action(), s.moved) << s.what;
        EXPECT_EQ(ds->recNo(), s.recNo) << s.what;
        EXPECT_EQ(ds->bof(), s.bof) << s.what;
        EXPECT_EQ(ds->eof(), s.eof) << s.what;
        EXPECT_EQ(ds->field(0)->asInteger(), s.recNo) << s.what;
    }
    EXPECT_EQ(ds->recordCount(), 5);
}

TEST(Navigation, EmptyAndClosedDataSets)
{
    std::unique_ptr<TClientDataSet> ds(numbers(0));
    EXPECT_TRUE(ds->bof());
    EXPECT_TRUE(ds->eof());
    EXPECT_TRUE(ds->isEmpty());
    EXPECT_EQ(ds->recNo(), 0);
    EXPECT_EQ(ds->moveBy(1), 0);
    EXPECT_TRUE(ds->field(0)->isNull());
    EXPECT_EQ(ds->field(0)->asString(), "");
    EXPECT_THROW(ds->deleteRecord(), EDatabaseError);

    ds->close();
    EXPECT_THROW(ds->next(), EDatabaseError);
    EXPECT_THROW(ds->edit(), EDatabaseError);
    EXPECT_FALSE(ds->canModify());
}

TEST(Navigation, InsertAppendDeleteCancelAndReadOnly)
{
    std::unique_ptr<TClientDataSet> ds(numbers(3));
    ds->next();
    ds->insert(); // before the current record
    ds->field(0)->setValue(Variant(10));
    ds->post();
    EXPECT_EQ(ds->recNo(), 2);
    ds->append();
    EXPECT_EQ(ds->recNo(), 5);
    ds->cancel();
    EXPECT_EQ(ds->recordCount(), 4);

    ds->first();
    std::vector<int64_t> order;
    while (!ds->eof()) {
        order.push_back(ds->field(0)->asInteger());
        ds->next();
    }
    EXPECT_EQ(order, (std::vector<int64_t>{1, 10, 2, 3}));

    ds->last();
    ds->deleteRecord(); // the last record: the cursor stays on the new last one
    EXPECT_EQ(ds->recordCount(), 3);
    EXPECT_EQ(ds->field(0)->asInteger(), 2);

    // Moving away from a changed record posts it; from an unchanged one cancels.
    ds->edit();
    ds->field(0)->setValue(Variant(20));
    ds->first();
    EXPECT_EQ(ds->state(), TDataSetState::dsBrowse);
    ds->last();
    EXPECT_EQ(ds->field(0)->asInteger(), 20);

    ds->setReadOnly(true);
    EXPECT_FALSE(ds->canModify());
    EXPECT_THROW(ds->edit(), EDatabaseError);
    EXPECT_THROW(ds->append(), EDatabaseError);
    EXPECT_THROW(ds->deleteRecord(), EDatabaseError);
}

TEST(DataLinkNotices, OpenScrollEditAndClose)
{
    std::unique_ptr<TClientDataSet> ds(numbers(3));
    ds->close();
    TDataSource source;
    source.setDataSet(ds.get());
    RecordingLink link;
    link.setDataSource(&source);
    EXPECT_FALSE(link.active());

    ds->open();
    EXPECT_EQ(take(link), (Events{"active"}));
    ds->next();
    ds->moveBy(5);
    ds->next(); // at eof already: no notice
    ds->prior();
    EXPECT_EQ(take(link), (Events{"scrolled 1", "scrolled 1", "scrolled -1"}));
    ds->first();
    ds->last();
    EXPECT_EQ(take(link), (Events{"changed", "changed"}));

    ds->edit();
    EXPECT_TRUE(link.editing());
    ds->field(0)->setValue(Variant(7));
    ds->post();
    EXPECT_EQ(take(link), (Events{"editing", "record *", "record N", "not editing", "changed"}));
    ds->append();
    ds->cancel();
    EXPECT_EQ(take(link), (Events{"editing", "changed", "not editing", "changed"}));

    ds->field(0)->setDisplayLabel("Number");
    EXPECT_EQ(take(link), (Events{"layout"}));

    ds->edit();
    ds->close(); // closing while editing ends both
    EXPECT_EQ(take(link), (Events{"editing", "record *", "inactive", "not editing"}));
    EXPECT_FALSE(link.active());
}

TEST(DataLinkNotices, ABufferedWindowReportsHowFarItScrolled)
{
    std::unique_ptr<TClientDataSet> ds(numbers(10));
    TDataSource source;
    source.setDataSet(ds.get());
    RecordingLink grid;
    grid.setBufferCount(3);
    grid.setDataSource(&source);
    take(grid);

    struct Step {
        int moveBy, activeRecord;
        const char* notice;
    };
    // Within the three visible rows the window stays; past them it moves by the overshoot.
    const std::vector<Step> steps = {
        {1, 1, "scrolled 0"}, {1, 2, "scrolled 0"}, {1, 2, "scrolled 1"},
        {4, 2, "scrolled 4"}, {-2, 0, "scrolled 0"}, {-3, 0, "scrolled -3"},
    };
    for (const Step& s : steps) {
        ds->moveBy(s.moveBy);
        EXPECT_EQ(grid.activeRecord(), s.activeRecord) << s.notice;
        EXPECT_EQ(take(grid), (Events{s.notice}));
    }
    EXPECT_EQ(grid.recordCount(), 3);

    // Reading the buffered rows: each row's record, then the current one again.
    const int current = grid.activeRecord();
    std::vector<int64_t> shown;
    for (int r = 0; r < grid.recordCount(); ++r) {
        grid.setActiveRecord(r);
        shown.push_back(ds->field(0)->asInteger());
    }
    grid.setActiveRecord(current);
    EXPECT_EQ(shown, (std::vector<int64_t>{3, 4, 5}));
    EXPECT_EQ(ds->field(0)->asInteger(), 3);

    ds->last(); // the last record at the bottom of the window
    EXPECT_EQ(grid.activeRecord(), 2);
    EXPECT_EQ(grid.recordCount(), 3);
}

TEST(DataSourceBinding, SwitchingDisablingAndLosingAFreedDataSet)
{
    std::unique_ptr<TClientDataSet> first(numbers(2));
    TDataSource source;
    RecordingLink link;
    link.setDataSource(&source);
    source.setDataSet(first.get());
    EXPECT_EQ(take(link), (Events{"active"}));

    // Another dataset: the link sees the old one go and the new one come.
    TClientDataSet* second = numbers(4);
    source.setDataSet(second);
    EXPECT_EQ(take(link), (Events{"inactive", "active"}));
    EXPECT_EQ(link.dataSet(), second);

    source.setEnabled(false);
    EXPECT_EQ(source.state(), TDataSetState::dsInactive);
    second->next(); // not passed on while disabled
    source.setEnabled(true);
    EXPECT_EQ(take(link), (Events{"inactive", "active"}));

    delete second;
    EXPECT_EQ(source.dataSet(), nullptr);
    EXPECT_FALSE(link.active());
    EXPECT_EQ(take(link), (Events{"inactive"}));
}

TEST(DataSourceBinding, FreedDataSetOwnedByAFormAndFreedDataSource)
{
    TComponent form;
    auto* source = new TDataSource(&form);
    auto* result = numbers(1, &form);
    source->setDataSet(result);
    delete result; // the lookup dialog's search result going with its dialog
    EXPECT_EQ(source->dataSet(), nullptr);

    RecordingLink link;
    link.setDataSource(source);
    delete source;
    EXPECT_EQ(link.dataSource(), nullptr);
}
