#pragma once
// The machine facts the About window shows: the operating system's name and
// version, and the total physical memory. The texts are built by small pure
// functions so that their formats can be checked on any machine.

#include <QLocale>
#include <QString>
#include <QtGlobal>

namespace liquidus {

/// Total physical memory in bytes; 0 when the system does not tell.
quint64 TotalPhysicalMemory();

/// The "MemTotal:" line of a Linux /proc/meminfo text, in bytes; 0 when it is
/// missing or unreadable.
quint64 ParseMemTotal(const QByteArray& meminfo);

/// "Memory Available to Windows:  %sK" with the memory in kilobytes (bytes /
/// 1024) grouped by thousands and with up to two decimals, none when whole,
/// in the separators of `locale`.
QString MemoryText(quint64 totalBytes, const QLocale& locale = QLocale());

/// The About window's version line: "Windows  %d.%d   " filled with a name and
/// a version ("Windows  10.0   "; elsewhere e.g. "Debian GNU/Linux 12  6.1.0   ").
QString FormatOsVersion(const QString& osName, const QString& version);

/// FormatOsVersion of the running system: the Windows major and minor
/// version on Windows, the product name and kernel version elsewhere.
QString OsVersionText();

}  // namespace liquidus
