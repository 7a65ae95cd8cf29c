#pragma once
// Runs the client in-process, its output captured, against the simulated controller.

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "ctl/capture_decode.h"
#include "ctl/ctl_options.h"
#include "ctl/ctl_session.h"
#include "ctl/exit_status.h"
#include "ctl/file_commands.h"
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
  // kx7140ctl with these arguments after the program name; the commands that only read
  // files go where the program sends them.
  CtlRun Run(const std::vector<std::string>& args, bool progress = false,
             std::function<bool()> interrupted = {}) {
    ctl::CtlOptions o;
    std::string error;
    if (!ctl::ParseCtlOptions(args, o, error)) {
      ADD_FAILURE() << "arguments refused: " << error;
      return {};
    }
    std::ostringstream out, err;
    QElapsedTimer t;
    t.start();
    using enum ctl::Command;
    const int status = o.command == Decode ? ctl::DecodeCapture(o.projectFile, o.json, out, err)
                       : o.command == Check || o.command == Diff
                           ? ctl::RunFileCommand(o, out, err)
                           : ctl::RunCommand(o, {out, err, progress, std::move(interrupted)});
    return {status, out.str(), err.str(), t.elapsed()};
  }
  CtlRun OnSim(std::vector<std::string> args, bool progress = false) {
    args.insert(args.begin(), {"--port", Device()});
    return Run(args, progress);
  }
};

// A run that ended with `status` and one error line that says `part`.
inline void ExpectRefused(const CtlRun& run, int status, const std::string& part) {
  EXPECT_EQ(run.status, status) << run.err;
  EXPECT_TRUE(run.err.starts_with("kx7140ctl: ")) << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  EXPECT_NE(run.err.find(part), std::string::npos) << run.err;
}

inline QJsonObject JsonLine(const std::string& line) {
  QJsonParseError error;
  const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error).object();
  EXPECT_EQ(error.error, QJsonParseError::NoError) << line;
  return o;
}

inline std::vector<std::string> Lines(const std::string& text, char sep = '\n') {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line, sep);) lines.push_back(line);
  return lines;
}

}  // namespace ctltest
