// The program loads the plug-in for each report and unloads it after: two rounds of load,
// call and unload in one process must work, and the library must really go away.

#include "ReportFixture.h"
#include "RptPreview.h"

#include <QApplication>

#include <cstring>
#include <dlfcn.h>

#include <gtest/gtest.h>

namespace {

const char* const pluginPath = CUSTPROD_EXEDIR "/libRptPreview.so";

using ShowFormFn = void (*)();
using ShowFormForTestFn = int (*)(const char*, unsigned, char*, size_t);

}

TEST(PluginLoad, LoadCallUnloadTwice)
{
    ensureApplication();
    HandoffDir dir(detailPacket(manyRows(30, 10)),
                   headerPacket(QStringLiteral("客戶區間商品數量表"), QStringLiteral("查詢年月: 2024/01/01～2024/01/31"),
                                QStringLiteral("大同茶業"), QString()));
    for (int round = 0; round < 2; ++round) {
        void* library = dlopen(pluginPath, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library, nullptr) << dlerror();
        EXPECT_NE(dlsym(library, "ShowForm"), nullptr);
        auto showForTest = reinterpret_cast<ShowFormForTestFn>(dlsym(library, "ShowFormForTest"));
        ASSERT_NE(showForTest, nullptr);
        char message[512] = "untouched";
        int pages = showForTest(dir.iniPath().toUtf8().constData(), RPTPREVIEW_CLOSE_AT_ONCE, message, sizeof message);
        EXPECT_GE(pages, 5) << message;
        EXPECT_STREQ(message, "");
        EXPECT_EQ(QApplication::topLevelWidgets().size(), 0) << "a window of the plug-in outlived the call";
        ASSERT_EQ(dlclose(library), 0);
        EXPECT_EQ(dlopen(pluginPath, RTLD_NOW | RTLD_NOLOAD), nullptr) << "the plug-in stayed loaded";
    }
    QCoreApplication::processEvents(); // nothing of the plug-in may be left in the event queue
}

TEST(PluginLoad, FailureIsReportedAndTheCallReturns)
{
    ensureApplication();
    void* library = dlopen(pluginPath, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    auto showForTest = reinterpret_cast<ShowFormForTestFn>(dlsym(library, "ShowFormForTest"));
    char message[512];
    EXPECT_EQ(showForTest("/nonexistent/rpttemp.ini", RPTPREVIEW_CLOSE_AT_ONCE, message, sizeof message), -1);
    EXPECT_NE(std::string(message).find("/nonexistent/rpttemp.ini"), std::string::npos) << message;
    // A message longer than the buffer is cut and still terminated.
    char small[8];
    showForTest("/nonexistent/rpttemp.ini", 0, small, sizeof small);
    EXPECT_EQ(std::strlen(small), 7u);
    // The real entry reads "rpttemp.ini" beside this test program, which is not there: the
    // failure goes to a message box (standard error on this platform) and the call returns.
    auto showForm = reinterpret_cast<ShowFormFn>(dlsym(library, "ShowForm"));
    ASSERT_NE(showForm, nullptr);
    showForm();
    EXPECT_EQ(dlclose(library), 0);
}
