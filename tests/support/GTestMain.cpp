// Test entry point: GoogleTest with, where the test needs one, a Qt application object.
#include <gtest/gtest.h>

#if defined(KVA_TEST_APP_GUI)
#include <QApplication>
using TestApp = QApplication;
#elif defined(KVA_TEST_APP_CORE)
#include <QCoreApplication>
using TestApp = QCoreApplication;
#endif

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
#if defined(KVA_TEST_APP_GUI) || defined(KVA_TEST_APP_CORE)
    TestApp app(argc, argv);
#endif
    return RUN_ALL_TESTS();
}
