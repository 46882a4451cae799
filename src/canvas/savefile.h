#pragma once
// Every file the program writes goes through here, so that a failure of any
// kind (a full disk, a vanished folder, a refused name) leaves the previous
// file, or no file, exactly as it was.

#include <QIODevice>
#include <functional>
#include <stdexcept>
#include <string>

namespace liquidus {

/// A refused or failed save: what() reads "Cannot save "NAME": reason".
class TSaveError : public std::runtime_error {
public:
    TSaveError(const std::string& fileName, const std::string& reason)
        : std::runtime_error("Cannot save \"" + fileName + "\": " + reason), Reason(reason) {}
    std::string Reason;
};

/// Writes `fileName` through `write`, which fills the device and returns
/// false (or throws) on failure; the device is memory, the file is written
/// only when `write` succeeded. The bytes go to a new file in the same
/// folder that replaces the target only after every byte and the close
/// succeeded. A symlink is written through to its target; an existing file
/// keeps its permissions; an existing read-only file, or a target that is
/// not a regular file, is refused. Throws TSaveError on any failure.
/// A symlink loop, a chain deeper than the system follows, or a dangling link
/// whose folder does not exist is refused with the link left as it is. The
/// data reach the disk before the new name points at them, and the folder's
/// new entry after that, so that a power cut leaves the old file or the new
/// one, never an empty one.
void SaveFileAtomically(const std::string& fileName,
                        const std::function<bool(QIODevice& device)>& write);

/// The system calls that make a save durable and final, each returning 0 or
/// -1 with errno set. Tests replace them to see their order and make them
/// fail; the defaults are fdatasync, fsync and rename.
struct TSaveCalls {
    std::function<int(int fd)> SyncData;  // the new file, before the rename
    std::function<int(const char* from, const char* to)> Rename;
    std::function<int(int fd)> SyncFolder;  // the folder, after the rename
};

/// Installs `calls` (an empty member keeps the default) and returns the ones
/// in use before.
TSaveCalls SetSaveCalls(TSaveCalls calls);

}  // namespace liquidus
