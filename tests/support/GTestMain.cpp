// Test entry point: GoogleTest with, where the test needs one, a Qt application object, and the
// environment every test relies on (offscreen Qt, no MIB loading, where the programs are).
#include <cstdlib>

#include <gtest/gtest.h>

#if defined(KVA_TEST_APP_GUI)
#include <QApplication>
using TestApp = QApplication;
#elif defined(KVA_TEST_APP_CORE)
#include <QCoreApplication>
using TestApp = QCoreApplication;
#endif

// Sanitizer defaults, read by the runtimes before main; an explicit ASAN_OPTIONS still wins.
extern "C" const char *__asan_default_options();

extern "C" const char *__asan_default_options()
{
    return "detect_leaks=1:abort_on_error=1";
}

extern "C" const char *__ubsan_default_options();

extern "C" const char *__ubsan_default_options()
{
    return "print_stacktrace=1:halt_on_error=1";
}

namespace {

void setDefault(const char *name, const char *value)
{
    setenv(name, value, 0);
}

void prepareEnvironment()
{
    setDefault("QT_QPA_PLATFORM", "offscreen");
    // Net-SNMP and child programs must never load MIB files or read the user's configuration.
    setDefault("MIBS", "");
    setDefault("MIBDIRS", "");
#ifdef KVA_TEST_RUNTIME_DIR
    setDefault("XDG_RUNTIME_DIR", KVA_TEST_RUNTIME_DIR);
#endif
#ifdef KVA_TEST_BIN_DIR
    setDefault("KVA7310_BIN_DIR", KVA_TEST_BIN_DIR);
#endif
#ifdef KVA_TEST_SOURCE_DIR
    setDefault("KVA7310_SOURCE_DIR", KVA_TEST_SOURCE_DIR);
#endif
}

} // namespace

int main(int argc, char **argv)
{
    prepareEnvironment();
    testing::InitGoogleTest(&argc, argv);
#if defined(KVA_TEST_APP_GUI) || defined(KVA_TEST_APP_CORE)
    TestApp app(argc, argv);
#endif
    return RUN_ALL_TESTS();
}
