#include "program/program_check.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <memory>
#include <optional>
#include <utility>

#include "program/memory_map.h"
#include "program/played_steps.h"
#include "program/program_image_codec.h"
#include "program/record_names.h"
#include "program/signal_state.h"
#include "program/step_packing.h"
#include "program/week_program_codes.h"

namespace program {

namespace {

constexpr int kGroups = static_cast<int>(kSignalGroups);

bool GreenLit(int code) { return (code & kStateGreen) != 0; }
bool GreenState(int code) { return (code & 7) == kStateGreen; }  // steady or flashing
bool RedState(int code) { return (code & 7) == kStateRed; }

std::string TimeText(int hour, int minute) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d", hour, minute);
  return text;
}

void MoveAppend(std::vector<CheckWarning>& to, std::vector<CheckWarning>&& from) {
  to.insert(to.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
}
void MoveAppend(std::vector<CheckWarning>& to, std::vector<CheckWarning>& from) {
  MoveAppend(to, std::move(from));
}

void Append(std::string&) {}

template <typename... Rest>
void Append(std::string& text, int number, const Rest&... rest);

template <typename... Rest>
void Append(std::string& text, std::string_view part, const Rest&... rest) {
  text += part;
  Append(text, rest...);
}

template <typename... Rest>
void Append(std::string& text, int number, const Rest&... rest) {
  char digits[12];
  const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
  text.append(digits, end);
  Append(text, rest...);
}

// A stretch of played steps in which a group keeps one value; taken cyclically, so
// a stretch may run over the end of the cycle into its start.
struct Stretch {
  int value = 0;
  std::size_t first = 0;  // index into the played steps
  int start = 0;          // seconds from the start of the cycle
  int seconds = 0;
};

// The stretches of equal values around the cycle; none when the value never changes,
// since then no stretch begins or ends.
std::vector<Stretch> CyclicStretches(const std::vector<int>& values, const std::vector<PlayedStep>& steps,
                                     const std::vector<int>& starts) {
  const std::size_t n = values.size();
  std::size_t k0 = 0;
  while (k0 < n && values[k0] == values[(k0 + n - 1) % n]) ++k0;
  std::vector<Stretch> stretches;
  if (k0 == n) return stretches;
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t k = (k0 + i) % n;
    if (i == 0 || values[k] != stretches.back().value) {
      stretches.push_back({values[k], k, starts[k], 0});
    }
    stretches.back().seconds += steps[k].seconds;
  }
  return stretches;
}

class RecordChecker {
 public:
  RecordChecker(const RecordSteps& groups, std::size_t record, const JunctionData& junction)
      : m_groups(groups), m_record(record), m_junction(junction), m_played(PlayedSteps(groups, record)) {
    int t = 0;
    for (const PlayedStep& p : m_played) {
      m_starts.push_back(t);
      t += p.seconds;
    }
    m_cycle = t;
  }

  std::vector<CheckWarning> Check() {
    Codes();
    if (m_played.empty()) {
      NoDuration();
    } else {
      for (int g = 1; g <= kGroups; ++g) {
        Transitions(g);
        Durations(g);
      }
      ConflictingGreens();
      Intergreens();
    }
    // Collected step by step, so only the few warnings of one step need sorting.
    std::vector<CheckWarning> out;
    std::size_t count = 0;
    for (const auto& step : m_byStep) count += step.size();
    out.reserve(count);
    for (auto& step : m_byStep) {
      std::stable_sort(step.begin(), step.end(),
                       [](const CheckWarning& a, const CheckWarning& b) { return a.group < b.group; });
      MoveAppend(out, step);
    }
    return out;
  }

 private:
  int Code(int step, int g) const {
    return m_groups[static_cast<std::size_t>(step)][static_cast<std::size_t>(g)];
  }
  int PlayedCode(std::size_t k, int g) const { return Code(m_played[k].step, g); }

