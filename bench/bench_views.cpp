// Cost of the monitoring views at the PC's turn: Tazele of the nine card panels with
// the words unchanged and with every word changed, and the buffer window's list fill.
// Targets: 50 us unchanged, 500 us all changed, 20 ms for the fill.
//
// With --show WINDOWS (comma list of cards, lamps, registers, buffer) it instead shows
// those windows live on a simulated controller (card 3 in fault) for --seconds N,
// for looking at them under a real display.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "bench/result_reporter.h"
#include "link/controller_link.h"
#include "link/shared_tables.h"
#include "monitor/buffer_window.h"
#include "monitor/lamp_panel.h"
#include "monitor/output_cards_window.h"
#include "monitor/registers_panel.h"
#include "qtlink/qt_clock.h"
#include "sim/controller.h"
#include "sim/demo_memory.h"

namespace {

// Two register images in which every word the panels show differs.
void FillImage(bus::RegisterImage& r, int variant) {
  for (int c = 0; c < 8; ++c) {
    auto& w = r.TriacCardRegs[static_cast<std::size_t>(c)];
    w[0] = variant ? 2 : 1;
    w[1] = variant;
    w[2] = variant ? 0x4321 : 0x1234;
    w[3] = variant ? 0x00A1 : 0x1A00;
    for (int k = 4; k < 8; ++k) w[static_cast<std::size_t>(k)] = 1000 + 7 * k + variant * 333;
    w[8] = variant ? 2500 : 2050;
    w[9] = variant ? 0x1008 : 0x0004;
  }
  for (int i = 0; i < 16; ++i) r.CpuCardRegs[static_cast<std::size_t>(i)] = 100 * i + variant + 1;
  r.CpuCardRegs[0] = variant ? 2 : 1;
  r.DetectorRegs[0] = variant ? 2 : 0;
  r.DetectorRegs[1] = variant ? 5 : 10;
  for (int i = 1; i <= 7; ++i) r.GpsRegs[static_cast<std::size_t>(i)] = i + variant;
  r.CpuClockText = variant ? "05.03.2024 14:07:09 Salı" : "05.03.2024 14:07:10 Salı";
}

struct CardsBench {
  std::unique_ptr<bus::SharedTables> tables = std::make_unique<bus::SharedTables>();
  monitor::CikisKartlari window{*tables};
  CardsBench() {
    FillImage(tables->regs, 0);
    window.show();
    window.Tazele();
    QCoreApplication::processEvents();
  }
};

void BM_TazeleUnchanged(benchmark::State& state) {
  CardsBench b;
  for (auto _ : state) b.window.Tazele();
}
BENCHMARK(BM_TazeleUnchanged)->MinTime(0.5);

void BM_TazeleAllChanged(benchmark::State& state) {
  CardsBench b;
  bus::RegisterImage images[2];
  FillImage(images[0], 0);
  FillImage(images[1], 1);
  int v = 0;
  for (auto _ : state) {
    state.PauseTiming();
    v ^= 1;
    b.tables->regs = images[v];
    state.ResumeTiming();
    b.window.Tazele();
    // Paint events are let through outside the timed part, as the event loop would.
    state.PauseTiming();
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_TazeleAllChanged)->MinTime(0.5);

void BM_BufferFill(benchmark::State& state) {
  auto tables = std::make_unique<bus::SharedTables>();
  tables->image = sim::DemoMemory();
  monitor::FRM_Buffer window(*tables);
  window.show();
  QCoreApplication::processEvents();
  for (auto _ : state) {
    window.FillList();
    window.repaint();  // the first page drawn: what the user waits for
  }
}
BENCHMARK(BM_BufferFill)->Unit(benchmark::kMillisecond)->MinTime(0.5);

// --- live demo for screenshots ---

// The PC end of an in-process wire to the simulated controller.
class WirePort : public bus::SerialPort {
 public:
  std::string pending;
  std::string sent;
  void SetHandlers(Handlers) override {}
  void Select(int) override {}
  std::string DeviceName() const override { return "sim"; }
  void SetLineSettings(std::string_view) override {}
  bus::PortResult Open() override {
    m_open = true;
    return {};
  }
  void Close() override { m_open = false; }
  bool IsOpen() const override { return m_open; }
  std::string ReadAll() override { return std::exchange(pending, {}); }
  void DiscardInput() override { pending.clear(); }
  bus::PortResult Write(std::string_view bytes) override {
    sent.append(bytes);
    return {};
  }
  bus::PortResult SetBaudRate(int) override { return {}; }

 private:
  bool m_open = false;
};

int ShowLive(const std::string& which, int seconds) {
  const auto wants = [&](const char* name) { return which.find(name) != std::string::npos; };
  sim::Options options;
  options.cardFault[2] = true;
  auto tables = std::make_unique<bus::SharedTables>();
  tables->image = sim::DemoMemory();
  tables->flags.TablesReady = true;
  sim::Controller controller(tables->image, options);

  qtlink::QtClock clock;
  WirePort port;
  bus::ControllerLink link(port, clock, tables->ForLink());

  QMainWindow main;
  main.setWindowTitle(QStringLiteral("KX7140"));
  auto* area = new QMdiArea(&main);
  main.setCentralWidget(area);
  main.resize(1270, 890);

  monitor::CikisKartlari* cards = nullptr;
  const auto add = [&](QWidget* w, QPoint at) {
    QMdiSubWindow* sub = area->addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->move(at);
    sub->show();
  };
  if (wants("cards")) {
    cards = new monitor::CikisKartlari(*tables);
    add(cards, {0, 0});
  }
  if (wants("lamps")) {
    add(new monitor::Lamp_panel(*tables), {0, cards ? 400 : 0});
  }
  if (wants("registers")) {
    add(new monitor::Registers_panel(*tables), {cards ? 300 : 0, cards ? 400 : 0});
  }
  if (wants("buffer")) add(new monitor::FRM_Buffer(*tables), {cards ? 620 : 0, cards ? 400 : 0});
  main.show();

  link.cmd_RUN();
  QElapsedTimer bus;
  bus.start();
  QTimer tick;
  tick.setTimerType(Qt::PreciseTimer);
  QObject::connect(&tick, &QTimer::timeout, [&] {
    const std::int64_t now = bus.elapsed();
    port.pending += controller.Step(now);
    if (!port.pending.empty()) link.OnReceive();
    link.Timer1Tick();
    if (!port.sent.empty()) controller.Receive(std::exchange(port.sent, {}), now);
  });
  tick.start(5);
  QTimer::singleShot(seconds * 1000, qApp, &QCoreApplication::quit);
  return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  std::string show;
  int seconds = 10;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--show") == 0 && i + 1 < argc) show = argv[++i];
    if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc) seconds = std::atoi(argv[++i]);
  }
  if (!show.empty()) {
    QApplication app(argc, argv);
    return ShowLive(show, seconds);
  }

  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  kxbench::ResultReporter reporter;
  kxbench::RunBenchmarks(argc, argv, reporter);
  kxbench::PrintMicroseconds(reporter, {{"BM_TazeleUnchanged", "tazele_unchanged_us"},
                                        {"BM_TazeleAllChanged", "tazele_all_changed_us"}});
  kxbench::PrintMilliseconds(reporter, {{"BM_BufferFill", "buffer_fill_ms"}});
  return 0;
}
