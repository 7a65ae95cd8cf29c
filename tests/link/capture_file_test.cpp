#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "link/capture_reader.h"
#include "link/capture_writer.h"

namespace {

using bus::CaptureRecord;
using bus::LineDirection;

const bus::CaptureHeader kHeader{.start = {2024, 1, 1, 8, 0, 4, 1},
                                 .utcOffsetMinutes = 180,
                                 .port = "/dev/serial/by-id/usb ftdi",
                                 .programVersion = "0.1.0"};

// Everything a reader makes of a capture text.
struct Read {
  explicit Read(const std::string& text, bus::CaptureLimits limits = {}) {
    std::istringstream in(text);
    bus::CaptureReader reader(in, limits);
    header = reader.ReadHeader();
    utcOffsetMinutes = reader.Header().utcOffsetMinutes;
    while (auto rec = reader.Next()) records.push_back(*rec);
    for (const auto& p : reader.Problems()) problems.push_back(p.Text());
  }
  bool header = false;
  int utcOffsetMinutes = 0;
  std::vector<CaptureRecord> records;
  std::vector<std::string> problems;
};

TEST(CaptureFile, EveryByteAndTimeReadsBackAsItWasWritten) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::vector<CaptureRecord> lines = {
      {0, LineDirection::Received, ":20CE0002"},
      {250, LineDirection::Sent, ":010320000010CC"},
      {1'000'000, LineDirection::Received, ""},
      {3'600'000'001, LineDirection::Received, all},
      {3'600'000'002, LineDirection::Received, ":1003\\x41 \n"},  // a bare LF kept
  };
  bus::StringTextSink sink;
  {
    bus::CaptureWriter writer(sink, kHeader, 5'000'000);
    for (const auto& l : lines) writer.Append(5'000'000 + l.micros, l.direction, l.bytes);
    // A received line as the cutter hands it over loses exactly its CR LF.
    writer.Append(5'000'000 + 3'600'000'003, LineDirection::Received, ":10CF\r\n");
  }
  EXPECT_TRUE(
      sink.text.starts_with("KX7140 yakalama 1 baslangic=2024-01-01T08:00:04+03:00 "
                            "port=/dev/serial/by-id/usb\\x20ftdi program=0.1.0\r\n0.000000 R :20CE0002\r\n"
                            "0.000250 T :010320000010CC\r\n1.000000 R \r\n"));
  EXPECT_NE(sink.text.find("3600.000002 R :1003\\\\x41 \\x0A\r\n"), std::string::npos);

  // The header read back and every reader/writer round trip: the capture_file fuzz target.
  const Read r(sink.text);
  ASSERT_EQ(r.records.size(), lines.size() + 1);
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(r.records[i], lines[i]) << i;
  EXPECT_EQ(r.records.back().bytes, ":10CF");
}

TEST(CaptureFile, BadLinesAreSkippedAndNamedWithTheirNumber) {
  const std::string head = "KX7140 yakalama 1 baslangic=2024-02-29T23:59:59-05:30\n";
  const std::string good = "1.000000 R :10\r\n";
  const std::pair<std::string, std::string> bad[] = {
      {"1.5 R :10", "zaman"},
      {"-1.000000 R :10", "zaman"},
      {"1.000000 X :10", "yön"},
      {"1.000000 R", "yön"},
      {"1.000000 R :1\\y0", "kaçış"},
      {"1.000000 R :1\\x4", "kaçış"},
      {"1.000000 R :1\tA", "yazdırılamayan"},
      {"9999999999999.000000 R :10", "zaman"},
  };
  std::string text = head;
  for (const auto& [line, why] : bad) text += good + line + "\n";
  text += good + "\n" + "2.000000 T :10CF0003";  // an empty line, then a line cut short

  const Read r(text, {.maxLineBytes = 64, .maxFileBytes = 1 << 20, .keptProblems = 20});
  ASSERT_EQ(std::make_tuple(r.header, r.utcOffsetMinutes, r.records.size(), r.problems.size()),
            std::make_tuple(true, -330, std::size(bad) + 1, std::size(bad) + 1));
  for (std::size_t i = 0; i < std::size(bad); ++i) {
    const std::string where = "satır " + std::to_string(3 + 2 * i) + ": ";
    EXPECT_TRUE(r.problems[i].starts_with(where)) << r.problems[i];
    EXPECT_NE(r.problems[i].find(bad[i].second), std::string::npos) << r.problems[i];
  }
  EXPECT_NE(r.problems.back().find("yarım"), std::string::npos);
}

TEST(CaptureFile, ForeignOrDamagedHeadersAndOversizeInputAreRefused) {
  const std::pair<std::string, std::string> headers[] = {
      {"", "boş"},
      {"KX7140 yakalama 2 baslangic=2024-01-01T00:00:00+00:00\r\n", "sürüm 2"},
      {"KX7140 yakalama 1 port=COM3\r\n", "başlangıç zamanı yok"},
      {"KX7140 yakalama 1 baslangic=2023-02-29T00:00:00+00:00\r\n", "başlangıç"},
      {"KX7140 yakalama 1 baslangic=2024-01-01T00:00:00+15:00\r\n", "başlangıç"},
  };
  for (const auto& [text, why] : headers) {
    const Read r(text.empty() ? text : text + "1.000000 R :10\r\n");
    ASSERT_EQ(std::make_tuple(r.header, r.records.size(), r.problems.size()), std::make_tuple(false, 0u, 1u))
        << text;
    EXPECT_NE(r.problems[0].find(why), std::string::npos) << r.problems[0];
  }

  const std::string head = "KX7140 yakalama 1 baslangic=2024-01-01T00:00:00+00:00 later=x\r\n";
  const std::string line = "1.000000 R " + std::string(100, 'A') + "\r\n";
  const Read longLine(head + line + "2.000000 R :10\r\n", {.maxLineBytes = 80});
  EXPECT_TRUE(longLine.records.size() == 1 && longLine.problems.at(0).find("çok uzun") != std::string::npos);

  const Read big(head + line + line + line, {.maxFileBytes = head.size() + 2 * line.size() + 10});
  EXPECT_TRUE(big.records.size() == 2 && big.problems.at(0).find("çok büyük") != std::string::npos);
}

TEST(CaptureWriter, HandsLinesOverWithinHalfASecondAndStopsOnAFailingSink) {
  bus::StringTextSink sink;
  bus::CaptureWriter writer(sink, kHeader, 0);
  const std::size_t header = sink.text.size();
  writer.Append(100'000, LineDirection::Received, ":10\r\n");
  writer.Append(200'000, LineDirection::Received, ":11\r\n");
  EXPECT_TRUE(writer.Tick(599'999) && sink.text.size() == header);
  EXPECT_TRUE(writer.Tick(600'000) && sink.text.ends_with("0.200000 R :11\r\n"));
  writer.Append(100'000, LineDirection::Sent, ":12");  // a clock that went back
  writer.Flush();
  EXPECT_TRUE(sink.text.ends_with("0.200000 T :12\r\n"));
  sink.failAfter = sink.text.size() + 5;
  writer.Append(900'000, LineDirection::Received, ":13");
  EXPECT_FALSE(writer.Flush());
  EXPECT_TRUE(writer.Failed() && writer.Error() == "yer kalmadı") << writer.Error();
  EXPECT_FALSE(writer.Append(2'000'000, LineDirection::Received, ":14"));
  EXPECT_EQ(writer.Lines(), 4u);
}

// A folder that is gone: tests/monitor BusMonitor.CaptureFromTheWindow...
TEST(FileTextSink, AFullDiskGivesTheSystemsReason) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  std::string error;
  bus::FileTextSink full;
  ASSERT_TRUE(full.Open("/dev/full", false, error));
  bus::CaptureWriter writer(full, kHeader, 0);
  EXPECT_TRUE(writer.Failed() && writer.Error().find("/dev/full: ") != std::string::npos) << writer.Error();
}

}  // namespace
