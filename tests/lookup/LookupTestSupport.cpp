#include "LookupTestSupport.h"

#include "Field.h"
#include "TextCodec.h"

#include <cstdio>

QApplication& lookupTestApp()
{
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return *app;
    static int argc = 1;
    static char name[] = "lookup_tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's test input devices are torn down at exit and must not outlive
    // the application object (ctest runs every test in a process of its own).
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

std::unique_ptr<TClientDataSet> memoryCustomers(int rows)
{
    auto cds = std::make_unique<TClientDataSet>();
    cds->fieldDefs().add("CUST_ID", FieldType::String, 10, true);
    cds->fieldDefs().add("CUST_NAME", FieldType::String, 50);
    cds->createDataSet();
    for (int i = 1; i <= rows; ++i) {
        char id[16];
        std::snprintf(id, sizeof id, "C%03d", i);
        cds->append();
        cds->fieldByName("CUST_ID")->setAsString(id);
        cds->fieldByName("CUST_NAME")->setAsString("Name " + std::to_string(i));
        cds->post();
    }
    cds->first();
    return cds;
}

std::string big5(const char* utf8)
{
    return TextCodec::utf8ToCp950(utf8);
}
