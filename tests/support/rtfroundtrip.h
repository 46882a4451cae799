#pragma once
// The property the info file's text must keep: what is read, written and
// read again is the document that was read. Shared by the test suite's seed
// corpus and the fuzzer.

#include <QByteArray>
#include <QTextDocument>
#include <string>

#include "files/rtf.h"

namespace liquidus::test {

/// Empty when the round trip keeps the document, else what changed.
inline std::string RtfRoundTripFailure(const QByteArray& data) {
    QTextDocument first;
    if (!ReadRtf(data, first, nullptr)) return {};  // not RTF: nothing to keep
    const QByteArray written = WriteRtf(first);
    QTextDocument second;
    if (!ReadRtf(written, second, nullptr)) return "the written document is not RTF";
    if (second.toRawText() != first.toRawText()) return "the text changed";
    // The writer spells out every font, colour and paragraph setting it saw.
    if (WriteRtf(second) != written) return "the formatting or a font changed";
    return {};
}

}  // namespace liquidus::test
