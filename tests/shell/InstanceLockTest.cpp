// One module per device address: the lock by caption, across processes and after a crash.
#include "ChildCheck.h"
#include "InstanceLock.h"
#include "QtPrinters.h"
#include "ScopedEnv.h"

#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kCaption1 = QStringLiteral("KVA-7310 : 127.0.0.1");
const QString kCaption2 = QStringLiteral("KVA-7310 : 127.0.0.2");

class InstanceLockTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString dir() const { return m_dir.path(); }

    /// Another process holding the lock for a caption, started and waited for.
    void startHolder(QProcess &holder, const QString &caption)
    {
        holder.start(QStringLiteral(KVA_LOCK_HOLDER), {dir(), caption});
        ASSERT_TRUE(holder.waitForStarted());
        ASSERT_TRUE(holder.waitForReadyRead(10000));
        ASSERT_EQ(holder.readLine().trimmed(), QByteArray("LOCKED"));
    }

private:
    QTemporaryDir m_dir;
};

TEST_F(InstanceLockTest, TwoAddressesBothLockTheSameAddressIsRefused)
{
    InstanceLock first;
    InstanceLock second;
    InstanceLock again;
    EXPECT_EQ(first.acquire(dir(), kCaption1), InstanceLock::Result::Acquired);
    EXPECT_EQ(second.acquire(dir(), kCaption2), InstanceLock::Result::Acquired);
    EXPECT_EQ(again.acquire(dir(), kCaption1), InstanceLock::Result::AlreadyRunning);
    EXPECT_FALSE(again.held());

    first.release();
    EXPECT_EQ(again.acquire(dir(), kCaption1), InstanceLock::Result::Acquired);
}

TEST_F(InstanceLockTest, LockOfAnotherProcessRefusesUntilItEnds)
{
    QProcess holder;
    startHolder(holder, kCaption1);
    InstanceLock lock;
    EXPECT_EQ(lock.acquire(dir(), kCaption1), InstanceLock::Result::AlreadyRunning);
    EXPECT_EQ(lock.acquire(dir(), kCaption2), InstanceLock::Result::Acquired);
    holder.closeWriteChannel();
    ASSERT_TRUE(holder.waitForFinished(10000));
    kvatest::expectCleanEnd(holder, holder.readAllStandardError(), QStringLiteral("lock holder"));
    EXPECT_EQ(lock.acquire(dir(), kCaption1), InstanceLock::Result::Acquired);
}

TEST_F(InstanceLockTest, LockOfAKilledProcessDoesNotBlock)
{
    QProcess holder;
    startHolder(holder, kCaption1);
    holder.kill(); // SIGKILL: no chance to clean up
    ASSERT_TRUE(holder.waitForFinished(10000));
    ASSERT_TRUE(QFile::exists(InstanceLock::fileName(dir(), kCaption1))); // the file stays behind
    InstanceLock lock;
    EXPECT_EQ(lock.acquire(dir(), kCaption1), InstanceLock::Result::Acquired);
}

TEST_F(InstanceLockTest, CaptionWithAnyTextGivesAFileInTheDirectory)
{
    const QString odd = QStringLiteral("KVA-7310 : ../../x/\n\u00e9");
    const QString file = InstanceLock::fileName(dir(), odd);
    EXPECT_TRUE(file.startsWith(dir() + u'/'));
    EXPECT_FALSE(file.mid(dir().size() + 1).contains(u'/'));
    EXPECT_NE(file, InstanceLock::fileName(dir(), kCaption1));
    InstanceLock lock;
    EXPECT_EQ(lock.acquire(dir(), odd), InstanceLock::Result::Acquired);
}

TEST_F(InstanceLockTest, DirectoryFromEnvironment)
{
    ScopedEnv env;
    env.set("KVA7310_LOCK_DIR", "/some/where");
    EXPECT_EQ(InstanceLock::directory(), QStringLiteral("/some/where"));
    env.unset("KVA7310_LOCK_DIR");
    env.set("XDG_RUNTIME_DIR", "/run/user/7");
    EXPECT_EQ(InstanceLock::directory(), QStringLiteral("/run/user/7/kva7310"));
    env.unset("XDG_RUNTIME_DIR");
    EXPECT_EQ(
        InstanceLock::directory(), QStringLiteral("/tmp/kva7310-") + QString::number(::getuid()));
}

TEST_F(InstanceLockTest, MissingDirectoryIsCreatedPrivate)
{
    const QString nested = dir() + QStringLiteral("/runtime/kva7310");
    InstanceLock lock;
    ASSERT_EQ(lock.acquire(nested, kCaption1), InstanceLock::Result::Acquired);
    EXPECT_EQ(
        QFile::permissions(nested) & (QFile::WriteGroup | QFile::WriteOther), QFile::Permissions());
}

TEST_F(InstanceLockTest, DirectoryOthersMayWriteIsNotTrusted)
{
    ASSERT_TRUE(QFile::setPermissions(dir(),
        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::WriteOther
            | QFile::ExeOther));
    InstanceLock lock;
    EXPECT_EQ(lock.acquire(dir(), kCaption1), InstanceLock::Result::Failed);
    EXPECT_FALSE(lock.errorText().isEmpty());
}

} // namespace
