// The info file's reader on arbitrary bytes: it must neither crash nor lose
// what it read when the text is written and read again.

#include <QGuiApplication>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "support/rtfroundtrip.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);  // fonts for the text document
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::string failure = liquidus::test::RtfRoundTripFailure(bytes);
    if (!failure.empty()) {
        std::fprintf(stderr, "round trip broken: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
