#include "canvas/savefile.h"

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace liquidus {

namespace {

[[noreturn]] void SaveError(const std::string& fileName, const std::string& reason) {
    throw TSaveError(fileName, reason);
}

constexpr QFileDevice::Permissions kAnyWrite =
    QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;

/// The file a name stands for: symlinks followed, as far as they lead.
QString FinalTarget(const QString& name) {
    QFileInfo info(name);
    for (int depth = 0; depth < 64 && info.isSymLink(); ++depth) {
        info.setFile(info.symLinkTarget());
    }
    return info.filePath();
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

void SaveFileAtomically(const std::string& fileName,
                        const std::function<bool(QIODevice& device)>& write) {
    const QString target = FinalTarget(QFile::decodeName(QByteArray::fromStdString(fileName)));
    const QFileInfo info(target);
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
    // The data must be on the disk before the name points at them: close
    // reports what the kernel could not write (a full disk on NFS, say).
    errno = 0;
    temp.close();
    if (temp.error() != QFileDevice::NoError) SaveError(fileName, SystemReason(temp));
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(temp.fileName()).toStdString(),
                            QFile::encodeName(target).toStdString(), ec);
    if (ec) SaveError(fileName, ec.message());
    temp.setAutoRemove(false);  // it is the target now
}

}  // namespace liquidus
