// Status mapping, built-in message texts, exceptions and catalog files.
#include "CaseName.h"
#include "VtSNMPError.h"

#include <ostream>
#include <string>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct StatusCase
{
    const char *name;
    int status;
    int code;
    const char *message;
};

// Cases print as their names in test listings.
void PrintTo(const StatusCase &c, std::ostream *os)
{
    *os << c.name;
}

const StatusCase kStatuses[] = {
    {"Success", 0, 0, "(VtSNMP++) Ok!"},
    {"UsmSuccess", 1400, 0, "(VtSNMP++) Ok!"},
    {"MessageProcessingSuccess", -1401, 0, "(VtSNMP++) Ok!"},
    {"TooBig", 1, -101, "(SNMP) Response PDU Too Big!"},
    {"NoSuchName", 2, -102, "(SNMP) Variable does not exist!"},
    {"InconsistentName", 18, -118, "(SNMP) Cannot create variable, Inconsistent Name!"},
    {"AgentStatus19Unknown", 19, -528, "(VtSNMP++) Unknown error code!"},
    {"ClassFirst", -1, -401, "(SNMPClass) Operation failed!"},
    {"TimedOut", -5, -405, "(SNMPClass) SNMP request timed out!"},
    {"ClassUnknownCodeText", -9, -409, "(SNMPClass)Unknown error code!"},
    {"ClassTransportText", -20, -420, "(SNMP Class) Transport is not supported!"},
    {"ClassLast", -23, -423, "(SNMPClass) Blocked Mode Shutdown!"},
    {"BelowClassRange", -24, -528, "(VtSNMP++) Unknown error code!"},
    {"UsmFirst", 1401, -301, "(SNMPv3USM) error!"},
    {"UsmPrivProtocol", 1413, -313, "(SNMPv3USM) Unsupported PrivProtocol!"},
    {"UsmAddress", 1414, -314, "(SNMPv3USM) Address error!"},
    {"AboveUsmRange", 1415, -528, "(VtSNMP++) Unknown error code!"},
    {"BelowUsmRange", 1399, -528, "(VtSNMP++) Unknown error code!"},
    {"V3First", -1402, -201, "(SNMPv3) Unsupported Security Model!"},
    {"V3UnknownUser", -1412, -211, "(SNMPv3) Unknown UserName!"},
    {"V3Last", -1418, -217, "(SNMPv3) Report sent!"},
    {"BelowV3Range", -1419, -528, "(VtSNMP++) Unknown error code!"},
};

class ErrorFromStatusCases : public testing::TestWithParam<StatusCase>
{ };