  // The text is "<record> adım <step> Grup-<g>: " and the parts, numbers in decimal;
  // built in one string, since a badly set up junction can give thousands.
  template <typename... Parts>
  void Add(CheckKind kind, int step, int g, int other, const Parts&... what) {
    std::string text;
    text.reserve(96);
    Append(text, RecordName(m_record), " adım ", step);
    if (g != 0) Append(text, " Grup-", g);
    Append(text, ": ", what...);
    m_byStep[static_cast<std::size_t>(step)].push_back(
        {kind, static_cast<int>(m_record), step, g, other, -1, -1, std::move(text)});
  }

  void Codes() {
    for (int s = 1; s <= LastPlayableStep(m_record); ++s) {
      for (int g = 1; g <= kGroups; ++g) {
        const int c = Code(s, g);
        if (IsEditorStateCode(c)) continue;
        Add(CheckKind::UndefinedCode, s, g, 0, "tanımsız durum kodu ", c,
            c == (kStateRed | kStateGreen) ? " (kırmızı ve yeşil birlikte)" : "");
      }
    }
  }

  // A program record that never plays a step stays on its first step for good.
  void NoDuration() {
    if (IsFlashRecord(m_record)) return;
    for (int s = 1; s <= LastPlayableStep(m_record); ++s) {
      int lit = 0, first = 0;
      for (int g = 1; g <= kGroups; ++g) {
        if (Code(s, g) == 0) continue;
        if (lit++ == 0) first = g;
      }
      if (lit > 0) {
        Add(CheckKind::NoDuration, s, first, 0, "programda süreli adım yok (", lit, " grup yanıyor)");
      }
    }
  }

  void Transitions(int g) {
    const std::size_t n = m_played.size();
    if (n < 2 || m_junction.pedestrian[static_cast<std::size_t>(g - 1)]) return;
    for (std::size_t k = 0; k < n; ++k) {
      const int from = PlayedCode(k, g);
      const int to = PlayedCode((k + 1) % n, g);
      const int step = m_played[(k + 1) % n].step;
      if (GreenState(from) && RedState(to)) {
        Add(CheckKind::GreenWithoutYellow, step, g, 0, "yeşilden sonra sarı yok");
      } else if (RedState(from) && GreenState(to)) {
        Add(CheckKind::RedWithoutRedYellow, step, g, 0, "kırmızıdan sonra kırmızı+sarı yok");
      }
    }
  }

  std::vector<Stretch> Stretches(int g, bool greenOnly) const {
    std::vector<int> values;
    values.reserve(m_played.size());
    for (std::size_t k = 0; k < m_played.size(); ++k) {
      const int c = PlayedCode(k, g);
      values.push_back(greenOnly ? (GreenLit(c) ? 1 : 0) : c);
    }
    return CyclicStretches(values, m_played, m_starts);
  }

  void Durations(int g) {
    const CheckLimits& l = m_junction.limits;
    for (const Stretch& r : Stretches(g, false)) {
      const struct {
        int code;
        int limit;
        CheckKind kind;
        const char* name;
      } rules[] = {{kStateYellow, l.minYellow, CheckKind::ShortYellow, "sarı "},
                   {kStateRed | kStateYellow, l.minRedYellow, CheckKind::ShortRedYellow, "kırmızı+sarı "},
                   {kStateGreen, l.minGreen, CheckKind::ShortGreen, "yeşil "}};
      for (const auto& rule : rules) {
        if (r.value != rule.code || r.seconds >= rule.limit) continue;
        Add(rule.kind, m_played[r.first].step, g, 0, rule.name, r.seconds, " sn, en az ", rule.limit, " sn");
      }
    }
  }

  void ConflictingGreens() {
    for (std::size_t k = 0; k < m_played.size(); ++k) {
      for (int a = 1; a <= kGroups; ++a) {
        if (!GreenLit(PlayedCode(k, a))) continue;
        for (int b = a + 1; b <= kGroups; ++b) {
          if (!GreenLit(PlayedCode(k, b)) || !Conflicting(m_junction, a, b)) continue;
          Add(CheckKind::ConflictingGreens, m_played[k].step, a, b, "çatışan Grup-", b,
              " ile aynı anda yeşil");
        }
      }
    }
  }

