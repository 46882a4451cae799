#include "canvas/savefile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <ios>
#include <stdexcept>
#include <string>
#include <vector>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace liquidus {
namespace {

class SaveFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::string Path(const QString& name) const { return dir.filePath(name).toStdString(); }
    QByteArray Read(const QString& name) const {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void Put(const QString& name, const QByteArray& bytes) const {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QStringList Entries() const {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                          QDir::NoDotAndDotDot);
    }
    static bool Writes(QIODevice& device, const char* text) {
        return device.write(text) == static_cast<qint64>(std::strlen(text));
    }
    /// The message of a refused save, or "" when it succeeded.
    std::string Save(const QString& name, const std::function<bool(QIODevice&)>& write) const {
        try {
            SaveFileAtomically(Path(name), write);
        } catch (const std::runtime_error& error) {
            return error.what();
        }
        return {};
    }
};

TEST_F(SaveFile, AFailedWriteLeavesThePreviousFileAndNothingElse) {
    Put("old.bmp", "previous");
    const std::string failed = Save("old.bmp", [](QIODevice& d) { return Writes(d, "x") && false; });
    EXPECT_NE(failed.find("Cannot save \""), std::string::npos);
    const std::string thrown =
        Save("old.bmp", [](QIODevice&) -> bool { throw std::runtime_error("encoder broke"); });
    EXPECT_NE(thrown.find("encoder broke"), std::string::npos);
    EXPECT_EQ(Read("old.bmp"), "previous");
    EXPECT_NE(Save("none/new.bmp", [](QIODevice& d) { return Writes(d, "x"); }), "");
    EXPECT_EQ(Entries(), QStringList{"old.bmp"});
    EXPECT_EQ(Save("old.bmp", [](QIODevice& d) { return Writes(d, "new"); }), "");
    EXPECT_EQ(Read("old.bmp"), "new");
    EXPECT_EQ(Entries(), QStringList{"old.bmp"});
}

TEST_F(SaveFile, NamesUpToTheFileSystemLimit) {
    const QString name = QString(251, QLatin1Char('n')) + QStringLiteral(".bmp");  // 255 bytes
    EXPECT_EQ(Save(name, [](QIODevice& d) { return Writes(d, "long"); }), "");
    EXPECT_EQ(Read(name), "long");
}

#ifdef Q_OS_UNIX
/// The process's umask for the life of the object.
class TUmask {
public:
    explicit TUmask(mode_t mask) : m_previous(::umask(mask)) {}
    ~TUmask() { ::umask(m_previous); }
    TUmask(const TUmask&) = delete;
    TUmask& operator=(const TUmask&) = delete;

private:
    mode_t m_previous;
};

/// The effective user and group nobody for the life of the object when the
/// process runs as the superuser, who writes wherever the mode bits forbid.
class TUnprivileged {
public:
    static constexpr uid_t kNobody = 65534;
    TUnprivileged() {
        if (::geteuid() != 0) return;
        m_group = ::getegid();
        m_groupDropped = ::setegid(kNobody) == 0;
        m_userDropped = m_groupDropped && ::seteuid(kNobody) == 0;
    }
    ~TUnprivileged() {
        // Later tests must not run as nobody: better no run at all.
        if (m_userDropped && ::seteuid(0) != 0) std::abort();
        if (m_groupDropped && ::setegid(m_group) != 0) std::abort();
    }
    TUnprivileged(const TUnprivileged&) = delete;
    TUnprivileged& operator=(const TUnprivileged&) = delete;

private:
    gid_t m_group = 0;
    bool m_groupDropped = false;
    bool m_userDropped = false;
};

// A new file is what a plain open() under the umask would create (0666 less
// the mask), not the private mode of the temporary it is written through; a
// replaced file keeps the mode it had.
TEST_F(SaveFile, NewFilesFollowTheUmaskReplacedFilesKeepTheirMode) {
    const auto ok = [](QIODevice& d) { return Writes(d, "data"); };
    struct TCase {
        mode_t umask;
        int existing;  // the mode of the file replaced; -1 for none
        mode_t mode;
    };
    const TCase cases[] = {{022, -1, 0644},   {027, -1, 0640},   {077, -1, 0600},  {002, -1, 0664},
                           {022, 0600, 0600}, {077, 0664, 0664}, {022, 0660, 0660}};
    int n = 0;
    for (const TCase& c : cases) {
        const QString name = QStringLiteral("mode%1.png").arg(n++);
        SCOPED_TRACE(name.toStdString());
        if (c.existing >= 0) {
            Put(name, "old");
            ASSERT_EQ(::chmod(Path(name).c_str(), static_cast<mode_t>(c.existing)), 0);
        }
        {
            const TUmask mask(c.umask);
            EXPECT_EQ(Save(name, ok), "");
        }
        struct stat st {};
        ASSERT_EQ(::stat(Path(name).c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, c.mode) << std::oct << "0" << (st.st_mode & 0777);
        EXPECT_EQ(Read(name), "data");
    }
}

TEST_F(SaveFile, PermissionsLinksAndSpecialFiles) {
    const auto ok = [](QIODevice& d) { return Writes(d, "data"); };
    // A read-only file is refused.
    Put("locked.png", "old");
    ASSERT_EQ(::chmod(Path("locked.png").c_str(), 0444), 0);
    EXPECT_NE(Save("locked.png", ok).find("read-only"), std::string::npos);
    EXPECT_EQ(Read("locked.png"), "old");
    // A link is written through and stays a link.
    ASSERT_EQ(::symlink("target.png", Path("link.png").c_str()), 0);
    EXPECT_EQ(Save("link.png", ok), "");
    EXPECT_EQ(Read("target.png"), "data");
    EXPECT_EQ(QFileInfo(dir.filePath("link.png")).isSymLink(), true);
    // Folders and pipes are not replaced by a file.
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.png"));
    ASSERT_EQ(::mkfifo(Path("pipe.png").c_str(), 0644), 0);
    EXPECT_NE(Save("folder.png", ok).find("not a regular file"), std::string::npos);
    EXPECT_NE(Save("pipe.png", ok).find("not a regular file"), std::string::npos);
    EXPECT_TRUE(QFileInfo(dir.filePath("folder.png")).isDir());
}

// Each call is recorded with what the disk holds at that moment; `failing`
// names the one that fails (EIO), if any.
TEST_F(SaveFile, TheDataAreSyncedBeforeTheRenameAndTheFolderAfterIt) {
    const struct {
        std::string failing;
        std::vector<std::string> calls;
        QByteArray after;
    } cases[] = {
        {"", {"data 3 old", "rename", "folder new"}, "new"},
        {"data", {"data 3 old"}, "old"},
        {"rename", {"data 3 old", "rename"}, "old"},
        {"folder", {"data 3 old", "rename", "folder new"}, "new"},
    };
    for (const auto& c : cases) {
        Put("t.bmp", "old");
        std::vector<std::string> calls;
        const auto fails = [&](const std::string& call) {
            calls.push_back(call);
            errno = EIO;
            return !c.failing.empty() && call.starts_with(c.failing);
        };
        const TSaveCalls previous = SetSaveCalls(
            {[&](int fd) {
                 struct stat st {};
                 ::fstat(fd, &st);
                 const std::string old = Read("t.bmp").toStdString();
                 return fails("data " + std::to_string(st.st_size) + " " + old) ? -1
                                                                                : ::fdatasync(fd);
             },
             [&](const char* from, const char* to) {
                 return fails("rename") ? -1 : std::rename(from, to);
             },
             [&](int) { return fails("folder " + Read("t.bmp").toStdString()) ? -1 : 0; }});
        const std::string error = Save("t.bmp", [](QIODevice& d) { return Writes(d, "new"); });
        SetSaveCalls(previous);
        EXPECT_EQ(calls, c.calls) << c.failing;
        EXPECT_EQ(error.empty(), c.failing.empty()) << error;
        EXPECT_EQ(Read("t.bmp"), c.after) << c.failing;
        EXPECT_EQ(Entries(), QStringList{"t.bmp"}) << c.failing;
    }
}

TEST_F(SaveFile, AReadOnlyFolderGetsNothing) {
    const auto ok = [](QIODevice& d) { return Writes(d, "x"); };
    ASSERT_TRUE(QDir(dir.path()).mkdir("open"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("sealed"));
    // The user nobody must reach the folders, so that only their own modes decide.
    ASSERT_EQ(::chmod(dir.path().toLocal8Bit().constData(), 0755), 0);
    ASSERT_EQ(::chmod(Path("open").c_str(), 0777), 0);
    ASSERT_EQ(::chmod(Path("sealed").c_str(), 0555), 0);
    {
        const TUnprivileged user;
        ASSERT_NE(::geteuid(), 0u) << "could not leave the superuser";
        // The folders are in reach: only the mode of the sealed one refuses.
        EXPECT_EQ(Save("open/x.bmp", ok), "");
        EXPECT_NE(Save("sealed/x.bmp", ok), "");
    }
    EXPECT_EQ(Read("open/x.bmp"), "x");
    EXPECT_TRUE(QDir(dir.filePath("sealed")).isEmpty(QDir::AllEntries | QDir::Hidden |
                                                      QDir::NoDotAndDotDot));
    ::chmod(Path("sealed").c_str(), 0755);
}
#endif

}  // namespace
}  // namespace liquidus
