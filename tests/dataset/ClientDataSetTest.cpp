#include "ClientDataSet.h"
#include "DataSetProvider.h"
#include "DataSetTestSupport.h"
#include "Exception.h"
#include "DatasetFile.h"
#include "Field.h"
#include "TextCodec.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

std::string big5(const char* utf8)
{
    return TextCodec::utf8ToCp950(utf8);
}

// The remark dataset of the main window: one string field of 200 bytes.
void createRemarkDataSet(TClientDataSet& cds, int size = 200)
{
    cds.fieldDefs().add("Field13", FieldType::String, size);
    cds.createDataSet();
}

template <typename E>
std::string messageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const E& e) {
        return e.what();
    }
    return "(no error)";
}

}

TEST(ClientDataSet, EditOnAFreshEmptyDataSetInsertsAndPostLeavesOneRecord)
{
    TClientDataSet cds;
    EXPECT_EQ(cds.fieldCount(), 0);
    createRemarkDataSet(cds);
    EXPECT_TRUE(cds.active());
    EXPECT_TRUE(cds.isEmpty());
    EXPECT_EQ(cds.fieldCount(), 1);

    cds.edit();
    EXPECT_EQ(cds.state(), TDataSetState::dsInsert);
    cds.field(0)->setValue(Variant(big5("備註")));
    cds.post();
    EXPECT_EQ(cds.state(), TDataSetState::dsBrowse);
    EXPECT_EQ(cds.recordCount(), 1);
    EXPECT_EQ(cds.fieldByName("FIELD13")->asString(), big5("備註"));

    // A second edit changes that record instead of adding one.
    cds.edit();
    EXPECT_EQ(cds.state(), TDataSetState::dsEdit);
    cds.field(0)->setAsString("x");
    cds.post();
    EXPECT_EQ(cds.recordCount(), 1);
    EXPECT_EQ(cds.field(0)->asString(), "x");
}

TEST(ClientDataSet, CloseDiscardsTheUnpostedRecordAndKeepsPostedRows)
{
    TClientDataSet cds;
    createRemarkDataSet(cds);
    cds.append();
    cds.field(0)->setAsString("posted");
    cds.post();
    cds.append();
    cds.field(0)->setAsString("typed, never posted");
    cds.close();
    EXPECT_FALSE(cds.active());
    EXPECT_EQ(cds.fieldCount(), 1);

    cds.open();
    ASSERT_EQ(cds.recordCount(), 1);
    EXPECT_EQ(cds.field(0)->asString(), "posted");

    // An unposted change to a posted row is discarded too.
    cds.edit();
    cds.field(0)->setAsString("changed");
    cds.close();
    cds.open();
    EXPECT_EQ(cds.field(0)->asString(), "posted");
}

TEST(ClientDataSet, TextIsCutToTheFieldSizeInBytesKeepingWholeBig5Characters)
{
    struct Case {
        int size;
        std::string in;
        std::string out;
    };
    const std::vector<Case> cases = {
        {5, "abcdefg", "abcde"},
        {5, "abc", "abc"},
        {4, big5("客戶名稱"), big5("客戶")},
        {5, big5("客戶名稱"), big5("客戶")},   // the 6th byte would split 名
        {3, "a" + big5("許功"), "a" + big5("許")}, // 許 and 功 end in 0x5C
        {1, big5("客"), ""},
    };
    for (const Case& c : cases) {
        TClientDataSet cds;
        createRemarkDataSet(cds, c.size);
        cds.edit();
        cds.field(0)->setAsString(c.in);
        EXPECT_EQ(cds.field(0)->asString(), c.out) << "size " << c.size;
    }
}

TEST(ClientDataSet, SetValueOutsideEditingAndUnknownFieldsFail)
{
    TClientDataSet cds;
    createRemarkDataSet(cds);
    EXPECT_THROW(cds.field(0)->setAsString("x"), EDatabaseError);
    EXPECT_EQ(messageOf<EDatabaseError>([&] { cds.fieldByName("REP_TITLE"); }), "Field 'REP_TITLE' not found");
    EXPECT_EQ(cds.findField("REP_TITLE"), nullptr);
    EXPECT_THROW(cds.createDataSet(), EDatabaseError); // already open

    TClientDataSet none;
    EXPECT_THROW(none.createDataSet(), EDatabaseError);
    EXPECT_THROW(none.open(), EDatabaseError);
    EXPECT_FALSE(none.active());
}

