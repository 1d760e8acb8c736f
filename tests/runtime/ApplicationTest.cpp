#include "Application.h"
#include "ErrorReport.h"
#include "Exception.h"
#include "MessageBox.h"

#include <gtest/gtest.h>

#include <regex>
#include <stdexcept>
#include <vector>

namespace {

// Answers every message box and keeps what it was shown.
struct RecordedBoxes {
    std::vector<MessageBox::Request> shown;
    MessageBox::ScopedHandler handler{[this](const MessageBox::Request& r) {
        shown.push_back(r);
        return QMessageBox::Ok;
    }};
};

}

TEST(ErrorReport, HandlerPeriodRule)
{
    const std::vector<std::pair<std::string, std::string>> cases{
        {"abc", "abc."},
        {"abc.", "abc."},
        {"abc!", "abc!"},     // '!' sorts before '.'
        {"abc-", "abc-"},     // so does '-'
        {"abc/", "abc/."},    // '/' sorts after '.'
        {"value 5", "value 5."},
        {"'x' is not a valid date", "'x' is not a valid date."},
        {"查無資料", "查無資料."},  // any non-ASCII character sorts after '.'
        {"", ""},
    };
    for (const auto& [message, shown] : cases)
        EXPECT_EQ(ErrorReport::withHandlerPeriod(message), shown) << message;
}

TEST(ErrorReport, StartupTextFormatAndPeriodRule)
{
    const std::string pad = std::string(2 * sizeof(void*) - 5, '0');
    struct Case {
        std::string message;
        std::string text;
    };
    const std::vector<Case> cases{
        {"Connection name missing", "Connection name missing."},
        {"Done.", "Done."},
        {"What!", "What!."},  // unlike the handlers' rule, only a period counts
        {"", "."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ErrorReport::startupFailureText("EDatabaseError", "cust_prod", 0x4A1B2, c.message),
                  "Exception EDatabaseError in module cust_prod at " + pad + "4A1B2.\r\n" + c.text + "\r\n");
}

TEST(ErrorReport, AddressesAreFullWidthUpperCaseHex)
{
    EXPECT_EQ(ErrorReport::formatAddress(0), std::string(2 * sizeof(void*), '0'));
    EXPECT_EQ(ErrorReport::formatAddress(0xabcdef).substr(2 * sizeof(void*) - 6), "ABCDEF");
    EXPECT_EQ(ErrorReport::formatAddress(0xabcdef).size(), 2 * sizeof(void*));
}

TEST(ErrorReport, LocatesTheModuleOfARaisedException)
{
    std::exception_ptr error;
    try {
        throw EConvertError("bad");
    } catch (...) {
        error = std::current_exception();
    }
    const ErrorReport::ErrorInfo info = ErrorReport::describe(error);
    EXPECT_EQ(info.className, "EConvertError");
    EXPECT_EQ(info.message, "bad");
    ASSERT_NE(info.address, nullptr);
    const ErrorReport::CodeLocation where = ErrorReport::locate(info.address);
    // The exception was built in this test executable (the runtime is linked statically).
    EXPECT_EQ(where.moduleFileName, "runtime_tests");
    EXPECT_LT(where.offset, reinterpret_cast<std::uintptr_t>(info.address));

    // An unknown address falls back to the executable's name.
    EXPECT_EQ(ErrorReport::locate(nullptr).moduleFileName, "runtime_tests");
    EXPECT_EQ(ErrorReport::locate(nullptr).offset, 0u);
}

TEST(ErrorReport, DescribesEveryKindOfException)
{
    auto describeThrown = [](auto thrower) {
        try {
            thrower();
        } catch (...) {
            return ErrorReport::describe(std::current_exception());
        }
        return ErrorReport::ErrorInfo{};
    };
    auto abort = describeThrown([] { throw EAbort("Operation aborted"); });
    EXPECT_TRUE(abort.silent);
    auto standard = describeThrown([] { throw std::runtime_error("disk full"); });
    EXPECT_EQ(standard.className, "std::runtime_error");
    EXPECT_EQ(standard.message, "disk full");
    EXPECT_FALSE(standard.silent);
    auto unknown = describeThrown([] { throw 42; });
    EXPECT_EQ(unknown.className, "Exception");
    EXPECT_FALSE(unknown.message.empty());
}

TEST(Application, TitleIsTheExecutablesName)
{
    EXPECT_EQ(TApplication::instance().title(), QStringLiteral("runtime_tests"));
    TApplication::instance().setTitle("other");
    EXPECT_EQ(TApplication::instance().title(), QStringLiteral("other"));
    TApplication::instance().setTitle(QString());
    EXPECT_EQ(TApplication::instance().title(), QStringLiteral("runtime_tests"));
}

TEST(Application, DispatchCatchesEverythingAndReportsAllButTheSilentAbort)
{
    RecordedBoxes boxes;
    bool after = false;
    dispatch([&] {
        throw EConvertError("'2005/02/30' is not a valid date");
        after = true;
    });
    EXPECT_FALSE(after);
    dispatch([] { throw EAbort("Operation aborted"); });
    dispatch([] { throw std::runtime_error("plain standard error"); });
    dispatch([] { throw 1; });
    dispatch([] {});

    ASSERT_EQ(boxes.shown.size(), 3u);
    EXPECT_EQ(boxes.shown[0].caption, QStringLiteral("runtime_tests"));
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("'2005/02/30' is not a valid date."));
    EXPECT_EQ(boxes.shown[1].text, QStringLiteral("plain standard error."));
}

TEST(Application, GuardedHandlersPassTheirArgumentsAndCatch)
{
    RecordedBoxes boxes;
    int received = 0;
    auto handler = guarded([&](int value) {
        received = value;
        throw EDatabaseError("Table unknown");
    });
    handler(7);
    EXPECT_EQ(received, 7);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("Table unknown."));
}

TEST(Application, StartupFailureShowsApplicationErrorAndExitsWithOne)
{
    RecordedBoxes boxes;
    EXPECT_EQ(TApplication::instance().startup([] {}), 0);
    EXPECT_TRUE(boxes.shown.empty());

    const int code = TApplication::instance().startup(
        [] { throw EDatabaseError("Driver/Connection Registry File '/x/dbxconnections.ini' not found"); });
    EXPECT_EQ(code, 1);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].caption, QStringLiteral("Application Error"));
    const std::string text = boxes.shown[0].text.toStdString();
    const std::regex format("Exception EDatabaseError in module runtime_tests at [0-9A-F]{"
                            + std::to_string(2 * sizeof(void*))
                            + "}\\.\r\nDriver/Connection Registry File '/x/dbxconnections.ini' not found\\.\r\n");
    EXPECT_TRUE(std::regex_match(text, format)) << text;
}

TEST(MessageBox, UnansweredBoxesReturnTheDefaultWithoutBlocking)
{
    // No handler, and no QApplication or the offscreen platform: nothing is shown, nothing waits.
    EXPECT_EQ(MessageBox::show("t", "text", QMessageBox::Question, QMessageBox::Yes | QMessageBox::No),
              QMessageBox::Yes);
    EXPECT_EQ(MessageBox::show("t", "text", QMessageBox::Question, QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No),
              QMessageBox::No);
    MessageBox::ScopedHandler answer([](const MessageBox::Request&) { return QMessageBox::Cancel; });
    EXPECT_EQ(MessageBox::show("t", "text", QMessageBox::Question, QMessageBox::Ok | QMessageBox::Cancel),
              QMessageBox::Cancel);
}
