#pragma once
// Runs the client in-process, its output captured, against the simulated controller.

#include <sstream>
#include <string>
#include <vector>

#include "ctl/ctl_options.h"
#include "ctl/ctl_session.h"
#include "tests/qtlink/device_fixture.h"

namespace ctltest {

struct CtlRun {
  int status = -1;
  std::string out;
  std::string err;
  std::int64_t ms = 0;
};

class CtlTest : public qttest::DeviceTest {
 protected:
  // kx7140ctl with these arguments after the program name.
  CtlRun Run(const std::vector<std::string>& args, bool progress = false,
             std::function<bool()> interrupted = {}) {
    CtlRun run;
    ctl::CtlOptions options;
    std::string error;
    if (!ctl::ParseCtlOptions(args, options, error)) {
      ADD_FAILURE() << "arguments refused: " << error;
      return run;
    }
    std::ostringstream out;
    std::ostringstream err;
    QElapsedTimer t;
    t.start();
    run.status = ctl::RunCommand(options, {out, err, progress, std::move(interrupted)});
    run.ms = t.elapsed();
    run.out = out.str();
    run.err = err.str();
    return run;
  }
  // The same on the simulator's device.
  CtlRun OnSim(std::vector<std::string> args, bool progress = false) {
    args.insert(args.begin(), {"--port", Device()});
    return Run(args, progress);
  }
};

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace ctltest
