// Writes the seed corpora of the fuzz targets: what the link and the simulated
// controller really say to each other during each user command, single frames cut
// from those talks, damaged variants of them, project files written by ProjectSave
// and settings files written by the settings code, and bus captures of those talks.
//
// Usage: fuzz_seeds CORPUS_DIR

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "link/capture_file.h"
#include "link/capture_writer.h"
#include "link/controller_link.h"
#include "link/frame_codec.h"
#include "link/text_sink.h"
#include "persist/junction_file.h"
#include "persist/project_file.h"
#include "persist/settings_file.h"
#include "persist/settings_location.h"
#include "program/editor_model.h"
#include "program/junction_data.h"
#include "program/program_image.h"
#include "sim/bus_frames.h"
#include "sim/controller.h"
#include "sim/demo_memory.h"

#include "tests/link/fakes.h"

namespace fs = std::filesystem;

namespace {

struct Corpus {
  fs::path dir;
  int count = 0;
  void Put(const std::string& name, std::string_view bytes) {
    fs::create_directories(dir);
    std::ofstream out(dir / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ++count;
  }
};

struct Talk {
  std::string heardByPc;          // every byte the controller put on the wire
  std::vector<std::string> sent;  // every frame the PC wrote, CR LF included
};

// The link and the simulated controller joined by a perfect cable on a shared
// millisecond clock, for `turns` turns of the PC after `command` was given.
Talk Converse(const std::function<void(bus::ControllerLink&, bus::LinkShared&)>& command, int turns,
              const sim::Options& options = {}) {
  kxtest::FakePort port;
  kxtest::FakeClock clock;
  bus::RegisterImage regs;
  bus::LinkShared shared;
  bus::LinkEvents events;
  auto image = std::make_unique<program::ProgramImage>(sim::DemoMemory());
  auto model = std::make_unique<program::EditorModel>();
  bus::ControllerLink link(port, clock, bus::LinkTables{regs, shared, *image, *model, events});
  auto controller = std::make_unique<sim::Controller>(sim::DemoMemory(), options);

  link.cmd_RUN();
  link.Timer1Tick();
  command(link, shared);
  Talk talk;
  std::size_t forwarded = 0;
  for (std::int64_t t = 0; controller->Count().turns <= static_cast<std::uint64_t>(turns); ++t) {
    clock.ms = 1000 + t;
    if (t % 10 == 0) link.Timer1Tick();
    const std::string out = controller->Step(clock.ms);
    if (!out.empty()) {
      talk.heardByPc += out;
      port.Receive(out);
    }
    for (; forwarded < port.written.size(); ++forwarded) {
      talk.sent.push_back(port.written[forwarded]);
      controller->Receive(port.written[forwarded], clock.ms);
    }
  }
  return talk;
}

std::string Join(const std::vector<std::string>& frames) {
  std::string all;
  for (const std::string& f : frames) all += f;
  return all;
}

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'F') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::string BareLf(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

// The first line of the text that starts with `head`, CR LF included.
std::string LineStarting(std::string_view text, std::string_view head) {
  for (std::size_t at = text.find(head); at != std::string_view::npos; at = text.find(head, at + 1)) {
    if (at == 0 || text[at - 1] == '\n') return std::string(text.substr(at, text.find('\n', at) - at + 1));
  }
  return {};
}

std::string ReadWhole(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void LinkSeeds(Corpus& a, Corpus& b, std::vector<Talk>& talks) {
  const auto put = [&](const std::string& name, std::string_view bytes) {
    a.Put(name, bytes);
    b.Put(name, bytes);
  };
  using L = bus::ControllerLink;
  using S = bus::LinkShared;
  talks.push_back(Converse([](L&, S&) {}, 4));
  talks.push_back(Converse([](L& l, S&) { l.PGM_Upload(); }, 5));
  talks.push_back(Converse(
      [](L& l, S& s) {
        l.PGM_Upload();
        s.TransferAddress = 0xFF00;
      },
      4));
  talks.push_back(Converse([](L& l, S&) { l.BTN_Hata_Oku(); }, 4));
  talks.push_back(Converse([](L& l, S&) { l.PGM_Download(1); }, 5));
  talks.push_back(Converse(
      [](L& l, S& s) {
        l.PGM_Download(1);
        s.TransferEnd = 256;
      },
      5));
  talks.push_back(Converse([](L& l, S&) { l.PGM_Download(0); }, 3));
  talks.push_back(Converse([](L& l, S&) { l.RTC_Esitle(); }, 3));
  for (int i = 0; i < 5; ++i) talks.push_back(Converse([i](L& l, S&) { l.Service_cmd(i); }, 2));
  sim::Options rough;
  rough.noise = 0.3;
  rough.corrupt = 0.3;
  rough.loss = 0.2;
  rough.exception = 0.5;
  rough.cardFault[4] = true;
  talks.push_back(Converse([](L& l, S&) { l.PGM_Upload(); }, 4, rough));

  const char* names[] = {"idle_polls",
                         "upload",
                         "upload_end",
                         "event_log",
                         "download",
                         "download_end",
                         "system_download",
                         "clock_set",
                         "service_reset_cpu",
                         "service_reset_params",
                         "service_reset_log",
                         "service_reset_rtc",
                         "service_reset_program",
                         "upload_rough_line"};
  for (std::size_t i = 0; i < talks.size(); ++i) put(std::string(names[i]) + ".bus", talks[i].heardByPc);

  const std::string& upload = talks[1].heardByPc;
  const std::string block = LineStarting(upload, ":01CF0004");
  const std::string turn = LineStarting(upload, ":1003");
  put("pc_turn_short.bus", kxtest::PcTurnFrame());
  put("pc_turn.bus", turn);
  put("card_status.bus", LineStarting(upload, ":20CE"));
  put("gps_reply.bus", LineStarting(upload, ":1303"));
  put("detector_poll_and_reply.bus", LineStarting(upload, ":14030000") + LineStarting(upload, ":140304"));
  put("cpu_registers.bus", LineStarting(talks[0].heardByPc, ":010320"));
  put("cpu_clock.bus", LineStarting(talks[0].heardByPc, ":01CF0003"));
  put("block_reply.bus", block);
  put("block_ack.bus", LineStarting(talks[4].heardByPc, ":01D00104"));
  put("clock_ack.bus", LineStarting(talks[7].heardByPc, ":01D00103"));
  put("system_ack.bus", LineStarting(talks[6].heardByPc, ":01D00102"));

  std::string badLrc = block;
  badLrc[badLrc.size() - 5] = badLrc[badLrc.size() - 5] == '0' ? '1' : '0';
  put("block_bad_lrc.bus", turn + badLrc + turn + block);
  put("block_lower_case.bus", turn + Lower(block));
  put("block_bare_lf.bus", BareLf(turn + block + turn));
  put("block_cut_short.bus", turn + block.substr(0, 120) + "\r\n" + turn);
  std::array<std::uint8_t, bus::kBlockBytes> data{};
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i);
  put("block_past_end.bus", turn + sim::BlockReply(0xFFC0, data));
  put("block_event_log_end.bus", turn + sim::BlockReply(0xFF80, data));
  put("card_exception.bus", bus::MB_Write_Single(0x23, 6, 1, 2) + "\r\n" + sim::ExceptionReply(0x23, 4));
  put("clock_bad_weekday.bus", sim::FrameText()
                                   .Byte(1)
                                   .Byte(0xCF)
                                   .Byte(0)
                                   .Byte(3)
                                   .Word(2024)
                                   .Byte(2)
                                   .Byte(29)
                                   .Byte(7)
                                   .Byte(25)
                                   .Byte(61)
                                   .Byte(99)
                                   .Line());
  put("registers_short.bus", sim::FrameText().Byte(1).Byte(3).Byte(4).Word(0x1234).Line());
  put("detector_19.bus", sim::RegisterReply(20, std::array<std::uint16_t, 2>{2, 0x10}));

  std::string noise(1500, '\0');
  std::mt19937 rng(7);
  for (char& c : noise) c = static_cast<char>(0x80 + rng() % 0x80);
  put("wrong_bit_rate.bus", noise + turn + noise.substr(0, 40) + "\n" + turn);
  put("no_line_end.bus", upload.substr(0, 600) + std::string(1100, 'F'));
}

void SimSeeds(Corpus& c, const std::vector<Talk>& talks) {
  std::set<std::string> single;
  for (const Talk& t : talks) single.insert(t.sent.begin(), t.sent.end());
  int n = 0;
  for (const std::string& f : single) {
    char name[32];
    std::snprintf(name, sizeof name, "frame_%02d.pc", n++);
    c.Put(name, f);
  }
  const char* names[] = {"idle", "upload", "download", "system_download", "clock_set", "service"};
  const std::size_t which[] = {0, 1, 4, 6, 7, 8};
  for (std::size_t i = 0; i < 6; ++i)
    c.Put(std::string("talk_") + names[i] + ".pc", Join(talks[which[i]].sent));

  const std::string read = bus::MB_Write_Single(1, 3, 0x2000, 16) + "\r\n";
  std::string badLrc = read;
  badLrc[badLrc.size() - 3] = badLrc[badLrc.size() - 3] == '0' ? '1' : '0';
  c.Put("bad_lrc.pc", badLrc);
  c.Put("lower_case.pc", Lower(read));
  c.Put("no_cr.pc", BareLf(read) + read);
  c.Put("odd_digits.pc", ":0103200000100\r\n" + read);
  c.Put("registers_past_end.pc", bus::MB_Write_Single(1, 3, 0x200C, 8) + "\r\n");
  c.Put("block_read_past_end.pc",
        sim::FrameText().Byte(0x10).Byte(0xCF).Byte(0).Byte(4).Word(0xFFC0).Word(0x80).Line());
  std::string tooLong = LineStarting(Join(talks[4].sent), ":10CF0104");
  tooLong.insert(tooLong.size() - 4, "00");
  c.Put("block_write_too_long.pc", tooLong);
  bus::CommandPayload p;
  p.now = {2024, 2, 30, 12, 0, 0, 5};
  c.Put("clock_set_no_such_day.pc", *bus::MB_CPU_Command(1, 3, p) + "\r\n");
  p.now = {1969, 12, 31, 23, 59, 59, 3};
  c.Put("clock_set_before_1970.pc", *bus::MB_CPU_Command(1, 3, p) + "\r\n");
  for (int code : {1002, 1003, 1004, 1005, 1007, 1010}) {
    p.requestCode = static_cast<std::int16_t>(code);
    c.Put("command_" + std::to_string(code) + ".pc", read + *bus::MB_CPU_Command(1, 99, p) + "\r\n");
  }
}

void ProjectSeeds(Corpus& c, const fs::path& scratch) {
  const fs::path prj = scratch / "demo.prj";
  auto image = std::make_unique<program::ProgramImage>(sim::DemoMemory());
  if (!persist::ProjectSave(prj.string(), *image).ok) std::abort();
  const std::string full = ReadWhole(prj);
  const auto lines = [&full](std::size_t first, std::size_t count) {
    return full.substr(40 * first, 40 * count);
  };
  c.Put("demo_full.prj", full);
  c.Put("demo_first_line.prj", lines(0, 1));
  c.Put("demo_head.prj", lines(0, 12));
  c.Put("demo_program1.prj", lines(256, 40));
  c.Put("demo_weekly.prj", lines(0x900, 24));
  c.Put("demo_event_log.prj", lines(0xF00, 8));
  c.Put("cut_mid_line.prj", lines(0, 3) + lines(3, 1).substr(0, 21));
  c.Put("lower_case.prj", Lower(lines(0, 4)));
  c.Put("bare_lf.prj", BareLf(lines(256, 6)));
  std::string cr = lines(256, 6);
  cr.erase(std::remove(cr.begin(), cr.end(), '\n'), cr.end());
  c.Put("bare_cr.prj", cr);
  c.Put("bad_hex.prj", "P0000:4B41565341DZ2031303030000000000000\r\n" + lines(1, 2));
  c.Put("no_address.prj", "\r\nP\r\nPZZZZ:00\r\n:0000:11\r\n" + lines(0, 1));
  c.Put("past_end.prj", "PFFF8:0102030405060708090A0B0C0D0E0F10\r\n");
  c.Put("short_lines.prj", "P0010:01\r\nP0020\r\nP00\r\nP1:FF\r\n");
  c.Put("long_line.prj", "P0100:" + std::string(600, '7') + "\r\n");
  c.Put("twice_same_address.prj", lines(0, 1) + "P0000:00000000000000000000000000000000\r\n");
  c.Put("empty.prj", "");
  c.Put("mostly_other_lines.prj", "%PDF-1.4\r\n1 0 obj\r\nstream\r\n" + lines(0, 2) + "endstream\r\n");
}

void IniSeeds(Corpus& c, const fs::path& scratch) {
  const persist::SettingsPaths paths = persist::SettingsPathsIn(scratch / "settings");
  fs::create_directories(scratch / "settings");
  persist::LoadSettings(paths);
  // The folder name is random; the seeds should not change from one run to the next.
  std::string fresh = ReadWhole(paths.settingsFile);
  const std::string folder = (scratch / "settings").string();
  for (std::size_t at = fresh.find(folder); at != std::string::npos; at = fresh.find(folder, at)) {
    fresh.replace(at, folder.size(), "/opt/kx7140");
  }
  persist::SaveSettings(paths, "/home/servis/kavşak 12.prj", 3);
  const std::string saved = ReadWhole(paths.settingsFile);
  const auto with = [](std::string file, std::string_view s, std::string_view k, std::string_view v) {
    file.push_back('\0');
    file.append(s).push_back('\0');
    file.append(k).push_back('\0');
    return file.append(v);
  };
  c.Put("fresh.ini", fresh);
  c.Put("saved.ini", saved);
  c.Put("saved_project.ini", with(saved, "DEFAULT", "ProjectName", "C:\\KX\\yeni.prj"));
  c.Put("saved_port.ini", with(saved, "MODBUS", "PortName", " 12"));
  c.Put("saved_other_case.ini", with(saved, "modbus", "BAUDRATE", "115200"));
  c.Put("saved_new_section.ini", with(saved, "Pencere", "Sol", "120"));
  c.Put("saved_new_key.ini", with(saved, "MODBUS", "Timeout", "50"));
  c.Put("value_with_bracket.ini", with(saved, "DEFAULT", "ProjectName", "C:\\[yedek]\\a.prj"));
  c.Put("key_with_bracket.ini", with(saved, "DEFAULT", "Proje[1]", "x"));
  c.Put("value_with_cr.ini", with(saved, "DEFAULT", "ProjectName", "a\rb"));
  c.Put("empty_then_write.ini", with("", "DEFAULT", "ProjectName", ""));
  c.Put("empty_names.ini", with(saved, "", "", "v"));
  c.Put("bare_lf.ini", with(BareLf(saved), "MODBUS", "Stopbits", "2"));
  c.Put("many_blank_lines.ini", with(fresh + "\r\n\r\n\r\n\r\n", "Yeni", "A", "1"));
  c.Put("duplicate_sections.ini",
        with("[MODBUS]\r\nPortName= 1\r\n[DEFAULT]\r\nProjectName=a\r\n[modbus]\r\nPortName= "
             "2\r\nBaudrate=9600\r\n",
             "MODBUS", "Baudrate", "19200"));
  c.Put("key_before_header.ini",
        with("PortName= 4\r\n[MODBUS]\r\nportname = 5\r\n", "MODBUS", "PortName", " 6"));
  c.Put("header_with_blank.ini",
        with("[MODBUS ]\r\nPortName= 1\r\n [MODBUS]\r\n", "MODBUS", "PortName", " 2"));
  c.Put("bracket_ends_section.ini",
        with("[DEFAULT]\r\nA=[x]\r\nProjectName=b\r\n", "DEFAULT", "ProjectName", "c"));
  c.Put("no_final_line_end.ini", with("[DEFAULT]\r\nProjectName=a", "DEFAULT", "ProjectName", "b"));
  c.Put("binary.ini", std::string("\x01\xff[\x80]\r\x00=\x7f\n\x00", 12));
}

void JunctionSeeds(Corpus& c, const fs::path& scratch) {
  program::JunctionData d;
  program::SetGroupName(d, 1, "A1 Kuzey");
  program::SetGroupName(d, 2, "A2 Güney");
  program::SetGroupName(d, 7, "Y1 yaya geçidi");
  d.pedestrian[6] = true;
  program::SetConflict(d, 1, 7, 5, 6);
  program::SetConflict(d, 2, 7, 5, 5);
  d.limits = {3, 2, 6};
  const std::string prj = (scratch / "kavsak.prj").string();
  if (!persist::JunctionSave(prj, d).ok) std::abort();
  const std::string saved = ReadWhole(persist::JunctionPathFor(prj));

  program::JunctionData full;
  for (int g = 1; g <= program::kJunctionGroups; ++g) {
    program::SetGroupName(full, g, "Grup " + std::to_string(g) + " ŞĞÜİÖÇ adı uzun olsun");
    for (int h = g + 1; h <= program::kJunctionGroups; ++h) program::SetConflict(full, g, h, g % 7, h % 9);
  }
  if (!persist::JunctionSave(prj, full).ok) std::abort();

  const std::string head = "KX7140 kavsak 1\r\n";
  c.Put("saved.kavsak", saved);
  c.Put("full_matrix.kavsak", ReadWhole(persist::JunctionPathFor(prj)));
  c.Put("header_only.kavsak", head);
  c.Put("bom_bare_lf.kavsak", "\xEF\xBB\xBF" + BareLf(saved));
  c.Put("hand_edited.kavsak",
        "KX7140 kavsak 1  \n\n  # yorum\ngrup\t3   B2  Doğu  \ngrup 3 B2\n"
        "renk 3 mavi\ncatisma 2 9 3\nyaya 4 5 6\nen-kisa-yesil 0\n");
  c.Put("version_2.kavsak", "KX7140 kavsak 2\r\ngrup 1 X\r\n");
  c.Put("not_junction.kavsak", "P0000:00000000000000000000000000000000\r\n");
  c.Put("group_33.kavsak", head + "grup 33 X\r\n");
  c.Put("long_name.kavsak", head + "grup 1 " + std::string(40, 'x') + "\r\n");
  c.Put("broken_utf8.kavsak", head + "grup 1 \xC3(\r\n");
  c.Put("self_conflict.kavsak", head + "catisma 4 4 5\r\n");
  c.Put("seconds_256.kavsak", head + "catisma 1 2 256 3\r\n");
  c.Put("extra_field.kavsak", head + "en-kisa-sari 3 sn\r\n");
  c.Put("missing_field.kavsak", head + "catisma 1\r\n");
  c.Put("no_final_line_end.kavsak", head + "grup 2 son");
  c.Put("empty.kavsak", "");
  c.Put("binary.kavsak", head + std::string("\x01\xff grup 1 \x00\x7f\r\x85\n", 15));
}

// A talk as a capture shows it: the controller's lines a millisecond apart, and the
// PC's frame after each turn the PC was given.
std::string CaptureOf(const Talk& talk) {
  bus::CaptureHeader header;
  header.start = {2024, 1, 1, 8, 0, 4, 1};
  header.utcOffsetMinutes = 180;
  header.port = "/dev/ttyUSB0";
  header.programVersion = "0.1.0";
  bus::StringTextSink sink;
  {
    bus::CaptureWriter writer(sink, header, 0);
    std::int64_t t = 0;
    std::size_t sent = 0;
    std::string_view heard = talk.heardByPc;
    while (!heard.empty()) {
      const std::size_t lf = heard.find('\n');
      const std::string_view line = heard.substr(0, lf == std::string_view::npos ? heard.size() : lf + 1);
      heard.remove_prefix(line.size());
      writer.Append(t += 1000, bus::LineDirection::Received, line);
      if (line.starts_with(":1003") && sent < talk.sent.size()) {
        writer.Append(t += 10000, bus::LineDirection::Sent, talk.sent[sent++]);
      }
    }
  }
  return sink.text;
}

void CaptureSeeds(Corpus& c, const std::vector<Talk>& talks) {
  const std::string idle = CaptureOf(talks[0]);
  const std::string head = idle.substr(0, idle.find('\n') + 1);
  const std::string turn = "0.020000 R :100320000010BD\r\n";
  c.Put("idle.cap", idle);
  c.Put("upload.cap", CaptureOf(talks[1]));
  c.Put("rough_upload.cap", CaptureOf(talks.back()));
  c.Put("bare_lf.cap", BareLf(idle.substr(0, 1500)));
  c.Put("cut_last_line.cap", idle.substr(0, 700));
  c.Put("header_only.cap", head);
  c.Put("version_2.cap", "KX7140 yakalama 2 baslangic=2024-01-01T08:00:04+03:00\r\n" + turn);
  c.Put("no_start.cap", "KX7140 yakalama 1 port=COM3 program=0.1.0\r\n" + turn);
  c.Put("later_keys.cap",
        "KX7140 yakalama 1 hiz=115200 baslangic=2024-12-31T23:59:59-09:30 port=COM3\r\n" + turn);
  c.Put("not_capture.cap", "P0000:00000000000000000000000000000000\r\n");
  c.Put("bad_lines.cap", head + turn + "0.02 R :10\r\n" + "0.030000 X :10\r\n" + "0.040000 R :1\\q\r\n" +
                             "0.050000 R :1\\x4\r\n" + "0.060000 R \t\x80\r\n" + "\r\n" + turn);
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  std::string escapes = head;
  bus::AppendCaptureRecord(escapes, 5, bus::LineDirection::Received, all);
  bus::AppendCaptureRecord(escapes, 6, bus::LineDirection::Sent, ":10CF\\x41\n");
  bus::AppendCaptureRecord(escapes, 4, bus::LineDirection::Received, "");
  c.Put("escapes_and_going_back.cap", escapes);
  c.Put("long_line.cap", head + "1.000000 R " + std::string(700, 'F') + "\r\n" + turn);
}

// What the monitor hears: whole talks, and lines that it must refuse.
void MonitorSeeds(Corpus& c, const std::vector<Talk>& talks) {
  c.Put("idle.bus", talks[0].heardByPc);
  c.Put("upload.bus", talks[1].heardByPc);
  c.Put("download.bus", talks[4].heardByPc);
  c.Put("rough_upload.bus", talks.back().heardByPc);
  const std::string turn = LineStarting(talks[0].heardByPc, ":1003");
  std::string badLrc = turn;
  badLrc[badLrc.size() - 3] = badLrc[badLrc.size() - 3] == '0' ? '1' : '0';
  c.Put("refused.bus", "\r\n" + badLrc + ":1003\r\n:10032\r\n" + BareLf(turn) + "1003200000106D\r\n" + ":" +
                           std::string(300, 'F') + "\r\n" + Lower(turn));
  c.Put("short_frames.bus", sim::FrameText().Byte(0x22).Byte(0xCE).Word(2).Line() +
                                sim::FrameText().Byte(1).Byte(0xCF).Byte(0).Byte(3).Line() +
                                sim::FrameText().Byte(0x13).Byte(3).Byte(1).Line());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s CORPUS_DIR\n", argv[0]);
    return 2;
  }
  const fs::path out = argv[1];
  std::random_device rd;
  const fs::path scratch = fs::temp_directory_path() / ("kx-seeds-" + std::to_string(rd()));
  fs::create_directories(scratch);

  Corpus decoder{out / "reply_decoder"}, link{out / "controller_link"}, simulator{out / "sim_receive"},
      project{out / "project_file"}, ini{out / "ini_file"}, junction{out / "junction_data"},
      capture{out / "capture_file"}, monitor{out / "bus_monitor"};
  std::vector<Talk> talks;
  LinkSeeds(decoder, link, talks);
  SimSeeds(simulator, talks);
  ProjectSeeds(project, scratch);
  IniSeeds(ini, scratch);
  JunctionSeeds(junction, scratch);
  CaptureSeeds(capture, talks);
  MonitorSeeds(monitor, talks);
  fs::remove_all(scratch);
  for (const Corpus* c : {&decoder, &link, &simulator, &project, &ini, &junction, &capture, &monitor}) {
    std::printf("%s: %d files\n", c->dir.c_str(), c->count);
  }
  return 0;
}
