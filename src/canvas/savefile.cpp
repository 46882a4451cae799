#include "canvas/savefile.h"

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>
#include <stdexcept>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace liquidus {

namespace {

[[noreturn]] void SaveError(const std::string& fileName, const std::string& reason) {
    throw TSaveError(fileName, reason);
}

constexpr QFileDevice::Permissions kAnyWrite =
    QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;

// As many symlinks as Linux follows in one path before it gives up.
constexpr int kMaxSymlinkDepth = 40;

/// The file a name stands for, symlinks followed as far as they lead;
/// nothing when they never end (a loop, or deeper than the system follows).
std::optional<QString> FinalTarget(const QString& name) {
    QFileInfo info(name);
    for (int depth = 0; info.isSymLink(); ++depth) {
        if (depth == kMaxSymlinkDepth) return std::nullopt;
        info.setFile(info.symLinkTarget());
    }
    return info.filePath();
}

/// A sync the file system cannot do (EINVAL) is no failure: there is no
/// better place for the data on such a system.
bool Synced(int result) {
    return result == 0 || errno == EINVAL;
}

TSaveCalls& Calls() {
    static TSaveCalls calls;
    return calls;
}

TSaveCalls DefaultCalls() {
    TSaveCalls calls;
#ifdef Q_OS_UNIX
    calls.SyncData = [](int fd) { return ::fdatasync(fd); };
    calls.SyncFolder = [](int fd) { return ::fsync(fd); };
#else
    calls.SyncData = [](int) { return 0; };
    calls.SyncFolder = [](int) { return 0; };
#endif
    calls.Rename = [](const char* from, const char* to) { return std::rename(from, to); };
    return calls;
}

const TSaveCalls& CurrentCalls() {
    static const bool initialised = [] {
        Calls() = DefaultCalls();
        return true;
    }();
    (void)initialised;
    return Calls();
}

/// Makes the folder's new entry durable: without it a power cut can undo
/// the rename even though the data were on the disk.
void SyncFolder(const std::string& fileName, const QString& folder) {
#ifdef Q_OS_UNIX
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    errno = fd < 0 ? errno : 0;
    const bool synced = fd >= 0 && Synced(CurrentCalls().SyncFolder(fd));
    const int error = errno;
    if (fd >= 0) ::close(fd);
    if (!synced) {
        SaveError(fileName,
                  std::string("the folder cannot be flushed to disk: ") + std::strerror(error));
    }
#else
    (void)fileName;
    (void)folder;
#endif
}

/// What a plain new file gets: read and write for all, less the umask.
QFileDevice::Permissions NewFilePermissions() {
    QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ReadUser | QFileDevice::WriteUser |
                                           QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                           QFileDevice::ReadOther | QFileDevice::WriteOther;
#ifdef Q_OS_UNIX
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (mask & S_IWGRP) permissions &= ~QFileDevice::WriteGroup;
    if (mask & S_IRGRP) permissions &= ~QFileDevice::ReadGroup;
    if (mask & S_IWOTH) permissions &= ~QFileDevice::WriteOther;
    if (mask & S_IROTH) permissions &= ~QFileDevice::ReadOther;
#endif
    return permissions;
}

/// Right after a failed call, errno names the cause more reliably than the
/// device's own text, which can read "Unknown error" for a full disk.
std::string SystemReason(const QFileDevice& file) {
    if (errno != 0) return std::strerror(errno);
    const QString text = file.errorString();
    return text.isEmpty() ? std::string("write failed") : text.toStdString();
}

}  // namespace

TSaveCalls SetSaveCalls(TSaveCalls calls) {
    TSaveCalls previous = CurrentCalls();
    const TSaveCalls defaults = DefaultCalls();
    if (!calls.SyncData) calls.SyncData = defaults.SyncData;
    if (!calls.Rename) calls.Rename = defaults.Rename;
    if (!calls.SyncFolder) calls.SyncFolder = defaults.SyncFolder;
    Calls() = std::move(calls);
    return previous;
}

void SaveFileAtomically(const std::string& fileName,
                        const std::function<bool(QIODevice& device)>& write) {
    const std::optional<QString> resolved =
        FinalTarget(QFile::decodeName(QByteArray::fromStdString(fileName)));
    // Writing to the last name reached would replace a link of the loop.
    if (!resolved) SaveError(fileName, std::strerror(ELOOP));
    const QString& target = *resolved;
    const QFileInfo info(target);
    // A dangling link into a missing folder: the folder is not made.
    if (!info.dir().exists()) {
        SaveError(fileName, std::string(std::strerror(ENOENT)) + " (the folder " +
                                QFile::encodeName(info.absolutePath()).toStdString() + ")");
    }
    if (info.exists()) {
        if (!info.isFile()) SaveError(fileName, "not a regular file");
        // Checked on the bits, not by access(): for the superuser every file
        // is writable, but a read-only file was made so on purpose.
        if ((info.permissions() & kAnyWrite) == 0) SaveError(fileName, "the file is read-only");
    }
    // The whole file is composed in memory first: an encoder failing half
    // way (libpng on a full disk) would otherwise report on its own, and the
    // system's reason for a failed write is clearest right at the write.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    bool composed = false;
    try {
        composed = write(buffer);
    } catch (const std::exception& error) {
        SaveError(fileName, error.what());
    }
    if (!composed) SaveError(fileName, "the data could not be composed");
    // A short name of our own, so that a target name at the file system's
    // length limit still leaves room for it.
    QTemporaryFile temp(QDir(info.absolutePath()).filePath(QStringLiteral(".liquidus-XXXXXX")));
    if (!temp.open()) SaveError(fileName, temp.errorString().toStdString());
    const QByteArray& data = buffer.data();
    for (qint64 done = 0; done < data.size();) {
        errno = 0;
        const qint64 n = temp.write(data.constData() + done, data.size() - done);
        if (n <= 0 || !temp.flush()) SaveError(fileName, SystemReason(temp));
        done += n;
    }
    temp.setPermissions(info.exists() ? info.permissions() : NewFilePermissions());
    // The data must be on the disk before the name points at them, or a
    // power cut can leave an empty file under the new name.
    errno = 0;
    if (!Synced(CurrentCalls().SyncData(static_cast<int>(temp.handle())))) {
        SaveError(fileName, std::string("cannot flush to disk: ") + std::strerror(errno));
    }
    // Close reports what the kernel could not write (a full disk on NFS, say).
    errno = 0;
    temp.close();
    if (temp.error() != QFileDevice::NoError) SaveError(fileName, SystemReason(temp));
    // From here on a failure leaves the temporary file to its auto-removal.
    errno = 0;
    if (CurrentCalls().Rename(QFile::encodeName(temp.fileName()).constData(),
                              QFile::encodeName(target).constData()) != 0) {
        SaveError(fileName, errno != 0 ? std::strerror(errno) : "the file cannot be renamed");
    }
    temp.setAutoRemove(false);  // it is the target now
    SyncFolder(fileName, info.absolutePath());
}

}  // namespace liquidus
