#include "DataSetTestSupport.h"

#include "Exception.h"
#include "TextCodec.h"

DataPacket FakeProviderSource::providerFetch(const std::string& commandText)
{
    const std::string statement = commandText.empty() ? ownStatement : commandText;
    statementsRun.push_back(statement);
    for (const auto& [text, packet] : results)
        if (text == statement)
            return packet;
    throw ESQLError("Dynamic SQL Error | Token unknown");
}

// A customer table with more columns than the list shows.
DataPacket customerPacket(int rows)
{
    DataPacket p;
    p.fields = {{"CUST_ID", FieldType::String, 10, true},
                {"CUST_NAME", FieldType::String, 50, false},
                {"TEL", FieldType::String, 20, false},
                {"CREDIT", FieldType::Float, 0, false}};
    for (int i = 1; i <= rows; ++i)
        p.rows.push_back({"C" + std::to_string(i), TextCodec::utf8ToCp950("客戶" + std::to_string(i)),
                          "02-" + std::to_string(i), double(i) * 100});
    return p;
}