TEST_P(ErrorFromStatusCases, MapsCodeAndMessage)
{
    const StatusCase &c = GetParam();
    const VtSNMPError e = ErrorFromStatus(c.status);
    EXPECT_EQ(e.Code, c.code);
    EXPECT_EQ(e.Message.toStdString(), c.message);
    EXPECT_EQ(e.ErrorIndex, 0);
    EXPECT_EQ(e.ErrorCount, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ErrorFromStatusCases, testing::ValuesIn(kStatuses), kvatest::caseName);

// Texts whose spelling a reviewer might "fix"; they are shipped that way.
TEST(BuiltInTexts, KeepTheirShippedSpelling)
{
    EXPECT_EQ(CatalogText(VtCatalog::Common, 14),
        QStringLiteral("(VtCommon) The source to dncrypt is not encrypted!"));
    EXPECT_EQ(CatalogText(VtCatalog::VtSnmp, 2),
        QStringLiteral(
            "(VtSNMP++) Bad format at line([LINENO])in SNMP variables file([FILENAME])!"));
    EXPECT_EQ(CatalogText(VtCatalog::VtSnmp, 20),
        QStringLiteral("(VtSNMP++) No reference option list for a SNMP variable's (partial) data "
                       "associating with a optional visual control!"));
    EXPECT_EQ(CatalogText(VtCatalog::Message, 1),
        QStringLiteral("Set: [ERROR] Request:[VARLIST]. Receive at [TIME]."));
    EXPECT_EQ(CatalogText(VtCatalog::Common, 10),
        QStringLiteral("(VtCommon) Please enter a delimited number string with delimiter "
                       "'[DELIMITER]'.\nHere,the count of the number is equal to [COUNT]!"));
    EXPECT_TRUE(CatalogText(VtCatalog::Agent, 18).isEmpty());
    EXPECT_TRUE(CatalogText(VtCatalog::Agent, -1).isEmpty());
}

TEST(Raise, LibraryAndCommonErrorsCarryTextAndCode)
{
    try {
        RaiseLibraryError(9);
    } catch (const VtException &e) {
        EXPECT_EQ(e.Code(), -509);
        EXPECT_EQ(e.Message(), QStringLiteral("(VtSNMP++) Invalid IP Address or DNS name!"));
        EXPECT_STREQ(e.what(), "(VtSNMP++) Invalid IP Address or DNS name!");
    }
    try {
        RaiseCommonError(11,
            {{"DELIMITER", QStringLiteral(",")}, {"MIN", QStringLiteral("1")},
                {"MAX", QStringLiteral("4094")}});
    } catch (const VtException &e) {
        EXPECT_EQ(e.Code(), -11);
        EXPECT_EQ(e.Message(),
            QStringLiteral("(VtCommon) Please enter a delimited number string with delimiter "
                           "','.\nHere,each number is between 1 and 4094!"));
    }
}

class Catalogs : public testing::Test
{
protected:
    void TearDown() override { ResetCatalogs(); }

    QString write(const QString &name, const QByteArray &content)
    {
        QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }

    QTemporaryDir m_dir;
};

TEST_F(Catalogs, BlankLinesTakeNoPositionAndShortFilesKeepBuiltInTexts)
{
    LoadCatalog(VtCatalog::Agent, write("snmp.err", "Too big\n   \t\nNo such name\n"));
    EXPECT_EQ(CatalogText(VtCatalog::Agent, 0), QStringLiteral("Too big"));
    EXPECT_EQ(CatalogText(VtCatalog::Agent, 1), QStringLiteral("No such name"));
    EXPECT_EQ(CatalogText(VtCatalog::Agent, 2),
        QStringLiteral("(SNMP) Cannot modify variable: Bad Value!"));
    // Every later message uses the replaced text.
    EXPECT_EQ(ErrorFromStatus(2).Message, QStringLiteral("No such name"));
}

TEST_F(Catalogs, CrLfEndingsAndEscapedLineBreaks)
{
    LoadCatalog(VtCatalog::Common, write("common.err", "Ok \r\nFirst\\nSecond\r\n"));
    EXPECT_EQ(CatalogText(VtCatalog::Common, 0), QStringLiteral("Ok "));
    EXPECT_EQ(CatalogText(VtCatalog::Common, 1), QStringLiteral("First\nSecond"));
}

TEST_F(Catalogs, LongLinesAreReadInPiecesOf1023)
{
    const QByteArray longLine(1500, 'x');
    LoadCatalog(VtCatalog::Usm, write("snmpusm.err", longLine + "\nlast"));
    EXPECT_EQ(CatalogText(VtCatalog::Usm, 0).size(), 1023);
    EXPECT_EQ(CatalogText(VtCatalog::Usm, 1).size(), 477);
    EXPECT_EQ(CatalogText(VtCatalog::Usm, 2), QStringLiteral("last"));
    // A line of exactly 1023 characters leaves its line feed as a blank piece.
    LoadCatalog(VtCatalog::Usm, write("exact.err", QByteArray(1023, 'y') + "\nnext\n"));
    EXPECT_EQ(CatalogText(VtCatalog::Usm, 1), QStringLiteral("next"));
}

TEST_F(Catalogs, MissingOrBlankFilesKeepTheCatalog)
{
    LoadCatalog(VtCatalog::SnmpV3, write("snmpv3.err", "Replaced\n"));
    LoadCatalog(VtCatalog::SnmpV3, m_dir.filePath("absent.err"));
    LoadCatalog(VtCatalog::SnmpV3, write("blank.err", "\n \r\n\t\n"));
    EXPECT_EQ(CatalogText(VtCatalog::SnmpV3, 0), QStringLiteral("Replaced"));
    ResetCatalogs();
    EXPECT_EQ(
        CatalogText(VtCatalog::SnmpV3, 0), QStringLiteral("(SNMPv3) Unsupported Security Model!"));
}

// Directories are read when a text is first wanted; the outcome is the one of reading each at
// once: the newest source holding a file with texts wins, whichever kind named it.
TEST_F(Catalogs, TheNewestSourceWithTextsWins)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("a")));
    ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("b")));
    write(QStringLiteral("a/snmp.err"), "A agent\n");
    write(QStringLiteral("a/common.err"), "A common\n");
    write(QStringLiteral("b/snmp.err"), "B agent\n");
    write(QStringLiteral("b/snmpv3.err"), "\n \n");
    LoadCatalogs(m_dir.filePath(QStringLiteral("a")));
    LoadCatalogs(m_dir.filePath(QStringLiteral("b")));
    EXPECT_EQ(CatalogText(VtCatalog::Agent, 0), QStringLiteral("B agent"));
    EXPECT_EQ(CatalogText(VtCatalog::Common, 0), QStringLiteral("A common"));
    EXPECT_EQ(
        CatalogText(VtCatalog::SnmpV3, 0), QStringLiteral("(SNMPv3) Unsupported Security Model!"));

    LoadCatalogs(m_dir.filePath(QStringLiteral("a"))); // not read yet when the next one comes
    LoadCatalog(VtCatalog::Agent, write(QStringLiteral("one.err"), "One agent\n"));
    EXPECT_EQ(CatalogText(VtCatalog::Agent, 0), QStringLiteral("One agent"));
    LoadCatalogs(m_dir.filePath(QStringLiteral("b")));
    EXPECT_EQ(CatalogText(VtCatalog::Agent, 0), QStringLiteral("B agent"));
    EXPECT_EQ(CatalogText(VtCatalog::Common, 0), QStringLiteral("A common"));
    ResetCatalogs();
    EXPECT_NE(CatalogText(VtCatalog::Common, 0), QStringLiteral("A common"));
}