TEST(ClientDataSet, RequiredFieldWithoutValueCannotBePosted)
{
    TClientDataSet cds;
    cds.fieldDefs().add("CUST_ID", FieldType::String, 10, true);
    cds.createDataSet();
    cds.insert();
    EXPECT_EQ(messageOf<EDatabaseError>([&] { cds.post(); }), "Field 'CUST_ID' must have a value");
    EXPECT_EQ(cds.state(), TDataSetState::dsInsert); // nothing lost: still editable
    cds.field(0)->setAsString("C1");
    cds.post();
    EXPECT_EQ(cds.recordCount(), 1);
}

TEST(ClientDataSet, NumberFieldsConvertTextOrRejectIt)
{
    TClientDataSet cds;
    cds.fieldDefs().add("QTY", FieldType::Float);
    cds.fieldDefs().add("N", FieldType::Integer);
    cds.createDataSet();
    cds.edit();
    cds.field(0)->setAsString("12.5");
    cds.field(1)->setAsString("-3");
    EXPECT_EQ(cds.field(0)->asFloat(), 12.5);
    EXPECT_EQ(cds.field(1)->asInteger(), -3);
    EXPECT_EQ(messageOf<EConvertError>([&] { cds.field(1)->setAsString("1x"); }), "'1x' is not a valid integer value");
    EXPECT_THROW(cds.field(0)->setAsString("abc"), EConvertError);
}

class ProviderBacked : public ::testing::Test {
protected:
    void SetUp() override
    {
        source.results = {{"SELECT * FROM CUSTOMER", customerPacket(3)},
                          {"select * from CUSTOMER where CUST_ID = 'C2'\r\n", [] {
                               DataPacket p = customerPacket(2);
                               p.rows.erase(p.rows.begin());
                               return p;
                           }()}};
        provider.setName("DSP_CUST");
        provider.setDataSet(&source);
        provider.setOptions(poAllowCommandText);
        cds->setName("CDS_CUST");
        cds->setProviderName("DSP_CUST");
    }

    TComponent form;
    FakeProviderSource source;
    TDataSetProvider& provider = *new TDataSetProvider(&form);
    TClientDataSet* cds = new TClientDataSet(&form);
};

TEST_F(ProviderBacked, PersistentFieldsExposeOnlyThemselves)
{
    cds->addField("CUST_ID", FieldType::String, 10, true, big5("客戶編號"));
    cds->addField("CUST_NAME", FieldType::String, 50, false, big5("客戶名稱"));
    cds->open();
    ASSERT_EQ(cds->fieldCount(), 2);
    EXPECT_EQ(cds->recordCount(), 3);
    EXPECT_EQ(cds->findField("TEL"), nullptr);
    EXPECT_EQ(cds->field(1)->asString(), big5("客戶1"));
    EXPECT_EQ(cds->field(0)->displayName(), big5("客戶編號"));
    EXPECT_EQ(cds->field(0)->fullName(), "CUST_ID");
    EXPECT_EQ(cds->field(1)->displayWidth(), 50);
    EXPECT_TRUE(cds->field(0)->required());
}

TEST_F(ProviderBacked, DynamicFieldsFollowTheColumnsAndLabelsFallBackToNames)
{
    cds->open();
    ASSERT_EQ(cds->fieldCount(), 4);
    EXPECT_EQ(cds->field(3)->fieldName(), "CREDIT");
    EXPECT_EQ(cds->field(3)->displayName(), "CREDIT");
    EXPECT_EQ(cds->field(3)->asFloat(), 100.0);
    EXPECT_TRUE(cds->field(2)->visible());
}

TEST_F(ProviderBacked, ReopeningWithANewCommandTextHoldsOnlyTheNewRows)
{
    cds->open();
    EXPECT_EQ(cds->recordCount(), 3);
    cds->close();
    EXPECT_EQ(cds->recordCount(), 0);
    cds->setCommandText("select * from CUSTOMER where CUST_ID = 'C2'\r\n");
    cds->open();
    ASSERT_EQ(cds->recordCount(), 1);
    EXPECT_EQ(cds->fieldByName("CUST_ID")->asString(), "C2");
    EXPECT_EQ(source.statementsRun.back(), "select * from CUSTOMER where CUST_ID = 'C2'\r\n");
}

