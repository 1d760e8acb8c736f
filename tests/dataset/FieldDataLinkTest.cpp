#include "ClientDataSet.h"
#include "DataSource.h"
#include "Field.h"
#include "FieldDataLink.h"
#include "TextCodec.h"

#include <gtest/gtest.h>

namespace {

// Stands in for the data-bound memo: its text, and the link that ties it to a field.
struct MemoStandIn {
    std::string text; // CP950, as the memo hands it to the data layer
    TFieldDataLink link;

    explicit MemoStandIn(TDataSource* source)
    {
        link.onDataChange = [this] { text = link.field() ? link.field()->asString() : std::string(); };
        link.onUpdateData = [this] { link.field()->setAsString(text); };
        link.setFieldName("Field13");
        link.setDataSource(source);
    }

    // What the memo does on a key press: edit first, then change its text.
    bool type(const std::string& typed)
    {
        if (!link.beginChange())
            return false;
        text += typed;
        return true;
    }
};

class RemarkMemo : public ::testing::Test {
protected:
    void SetUp() override
    {
        remark.fieldDefs().add("Field13", FieldType::String, 200);
        remark.createDataSet();
        source.setDataSet(&remark);
    }
    TClientDataSet remark;
    TDataSource source;
    MemoStandIn memo{&source};
};

}

TEST_F(RemarkMemo, TypingOnTheEmptyDataSetInsertsAndFocusLossWritesTheText)
{
    EXPECT_EQ(memo.link.field(), remark.field(0));
    ASSERT_TRUE(memo.type(TextCodec::utf8ToCp950("請儘速出貨")));
    EXPECT_EQ(remark.state(), TDataSetState::dsInsert);
    EXPECT_TRUE(remark.field(0)->isNull()); // not written before the focus leaves

    memo.link.focusLost();
    EXPECT_EQ(remark.field(0)->asString(), TextCodec::utf8ToCp950("請儘速出貨"));
    EXPECT_EQ(remark.state(), TDataSetState::dsInsert); // stays unposted
    EXPECT_EQ(remark.recordCount(), 0);
}

TEST_F(RemarkMemo, LongTextIsCutTo200BytesAndTheMemoShowsWhatWasStored)
{
    const std::string longText = TextCodec::utf8ToCp950(std::string(3, 'x') + [] {
        std::string s;
        for (int i = 0; i < 120; ++i)
            s += "備";
        return s;
    }());
    memo.type(longText);
    memo.link.focusLost();
    const std::string stored = remark.field(0)->asString();
    EXPECT_EQ(stored.size(), 199u); // 3 + 98 double-byte characters; the 100th byte pair would overflow
    EXPECT_EQ(stored, longText.substr(0, 199));
    EXPECT_EQ(memo.text, stored);
}

TEST_F(RemarkMemo, PostWritesPendingTextAndCloseDiscardsAnUnpostedRemark)
{
    memo.type("posted remark");
    remark.post(); // no focus change: the post asks the memo for its text first
    EXPECT_EQ(remark.recordCount(), 1);
    EXPECT_EQ(remark.field(0)->asString(), "posted remark");

    TClientDataSet other;
    other.fieldDefs().add("Field13", FieldType::String, 200);
    other.createDataSet();
    source.setDataSet(&other);
    EXPECT_EQ(memo.text, ""); // the memo follows the new dataset
    memo.type("never posted");
    memo.link.focusLost();
    other.close();
    EXPECT_EQ(memo.link.field(), nullptr);
    EXPECT_EQ(memo.text, "");
    other.open();
    EXPECT_TRUE(other.isEmpty());
}

TEST_F(RemarkMemo, AReadOnlyOrUnboundMemoRefusesTyping)
{
    remark.setReadOnly(true);
    EXPECT_FALSE(memo.type("x"));
    EXPECT_EQ(remark.state(), TDataSetState::dsBrowse);

    remark.setReadOnly(false);
    memo.link.setFieldName("NO_SUCH_FIELD");
    EXPECT_FALSE(memo.type("x"));
}
