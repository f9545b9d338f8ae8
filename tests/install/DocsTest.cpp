// The programs' option tables and their man pages. Each parser looks its options up in its table
// and --help is written from it, so a table entry without help text, or an option the man page
// does not list as --help spells it, fails here. Each page renders without a warning.
#include "CaseName.h"
#include "LaunchOptions.h"
#include "RunProgram.h"
#include "SnmpToolArgs.h"
#include "TftpdOptions.h"
#include "agent/Options.h"
#include "control/ControlChannel.h"

#include <functional>
#include <sstream>

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

/// One option as --help shows it: "--port N", "--help, -h", "/t<n>".
struct Documented
{
    QString head;
    QString help;
};

QString headOf(const char *name, const char *alias, const char *value, const char *between)
{
    QString head = QLatin1String(name);
    if (alias != nullptr) {
        head += QStringLiteral(", ") + QLatin1String(alias);
    }
    if (value != nullptr) {
        head += QLatin1String(between) + QLatin1String(value);
    }
    return head;
}

QList<Documented> moduleOptions()
{
    QList<Documented> options;
    for (const LaunchSwitch &s : LaunchSwitches()) {
        options.append({headOf(s.name, nullptr, s.value, ""), QLatin1String(s.help)});
    }
    return options;
}

QList<Documented> simulatorOptions()
{
    QList<Documented> options;
    for (const sim::OptionSpec &o : sim::optionTable()) {
        options.append({headOf(o.name, o.alias, o.value, " "), QLatin1String(o.help)});
    }
    return options;
}

QList<Documented> snmpOptions()
{
    QList<Documented> options;
    for (const snmptool::OptionSpec &o : snmptool::optionTable()) {
        options.append({headOf(o.name, o.alias, o.value, " "), QLatin1String(o.help)});
    }
    return options;
}

QList<Documented> tftpdOptions()
{
    QList<Documented> options;
    for (const TftpdOption &o : tftpdOptionTable()) {
        options.append({headOf(o.name, o.alias, o.value, " "), QLatin1String(o.help)});
    }
    return options;
}

/// The control channel's commands as `help` lists them: the leading words of each entry that are
/// neither placeholders nor options ("get", "source list", "fault silent").
QStringList controlCommands()
{
    QStringList commands;
    std::istringstream lines(sim::ControlChannel::helpText());
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty() || line.front() == ' ') {
            continue; // a continuation
        }
        QStringList words;
        for (const QString &word : QString::fromStdString(line).split(u' ', Qt::SkipEmptyParts)) {
            if (!QRegularExpression(QStringLiteral("^[a-z]+$")).match(word).hasMatch()) {
                break;
            }
            words.append(word);
            if (words.front() != u"fault" && words.front() != u"source") {
                break; // only these two take a second command word
            }
            if (words.size() == 2) {
                break;
            }
        }
        commands.append(words.join(u' '));
    }
    return commands;
}

struct Program
{
    const char *name;    // the case
    const char *program; // as its man page's title names it
    const char *page;    // below docs/man
    std::function<QList<Documented>()> options;
    std::function<QString()> usage;
};

void PrintTo(const Program &p, std::ostream *out)
{
    *out << p.name;
}

const Program kPrograms[] = {
    {"Module", "kva7310-module", "kva7310-module.1", moduleOptions, LaunchUsage},
    {"Simulator", "kva7310-sim", "kva7310-sim.1", simulatorOptions,
        [] { return QString::fromStdString(sim::usageText()); }},
    {"Snmp", "kva7310-snmp", "kva7310-snmp.1", snmpOptions, snmptool::usage},
    {"Tftpd", "kva7310-tftpd", "kva7310-tftpd.8", tftpdOptions, tftpdUsage},
};

QString pagePath(const Program &p)
{
    return qEnvironmentVariable("KVA7310_SOURCE_DIR") + QStringLiteral("/docs/man/")
        + QLatin1String(p.page);
}

/// The page as man shows it at 80 columns; `locale` "C" gives plain ASCII hyphens.
kvatest::Finished renderPage(const Program &p, const char *locale, bool warnings)
{
    const QString man = kvatest::requireTool("man", "man-db");
    if (man.isEmpty()) {
        return {};
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("MANWIDTH"), QStringLiteral("80"));
    env.insert(QStringLiteral("LC_ALL"), QLatin1String(locale));
    env.remove(QStringLiteral("MAN_KEEP_FORMATTING"));
    QStringList arguments;
    if (warnings) {
        arguments << QStringLiteral("--warnings");
    }
    arguments << QStringLiteral("-l") << pagePath(p);
    return kvatest::runProgram(man, arguments, env, QString(), 60000);
}

class ProgramDocs : public testing::TestWithParam<Program>
{ };

TEST_P(ProgramDocs, EveryOptionHasHelpTextInTheUsage)
{
    const QString usage = GetParam().usage();
    const QList<Documented> options = GetParam().options();
    ASSERT_FALSE(options.isEmpty());
    for (const Documented &o : options) {
        SCOPED_TRACE(o.head.toStdString());
        EXPECT_FALSE(o.help.trimmed().isEmpty()) << "no help text";
        EXPECT_TRUE(usage.contains(o.head)) << usage.toStdString();
        EXPECT_TRUE(usage.contains(o.help.section(u'\n', 0, 0))) << usage.toStdString();
    }
    for (const char *word : {"--help", "--version"}) {
        EXPECT_TRUE(usage.contains(QLatin1String(word))) << word;
    }
}

TEST_P(ProgramDocs, ManPageRendersWithoutWarnings)
{
    for (const char *locale : {"C", "C.UTF-8"}) {
        SCOPED_TRACE(locale);
        const kvatest::Finished shown = renderPage(GetParam(), locale, true);
        ASSERT_TRUE(shown.ok()) << shown.describe();
        EXPECT_EQ(shown.err, "");
        EXPECT_TRUE(shown.out.contains(QByteArray(GetParam().program).toUpper()));
    }
}

TEST_P(ProgramDocs, ManPageListsEveryOptionAsTheHelpSpellsIt)
{
    const kvatest::Finished shown = renderPage(GetParam(), "C", false);
    ASSERT_TRUE(shown.ok()) << shown.describe();
    const QString page = QString::fromUtf8(shown.out);
    for (const Documented &o : GetParam().options()) {
        EXPECT_TRUE(page.contains(o.head)) << o.head.toStdString() << " is not in the page";
    }
    for (const char *word : {"--help", "--version", "EXIT STATUS", "ENVIRONMENT"}) {
        EXPECT_TRUE(page.contains(QLatin1String(word))) << word;
    }
}

INSTANTIATE_TEST_SUITE_P(Programs, ProgramDocs, testing::ValuesIn(kPrograms), kvatest::caseName);

TEST(SimulatorManPage, ListsEveryControlCommandAndFault)
{
    const kvatest::Finished shown = renderPage(kPrograms[1], "C", false);
    ASSERT_TRUE(shown.ok()) << shown.describe();
    const QString page = QString::fromUtf8(shown.out);
    const QStringList commands = controlCommands();
    ASSERT_TRUE(commands.contains(QStringLiteral("fault silent")));
    for (const QString &command : commands) {
        EXPECT_TRUE(page.contains(command)) << command.toStdString() << " is not in the page";
    }
}

} // namespace