TEST_F(Catalogs, ShippedFilesHoldTheBuiltInTexts)
{
    const VtCatalog all[] = {VtCatalog::Agent, VtCatalog::SnmpV3, VtCatalog::Usm,
        VtCatalog::SnmpClass, VtCatalog::VtSnmp, VtCatalog::Common, VtCatalog::Message};
    const int counts[] = {18, 17, 14, 23, 29, 19, 2};
    const QString dir = qEnvironmentVariable("KVA7310_SOURCE_DIR", QStringLiteral(KVA_SOURCE_DIR))
        + QStringLiteral("/data/errmsg");
    ASSERT_TRUE(QDir(dir).exists()) << dir.toStdString();

    // Mark every position, so a file that is short or misses a line cannot pass.
    for (const VtCatalog c : all) {
        LoadCatalog(c, write(CatalogFileName(c), QByteArray("marker\n").repeated(40)));
    }
    std::vector<std::vector<QString>> builtIn;
    ResetCatalogs();
    for (const VtCatalog c : all) {
        builtIn.emplace_back();
        for (int k = 0; k < 40; ++k) {
            builtIn.back().push_back(CatalogText(c, k));
        }
    }
    LoadCatalogs(dir);
    for (std::size_t i = 0; i < std::size(all); ++i) {
        for (int k = 0; k < 40; ++k) {
            EXPECT_EQ(CatalogText(all[i], k), builtIn[i][std::size_t(k)])
                << CatalogFileName(all[i]).toStdString() << " entry " << k;
        }
        EXPECT_FALSE(CatalogText(all[i], counts[i] - 1).isEmpty());
        EXPECT_TRUE(CatalogText(all[i], counts[i]).isEmpty());
    }
}

} // namespace
