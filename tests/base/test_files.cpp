#include "base/Files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace fileio;

namespace {

QByteArray Contents(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

TEST(WriteFile, FailureLeavesTheOldFileIntact)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("keep.grz");
    QString error;
    ASSERT_TRUE(WriteFileAtomically(name, "old", error));
    EXPECT_FALSE(WriteFileAtomically(dir.filePath("no/such/dir/x.grz"), "new", error));
    EXPECT_TRUE(error.contains("x.grz"));
    EXPECT_EQ(Contents(name), QByteArray("old"));
}

// A small file is the dangerous case: it fits the write buffer, so only the final flush
// meets the full disk.
TEST(WriteFile, FullDiskKeepsTheOldFileAndSaysSo)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "mounting a small file system needs root";
    QTemporaryDir dir;
    const QByteArray mountPoint = QFile::encodeName(dir.path());
    if (mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here";
    struct Unmount {
        QByteArray at;
        ~Unmount() { umount(at.constData()); }
    } unmount{mountPoint};
    const QString name = dir.filePath("keep.txt");
    QString error;
    ASSERT_TRUE(WriteFileAtomically(name, "old text", error));
    {
        QFile filler(dir.filePath("filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(4096, 'x')) > 0) {
        }
    }
    for (int size : {100, 5000, 100000}) {
        error.clear();
        EXPECT_FALSE(WriteFileAtomically(name, QByteArray(size, 'n'), error)) << size;
        EXPECT_EQ(error, "Не удается записать файл \"" + name + "\"");
        EXPECT_EQ(Contents(name), QByteArray("old text"));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"filler", "keep.txt"}));
}

// The new file has no name until it is complete: a program killed while writing leaves the
// old file and nothing else.
TEST(WriteFile, KilledWriterLeavesNoTrace)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("keep.grz");
    QString error;
    ASSERT_TRUE(WriteFileAtomically(name, "old", error));
    const QByteArray big(64 << 20, 'b');
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        QString e;
        while (true)
            WriteFileAtomically(name, big, e);
    }
    // Wait until the writer holds a file open in the folder, then kill it.
    const QString fds = QStringLiteral("/proc/%1/fd").arg(child);
    const QByteArray folder = QFile::encodeName(dir.path());
    bool writing = false;
    for (int i = 0; i < 20000 && !writing; ++i) {
        for (const QString &fd : QDir(fds).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
            char target[4096];
            const ssize_t n = readlink(QFile::encodeName(fds + '/' + fd).constData(), target, sizeof target);
            if (n > 0 && QByteArray(target, int(n)).startsWith(folder))
                writing = true;
        }
        if (!writing)
            usleep(100);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_TRUE(writing);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"keep.grz"}));
    const QByteArray now = Contents(name);
    EXPECT_TRUE(now == "old" || now == big) << now.size();
}

TEST(Extensions, FromTheLastPointInUpperCase)
{
    EXPECT_EQ(UpperExtension("a/photo.JpG"), ".JPG");
    EXPECT_EQ(UpperExtension("x.tar.grz"), ".GRZ");
    EXPECT_EQ(UpperExtension("noext"), "");
    EXPECT_EQ(FileNamePart("/tmp/dir/Image1.bmp"), "Image1.bmp");
}
