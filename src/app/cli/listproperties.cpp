// --list-properties: every property of the diagram as NAME=VALUE.

#include <ostream>

#include "app/cli/diagram.h"
#include "app/cli/modes.h"
#include "ternary/properties.h"

namespace liquidus::cli {

namespace {

void RunListProperties(const TRequest& request, TStreams& streams) {
    TCommandLineDiagram sample(request, request.Size);
    for (const TPropertyInfo& property : TernagramProperties()) {
        streams.Out << property.Name << '=' << Escaped(property.Get(sample.Diagram())) << '\n';
    }
}

}  // namespace

const TModeSpec kListPropertiesMode{
    .Name = "--list-properties",
    .Help = "print every property as NAME=VALUE",
    .UsesDiagram = true,
    .Run = RunListProperties,
};

}  // namespace liquidus::cli
