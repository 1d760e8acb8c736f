// One QApplication for a widget test program (offscreen platform, no input method module),
// made before the first test. It is never destroyed: Qt's test input devices are torn down at
// exit and must not outlive it. Test programs that need nothing else of Qt add this file to
// their sources.
#include <QApplication>
#include <gtest/gtest.h>

#include <cerrno>

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (qgetenv("QT_QPA_PLATFORM").isEmpty())
            qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("QT_IM_MODULE", "none");
        static int argc = 1;
        static char* argv[] = {program_invocation_name, nullptr};
        new QApplication(argc, argv);
    }
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