  // The greens of each group, in the order they start.
  std::array<std::vector<Stretch>, kSignalGroups + 1> GreensByStart() {
    std::array<std::vector<Stretch>, kSignalGroups + 1> greens;
    for (int g = 1; g <= kGroups; ++g) {
      auto& list = greens[static_cast<std::size_t>(g)];
      for (const Stretch& r : Stretches(g, true)) {
        if (r.value == 1) list.push_back(r);
      }
      std::sort(list.begin(), list.end(),
                [](const Stretch& a, const Stretch& b) { return a.start < b.start; });
    }
    return greens;
  }

  // From the end of each green of `from` to the next start of a green of `to`. Greens
  // that overlap are ConflictingGreens' matter: the next start then lies further on.
  void Intergreens() {
    const auto greens = GreensByStart();
    for (int from = 1; from <= kGroups; ++from) {
      for (int to = 1; to <= kGroups; ++to) {
        const int least = MinIntergreen(m_junction, from, to);
        if (least <= 0) continue;
        const std::vector<Stretch>& starts = greens[static_cast<std::size_t>(to)];
        if (starts.empty()) continue;
        for (const Stretch& ended : greens[static_cast<std::size_t>(from)]) {
          const int end = (ended.start + ended.seconds) % m_cycle;
          // The first start at or after the end, else the first of the next cycle.
          auto at = std::lower_bound(starts.begin(), starts.end(), end,
                                     [](const Stretch& s, int t) { return s.start < t; });
          const Stretch* next = at != starts.end() ? &*at : &starts.front();
          const int gap = (next->start - end + m_cycle) % m_cycle;
          if (gap >= least) continue;
          Add(CheckKind::ShortIntergreen, m_played[next->first].step, to, from, "Grup-", from,
              " yeşilinden sonra ara yeşil ", gap, " sn, en az ", least, " sn");
        }
      }
    }
  }

  const RecordSteps& m_groups;
  std::size_t m_record;
  const JunctionData& m_junction;
  std::vector<PlayedStep> m_played;
  std::vector<int> m_starts;
  int m_cycle = 0;
  std::array<std::vector<CheckWarning>, kStepCount> m_byStep;
};

// The name of the program a weekly code switches to, and whether any of its records
// plays a step; nothing for codes that switch to no program record.
struct WeekTarget {
  std::string name;
  bool plays = false;
};

std::optional<WeekTarget> TargetOf(const EditorModel& model, int code) {
  const auto plays = [&model](std::size_t x) { return !PlayedSteps(model.PgmGroups[x], x).empty(); };
  if (code >= 1 && code <= 8) {
    const std::size_t x = static_cast<std::size_t>(code) + 1;
    return WeekTarget{std::string(RecordName(x)), plays(x)};
  }
  if (code == kWeekPedestrian) {
    return WeekTarget{std::string(RecordName(kPedestrianRecord)), plays(kPedestrianRecord)};
  }
  if (code == kWeekDetector) {
    bool any = false;
    for (std::size_t x = kFirstDetectorPhase; x <= kLastDetectorPhase; ++x) any = any || plays(x);
    return WeekTarget{std::string(kDetectorApplicationName), any};
  }
  return std::nullopt;
}

// Why a weekly entry with this code cannot switch as meant, if it cannot.
std::optional<std::pair<CheckKind, std::string>> WeekCodeProblem(const EditorModel& model, int code) {
  if (code == kWeekNoProgram || code == kWeekFlash) return std::nullopt;
  const auto target = TargetOf(model, code);
  if (!target) {
    return std::pair{CheckKind::WeekProgramUnknown, "tanımsız program kodu " + std::to_string(code)};
  }
  if (!target->plays) return std::pair{CheckKind::WeekProgramEmpty, target->name + " süreli adım içermiyor"};
  return std::nullopt;
}

}  // namespace

