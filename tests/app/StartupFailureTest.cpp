// The built program, run as a child process against configuration files in a temporary
// EXEDIR: every way the connection can fail at start-up ends it with exit code 1 and the
// "Application Error" report on standard error.

#include "AppTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct FailureCase {
    const char* name;
    // Lays out the directory; returns the text the report must contain.
    std::function<std::string(AppTestDir&)> arrange;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

const std::string kPlugin = "libdbxfb.so";

std::vector<FailureCase> failureCases()
{
    return {
        {"MissingConnectionFile",
         [](AppTestDir& d) {
             d.writeDrivers();
             return "Driver/Connection Registry File '" + d.path("dbxconnections.ini") + "' not found.";
         }},
        {"NoDulmarSection",
         [](AppTestDir& d) {
             d.writeDrivers();
             d.writeFile("dbxconnections.ini", "[Other]\r\nDriverName=Interbase\r\nDatabase=x.fdb\r\n");
             return std::string("Missing DriverName property.");
         }},
        {"MissingDriverFile",
         [](AppTestDir& d) {
             d.writeConnection("x.fdb");
             return std::string("DLL/Shared Library Name not Set.");
         }},
        {"DriverLibraryCannotBeLoaded",
         [](AppTestDir& d) {
             d.writeDrivers("libdbxnothere.so");
             d.writeConnection("x.fdb");
             return std::string("Unable to Load libdbxnothere.so.");
         }},
        {"VendorLibraryCannotBeLoaded",
         [](AppTestDir& d) {
             d.writeDrivers(kPlugin, "libfbnothere.so.2");
             d.writeConnection("x.fdb");
             return std::string("Unable to Load libfbnothere.so.2.");
         }},
        {"EntryPointMissing",
         [](AppTestDir& d) {
             d.writeDrivers(kPlugin, "libfbclient.so.2", "getSQLDriverNOTHERE");
             d.writeConnection("x.fdb");
             return std::string("Unable to Find Procedure getSQLDriverNOTHERE.");
         }},
        {"ServerUnreachable",
         [](AppTestDir& d) {
             d.writeDrivers();
             // Nothing listens on port 1 of the loopback address.
             d.writeConnection("127.0.0.1/1:/data/POSDATA.GDB");
             return std::string("Unable to complete network request to host \"127.0.0.1\"");
         }},
        {"SectionDatabaseIsTheOneOpened",
         [](AppTestDir& d) {
             d.writeDrivers();
             // The stored value names a server; the section's file, which does not exist, is
             // the one the engine is asked for.
             d.writeConnection(d.path("missing.fdb"));
             return "\"" + d.path("missing.fdb") + "\"";
         }},
    };
}

class StartupFailure : public ::testing::TestWithParam<FailureCase> {};

}

TEST_P(StartupFailure, EndsWithExitCodeOneAndTheReport)
{
    AppTestDir dir;
    const std::string expected = GetParam().arrange(dir);
    const AppTestDir::Run run = dir.runProgram();
    ASSERT_TRUE(run.finished) << "the program did not end:\n" << run.standardError.toStdString();
    EXPECT_EQ(run.exitCode, 1);
    const std::string err = run.standardError.toStdString();
    EXPECT_NE(err.find("Application Error"), std::string::npos) << err;
    EXPECT_NE(err.find("Exception "), std::string::npos) << err;
    EXPECT_NE(err.find(" in module cust_prod at "), std::string::npos) << err;
    EXPECT_NE(err.find(expected), std::string::npos) << "expected: " << expected << "\nstderr:\n" << err;
}

INSTANTIATE_TEST_SUITE_P(Connection, StartupFailure, ::testing::ValuesIn(failureCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StartupFailureOnServer, ServerRefusingTheUserEndsWithItsMessage)
{
    const auto server = findTestServer();
    if (!server)
        GTEST_SKIP() << "no Firebird server on loopback (scripts/firebird-server.sh start)";
    AppTestDir dir;
    dir.writeDrivers();
    dir.writeConnection(server->host + ":/var/lib/firebird/3.0/data/POSDATA.GDB", server->user, "not-the-password");
    const AppTestDir::Run run = dir.runProgram();
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 1);
    const std::string err = run.standardError.toStdString();
    EXPECT_NE(err.find("Application Error"), std::string::npos) << err;
    EXPECT_NE(err.find("Your user name and password are not defined"), std::string::npos) << err;
}
