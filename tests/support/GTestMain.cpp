// Test entry point: GoogleTest with, where the test needs one, a Qt application object, and the
// environment every test relies on (offscreen Qt, no MIB loading, where the programs are). Every
// test runs with configuration, state, runtime and Net-SNMP directories of its own, made for it
// and removed after it, so no test can read or write the user's files or another test's.
#include <cstdlib>
#include <filesystem>
#include <stdlib.h>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

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

// The per-test directories: set as each test starts, removed and the variables put back as it ends.
class PrivateDirectories : public testing::EmptyTestEventListener
{
public:
    void OnTestStart(const testing::TestInfo &) override
    {
        std::error_code ignored;
        const std::filesystem::path base = std::filesystem::temp_directory_path(ignored);
        std::string pattern = (base / "kva7310-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            return; // the test runs with the environment as it is
        }
        m_root = pattern;
        for (const char *sub : {"config", "state", "runtime", "snmp"}) {
            std::filesystem::create_directory(m_root / sub, ignored);
        }
        std::filesystem::permissions(m_root / "runtime", std::filesystem::perms::owner_all,
            std::filesystem::perm_options::replace, ignored); // as Qt wants it
        set("XDG_CONFIG_HOME", m_root / "config");
        set("XDG_STATE_HOME", m_root / "state");
        set("XDG_RUNTIME_DIR", m_root / "runtime");
        set("SNMP_PERSISTENT_DIR", m_root / "snmp");
        set("KVA7310_PLATFORM_INI",
            m_root / "config" / "platform.ini"); // none unless a test writes it
    }

    void OnTestEnd(const testing::TestInfo &) override
    {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
            if (it->second.first) {
                setenv(it->first.c_str(), it->second.second.c_str(), 1);
            } else {
                unsetenv(it->first.c_str());
            }
        }
        m_saved.clear();
        if (!m_root.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(m_root, ignored);
            m_root.clear();
        }
    }

private:
    void set(const char *name, const std::filesystem::path &value)
    {
        const char *old = std::getenv(name);
        m_saved.emplace_back(name, std::make_pair(old != nullptr, std::string(old ? old : "")));
        setenv(name, value.c_str(), 1);
    }

    std::filesystem::path m_root;
    std::vector<std::pair<std::string, std::pair<bool, std::string>>> m_saved;
};

} // namespace

int main(int argc, char **argv)
{
    prepareEnvironment();
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new PrivateDirectories);
#if defined(KVA_TEST_APP_GUI) || defined(KVA_TEST_APP_CORE)
    TestApp app(argc, argv);
#endif
    return RUN_ALL_TESTS();
}
