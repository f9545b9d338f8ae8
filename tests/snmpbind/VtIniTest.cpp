// Plain INI reading and path joining.
#include "CaseName.h"
#include "VtIni.h"

#include <ostream>
#include <string>

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct IniCase
{
    const char *name;
    const char *section;
    const char *key;
    const char *expected;
};

// Cases print as their names in test listings.
void PrintTo(const IniCase &c, std::ostream *os)
{
    *os << c.name;
}

// Values with commas, semicolons and backslashes come back verbatim.
const IniCase kIni[] = {
    {"ValueWithCommaSemicolonBackslash", "Program Information", "Community", "pub,lic;x\\y"},
    {"SectionAndKeyIgnoreCase", "PROGRAM information", "COMMUNITY", "pub,lic;x\\y"},
    {"FirstMatchWins", "Program Information", "Version", "2"},
    {"BlanksAroundTrimmed", "Program Information", "AuthPassword", "a b"},
    {"EmptyValueIsEmpty", "Program Information", "Empty", ""},
    {"KeyOfAnotherSection", "Program Information", "Other", "(default)"},
    {"SecondSectionRead", "Other Section", "Other", "x"},
    {"MissingSection", "Absent", "Version", "(default)"},
    {"MissingKey", "Program Information", "Absent", "(default)"},
    {"CommentIsNoKey", "Program Information", ";Version", "(default)"},
    {"QuotesKept", "Program Information", "Quoted", "\"v\""},
};

class VtIniRead : public testing::TestWithParam<IniCase>
{
protected:
    void SetUp() override
    {
        QFile file(m_dir.filePath(QStringLiteral("192.168.0.50.cfg")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("; written by hand\r\n"
                   "[ Program Information ]\r\n"
                   "Version=2\r\n"
                   "Community = pub,lic;x\\y \r\n"
                   "version=3\r\n"
                   "  AuthPassword =  a b  \r\n"
                   "Empty=\r\n"
                   ";Version=9\r\n"
                   "Quoted=\"v\"\r\n"
                   "[Other Section]\r\n"
                   "Other=x\r\n");
    }

    QTemporaryDir m_dir;
};

TEST_P(VtIniRead, ReadsOneValue)
{
    const IniCase &c = GetParam();
    const VtIni ini(m_dir.filePath(QStringLiteral("192.168.0.50.cfg")));
    EXPECT_EQ(ini.ReadString(QString::fromLatin1(c.section), QString::fromLatin1(c.key),
                     QStringLiteral("(default)"))
                  .toStdString(),
        c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, VtIniRead, testing::ValuesIn(kIni), kvatest::caseName);

TEST(VtIni, MissingFileGivesDefaultAndLongValuesAreCut)
{
    QTemporaryDir dir;
    EXPECT_EQ(VtIni(dir.filePath(QStringLiteral("absent.cfg")))
                  .ReadString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("d")),
        QStringLiteral("d"));

    QFile file(dir.filePath(QStringLiteral("long.cfg")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[S]\nK=" + QByteArray(5000, 'v') + "\n");
    file.close();
    EXPECT_EQ(
        VtIni(file.fileName()).ReadString(QStringLiteral("s"), QStringLiteral("k")).size(), 4095);
}

// Each key read used to open the file again: a launch read it 33 times.
TEST(VtIni, KeepsTheTextItReadUntilItsFileNameChanges)
{
    QTemporaryDir dir;
    const auto write = [&dir](const char *name, const QByteArray &text) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
        return file.fileName();
    };
    VtIni ini(write("a.cfg", "[S]\nK=first\n"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("S"), QStringLiteral("K")), QStringLiteral("first"));
    write("a.cfg", "[S]\nK=second\n");
    EXPECT_EQ(ini.ReadString(QStringLiteral("S"), QStringLiteral("K")), QStringLiteral("first"));

    ini.FileName = write("b.cfg", "[S]\nK=other\n");
    EXPECT_EQ(ini.ReadString(QStringLiteral("S"), QStringLiteral("K")), QStringLiteral("other"));
    ini.FileName = dir.filePath(QStringLiteral("absent.cfg"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("d")),
        QStringLiteral("d"));
    ini.FileName = dir.filePath(QStringLiteral("a.cfg"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("S"), QStringLiteral("K")), QStringLiteral("second"));
}

struct JoinCase
{
    const char *name;
    const char *directory;
    const char *file;
    const char *joined;
};

// Cases print as their names in test listings.
void PrintTo(const JoinCase &c, std::ostream *os)
{
    *os << c.name;
}

const JoinCase kJoin[] = {
    {"EmptyDirectoryGivesName", "", "VtSNMP_PP_BootCounter", "VtSNMP_PP_BootCounter"},
    {"TrailingBackslashNotDoubled", "C:\\KVA\\", "VtSNMP_PP_BootCounter",
        "C:\\KVA\\VtSNMP_PP_BootCounter"},
    {"TrailingSlashNotDoubled", "/var/lib/kva/", "f", "/var/lib/kva/f"},
    {"SeparatorAdded", "/var/lib/kva", "f", "/var/lib/kva/f"},
};

class JoinPathCases : public testing::TestWithParam<JoinCase>
{ };

TEST_P(JoinPathCases, JoinsOnce)
{
    const JoinCase &c = GetParam();
    EXPECT_EQ(JoinPath(QString::fromLatin1(c.directory), QString::fromLatin1(c.file)).toStdString(),
        c.joined);
}

INSTANTIATE_TEST_SUITE_P(Cases, JoinPathCases, testing::ValuesIn(kJoin), kvatest::caseName);

} // namespace
