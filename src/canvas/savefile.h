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
void SaveFileAtomically(const std::string& fileName,
                        const std::function<bool(QIODevice& device)>& write);

}  // namespace liquidus
