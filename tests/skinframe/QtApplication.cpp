// One QApplication for the widget tests (offscreen platform, no input method module). It is
// never destroyed: Qt's test input devices are torn down at exit and must not outlive it.
#include <QApplication>
#include <gtest/gtest.h>

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
        qputenv("QT_IM_MODULE", "none");
        static int argc = 1;
        static char name[] = "skinframe_tests";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
