#include "app/systeminfo.h"

#include <QFile>
#include <QOperatingSystemVersion>
#include <QSysInfo>
#include <limits>

#include "canvas/rounding.h"

#if defined(Q_OS_WIN)
#include <windows.h>
#elif defined(Q_OS_UNIX)
#include <unistd.h>
#endif

namespace liquidus {

namespace {
constexpr quint64 kBytesPerKilobyte = 1024;

/// Digits of `value` with the locale's group separator every three digits.
QString Grouped(quint64 value, const QLocale& locale) {
    const QString digits = QString::number(value);
    const QString separator = locale.groupSeparator();
    QString out;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            out += separator;
        }
        out += digits[i];
    }
    return out;
}

quint64 SysconfMemory() {
#if defined(Q_OS_UNIX) && defined(_SC_PHYS_PAGES) && defined(_SC_PAGESIZE)
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages > 0 && pageSize > 0) {
        return static_cast<quint64>(pages) * static_cast<quint64>(pageSize);
    }
#endif
    return 0;
}
}  // namespace

quint64 ParseMemTotal(const QByteArray& meminfo) {
    for (const QByteArray& line : meminfo.split('\n')) {
        if (!line.startsWith("MemTotal:")) {
            continue;
        }
        const QList<QByteArray> fields = line.mid(9).simplified().split(' ');
        bool ok = false;
        const quint64 kilobytes = fields.value(0).toULongLong(&ok);
        const QByteArray unit = fields.value(1).toLower();
        if (!ok || (!unit.isEmpty() && unit != "kb") ||
            kilobytes > std::numeric_limits<quint64>::max() / kBytesPerKilobyte) {
            return 0;
        }
        return kilobytes * kBytesPerKilobyte;
    }
    return 0;
}

quint64 TotalPhysicalMemory() {
#if defined(Q_OS_WIN)
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof(status);
    if (GlobalMemoryStatusEx(&status)) {
        return status.ullTotalPhys;
    }
#elif defined(Q_OS_LINUX)
    QFile file(QStringLiteral("/proc/meminfo"));
    if (file.open(QIODevice::ReadOnly)) {
        if (const quint64 bytes = ParseMemTotal(file.readAll())) {
            return bytes;
        }
    }
#endif
    return SysconfMemory();
}

QString MemoryText(quint64 totalBytes, const QLocale& locale) {
    // ",0.##": whole kilobytes grouped, then at most two decimals without
    // trailing zeros. Integer arithmetic keeps every digit of large memories.
    quint64 whole = totalBytes / kBytesPerKilobyte;
    const quint64 rest = totalBytes % kBytesPerKilobyte;
    int hundredths = Round(static_cast<double>(rest) * 100.0 / kBytesPerKilobyte);
    if (hundredths == 100) {
        ++whole;
        hundredths = 0;
    }
    QString number = Grouped(whole, locale);
    if (hundredths != 0) {
        QString decimals = QStringLiteral("%1").arg(hundredths, 2, 10, QLatin1Char('0'));
        if (decimals.endsWith(u'0')) {
            decimals.chop(1);
        }
        number += locale.decimalPoint() + decimals;
    }
    return QStringLiteral("Memory Available to Windows:  %1K").arg(number);
}

QString FormatOsVersion(const QString& osName, const QString& version) {
    return osName + QStringLiteral("  ") + version + QStringLiteral("   ");
}

QString OsVersionText() {
#if defined(Q_OS_WIN)
    const QOperatingSystemVersion os = QOperatingSystemVersion::current();
    return FormatOsVersion(QStringLiteral("Windows"),
                           QStringLiteral("%1.%2").arg(os.majorVersion()).arg(os.minorVersion()));
#else
    return FormatOsVersion(QSysInfo::prettyProductName(), QSysInfo::kernelVersion());
#endif
}

}  // namespace liquidus
