// --write-diagram FILE: the diagram's data as a diagram file, after
// --diagram and the --sets, so that a file can be converted or edited from
// a script.

#include <QFile>
#include <ostream>

#include "app/cli/diagram.h"
#include "app/cli/modes.h"
#include "files/diagramfile.h"
#include "canvas/savefile.h"

namespace liquidus::cli {

namespace {

void RunWriteDiagram(const TRequest& request, TStreams& streams) {
    const std::string& file = request.ModeValues.front();
    TCommandLineDiagram source(request, request.Size);
    try {
        if (file == "-") {
            // Checked as the file would be, so that what is printed loads.
            const QByteArray bytes = SerializeDiagram(DiagramFromTernagram(source.Diagram()));
            ParseDiagram(bytes);
            streams.Out.write(bytes.constData(), bytes.size());
            return;
        }
        WriteDiagramFile(source.Diagram(), QFile::decodeName(QByteArray::fromStdString(file)));
    } catch (const TDiagramFormatError& error) {
        throw TUsageError("--write-diagram " + Quoted(file) + ": " + error.what());
    } catch (const TSaveError& error) {
        throw TWriteError(error.what());
    }
}

}  // namespace

const TModeSpec kWriteDiagramMode{
    .Name = "--write-diagram",
    .Argument = "FILE",
    .Help = "write the diagram's data to FILE as a diagram file (JSON; - for standard output)",
    .UsesDiagram = true,
    .Run = RunWriteDiagram,
};

}  // namespace liquidus::cli
