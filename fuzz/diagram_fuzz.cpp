// The diagram file reader on arbitrary bytes: it must neither crash nor
// accept a file whose data do not survive being put into a diagram and
// written out again.

#include <QGuiApplication>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "files/diagramfile.h"
#include "ternary/ternagram.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace liquidus;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    TDiagramFile file;
    try {
        file = ParseDiagram(bytes);
    } catch (const TDiagramFormatError&) {
        return 0;
    }
    TTernagram diagram;
    ApplyDiagram(file, diagram);
    const TDiagramFile shown = DiagramFromTernagram(diagram);
    if (!(shown == file)) {
        std::fprintf(stderr, "the diagram does not hold what the file said\n");
        std::abort();
    }
    try {
        if (!(ParseDiagram(SerializeDiagram(shown)) == file)) {
            std::fprintf(stderr, "written and read again, the file says something else\n");
            std::abort();
        }
    } catch (const TDiagramFormatError& error) {
        std::fprintf(stderr, "the written file does not load: %s\n", error.what());
        std::abort();
    }
    return 0;
}