std::string_view CheckKindName(CheckKind kind) {
  switch (kind) {
    case CheckKind::GreenWithoutYellow: return "green-without-yellow";
    case CheckKind::RedWithoutRedYellow: return "red-without-red-yellow";
    case CheckKind::ShortYellow: return "short-yellow";
    case CheckKind::ShortRedYellow: return "short-red-yellow";
    case CheckKind::ShortGreen: return "short-green";
    case CheckKind::ConflictingGreens: return "conflicting-greens";
    case CheckKind::ShortIntergreen: return "short-intergreen";
    case CheckKind::UndefinedCode: return "undefined-code";
    case CheckKind::NoDuration: return "no-duration";
    case CheckKind::WeekTimeInvalid: return "week-time-invalid";
    case CheckKind::WeekTimeOrder: return "week-time-order";
    case CheckKind::WeekTimeRepeated: return "week-time-repeated";
    case CheckKind::WeekProgramEmpty: return "week-program-empty";
    case CheckKind::WeekProgramUnknown: return "week-program-unknown";
  }
  return "unknown";
}

std::vector<CheckWarning> CheckRecord(const RecordSteps& groups, std::size_t record,
                                      const JunctionData& junction) {
  return RecordChecker(groups, record, junction).Check();
}

std::vector<CheckWarning> CheckWeekTable(const EditorModel& model, const WeekDayNames& days) {
  std::vector<CheckWarning> out;
  for (std::size_t d = 0; d < kWeekTableDays; ++d) {
    std::vector<int> seen;
    int previous = -1;
    for (std::size_t e = 0; e < kWeekEntries; ++e) {
      const auto& day = model.WeekTable[d];
      const int hour = day[kWeekEntryBytes * e];
      const int minute = day[kWeekEntryBytes * e + 1];
      const int code = day[kWeekEntryBytes * e + 2];
      if (hour == 0 && minute == 0 && code == 0) continue;
      const auto add = [&](CheckKind kind, const std::string& what) {
        out.push_back({kind, -1, 0, 0, 0, static_cast<int>(d), static_cast<int>(e),
                       days[d] + " kayıt " + std::to_string(e + 1) + ": " + what});
      };

      if (hour > 23 || minute > 59) {
        add(CheckKind::WeekTimeInvalid, "geçersiz saat " + TimeText(hour, minute));
      } else {
        const int time = hour * 60 + minute;
        if (std::find(seen.begin(), seen.end(), time) != seen.end()) {
          add(CheckKind::WeekTimeRepeated, TimeText(hour, minute) + " aynı gün ikinci kez");
        } else if (time < previous) {
          add(CheckKind::WeekTimeOrder, TimeText(hour, minute) + ", önceki kayıttan (" +
                                            TimeText(previous / 60, previous % 60) + ") önce");
        }
        seen.push_back(time);
        previous = time;
      }

      if (const auto problem = WeekCodeProblem(model, code)) add(problem->first, problem->second);
    }
  }
  return out;
}

std::vector<CheckWarning> CheckModel(const EditorModel& model, const JunctionData& junction,
                                     const WeekDayNames& days) {
  std::vector<CheckWarning> all;
  for (std::size_t x = 0; x < kOfferedRecordCount; ++x) {
    MoveAppend(all, CheckRecord(model.PgmGroups[x], x, junction));
  }
  MoveAppend(all, CheckWeekTable(model, days));
  return all;
}

std::vector<CheckWarning> CheckImage(const ProgramImage& image, const JunctionData& junction,
                                     const WeekDayNames& days) {
  auto model = std::make_unique<EditorModel>();
  UnpackProgramImage(image, *model);
  ExpandSteps(*model);
  return CheckModel(*model, junction, days);
}

}  // namespace program