TEST_F(ProviderBacked, FailuresLeaveTheDataSetClosed)
{
    cds->setCommandText("select * from CUSTOMER where CUST_NAME like '%'%'");
    EXPECT_THROW(cds->open(), ESQLError);
    EXPECT_FALSE(cds->active());

    provider.setOptions(0);
    cds->setCommandText("SELECT * FROM CUSTOMER");
    EXPECT_NE(messageOf<EDatabaseError>([&] { cds->open(); }).find("poAllowCommandText"), std::string::npos);
    EXPECT_FALSE(cds->active());

    // Without a command text the source's own statement is allowed.
    cds->setCommandText("");
    cds->open();
    EXPECT_EQ(cds->recordCount(), 3);
}

TEST_F(ProviderBacked, PersistentFieldMissingFromTheResultIsReported)
{
    cds->addField("CUST_CODE", FieldType::String, 10);
    EXPECT_EQ(messageOf<EDatabaseError>([&] { cds->open(); }), "Field 'CUST_CODE' not found");
    EXPECT_FALSE(cds->active());
}

TEST_F(ProviderBacked, RefreshFetchesAgainAndAFreedProviderIsForgotten)
{
    cds->setProvider(&provider);
    cds->open();
    cds->last();
    source.results[0].second = customerPacket(5);
    cds->refresh();
    EXPECT_EQ(cds->recordCount(), 5);
    EXPECT_EQ(cds->recNo(), 3); // the position is kept

    delete &provider;
    EXPECT_EQ(cds->provider(), nullptr);
    cds->close();
    EXPECT_THROW(cds->open(), EDatabaseError); // no provider of that name any more
}

TEST(ClientDataSetFile, SaveAndLoadKeepFieldsRowsBig5TextAndNulls)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("temp2.cds").toStdString();
    TClientDataSet header;
    for (int i = 0; i <= 12; ++i)
        header.fieldDefs().add("Field" + std::to_string(i), FieldType::String, 50);
    header.fieldDefs().add("Field13", FieldType::String, 200);
    header.createDataSet();
    header.edit();
    header.fieldByName("Field0")->setAsString(big5("客戶區間商品數量表"));
    header.fieldByName("Field12")->setAsString(big5("標題"));
    header.post();
    header.saveToFile(path);

    TClientDataSet loaded;
    loaded.loadFromFile(path);
    EXPECT_TRUE(loaded.active());
    ASSERT_EQ(loaded.fieldCount(), 14);
    EXPECT_EQ(loaded.fieldDefs().count(), 14);
    EXPECT_EQ(loaded.recordCount(), 1);
    EXPECT_EQ(loaded.fieldByName("Field0")->asString(), big5("客戶區間商品數量表"));
    EXPECT_EQ(loaded.field(13)->size(), 200);
    for (int i = 2; i <= 11; ++i)
        EXPECT_TRUE(loaded.field(i)->isNull()) << i;

    // Loaded rows come back after close and open, as there is no provider behind them.
    loaded.close();
    loaded.open();
    EXPECT_EQ(loaded.recordCount(), 1);
}

TEST(ClientDataSetFile, FileErrorsNameThePathAndLeaveTheDataSetAlone)
{
    QTemporaryDir dir;
    TClientDataSet cds;
    createRemarkDataSet(cds);
    cds.append();
    cds.field(0)->setAsString("kept");
    cds.post();

    const std::string missing = dir.filePath("Tarnvik.dat").toStdString();
    EXPECT_EQ(messageOf<EFOpenError>([&] { cds.loadFromFile(missing); }),
              "Cannot open file \"" + missing + "\". No such file or directory");
    EXPECT_TRUE(cds.active());
    EXPECT_EQ(cds.field(0)->asString(), "kept");

    const std::string noDir = dir.filePath("missing/temp.cds").toStdString();
    EXPECT_EQ(messageOf<EFCreateError>([&] { cds.saveToFile(noDir); }),
              "Cannot create file \"" + noDir + "\". No such file or directory");

    TClientDataSet closed;
    EXPECT_THROW(closed.saveToFile(dir.filePath("x.cds").toStdString()), EDatabaseError);
}

TEST(ClientDataSetFile, LoadingIgnoresTheProvider)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("Tarnvik.dat").toStdString();
    DataPacket param;
    param.fields = {{"REP_TITLE", FieldType::String, 50, false}};
    param.rows = {{big5("年度報表")}};
    DatasetFile::save(path, param);

    TDataSetProvider provider; // no source: asking it would fail
    TClientDataSet cds;
    cds.setProvider(&provider);
    cds.loadFromFile(path);
    EXPECT_EQ(cds.fieldByName("REP_TITLE")->asString(), big5("年度報表"));
}
