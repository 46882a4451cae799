#pragma once
// Runs the command line in-process, as the executable would with these
// arguments, and keeps what it printed.

#include <sstream>
#include <string>
#include <vector>

#include "app/cli/commandline.h"

namespace liquidus::test {

struct TCliRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

inline TCliRun RunArgs(const std::vector<std::string>& args, const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    TCliRun run;
    run.Status = RunCommandLine(args, in, out, err);
    run.Out = out.str();
    run.Err = err.str();
    return run;
}

}  // namespace liquidus::test
