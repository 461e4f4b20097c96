// How the history and the command menu scale, measured on the core with the fake platform
// (real files in a temporary folder). The command menu is rebuilt from its file every time the
// user refreshes it, so its cost per line has to stay flat up to the largest menu we allow.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "app/popup_menu.h"
#include "menus/command_menu.h"
#include "menus/history.h"
#include "state/program_state.h"
#include "tests/fake/fake_platform.h"

namespace {

using sendlark::testing::FakePlatform;

FakePlatform* g_fake = nullptr;

constexpr wchar_t kCommandFile[] = L"commands.txt";
constexpr wchar_t kLogFile[] = L"log.txt";

// The program's state as a fresh start leaves it, pointing at our two files.
void Fresh() {
  sendlark::ResetProgram(g_fake);
  sendlark::g_settings[sendlark::CommandFileName] = kCommandFile;
  sendlark::g_settings[sendlark::LogFileName] = kLogFile;
  g_fake->trace.clear();  // the fake records every call; keep that from growing for ever
}

// Lines of the length and variety a real command file has, none of them empty (an empty line
// would end the menu).
std::string CommandLines(int count) {
  std::string bytes;
  for (int n = 1; n <= count; ++n)
    bytes += "SELECT * FROM orders WHERE id = " + std::to_string(n) + ";\r\n";
  return bytes;
}

void FullLog() {
  std::string bytes;
  for (int n = 1; n <= sendlark::kHistorySize; ++n)
    bytes += "SELECT * FROM orders WHERE id = " + std::to_string(n) + ";\\n\r\n";
  g_fake->WriteFile(kLogFile, bytes);
}

void BM_UpdateHistoryAdd(benchmark::State& state) {
  Fresh();
  FullLog();
  const std::wstring entry = L"SELECT * FROM customers;\\n";
  for (auto _ : state) {
    sendlark::UpdateHistory(sendlark::Add, entry);
    if (g_fake->trace.size() > 4096) g_fake->trace.clear();
  }
}
BENCHMARK(BM_UpdateHistoryAdd)->Unit(benchmark::kMicrosecond);

void BM_UpdateHistoryRefresh(benchmark::State& state) {
  Fresh();
  FullLog();
  for (auto _ : state) {
    sendlark::UpdateHistory(sendlark::Refresh, L"");
    if (g_fake->trace.size() > 4096) g_fake->trace.clear();
  }
}
BENCHMARK(BM_UpdateHistoryRefresh)->Unit(benchmark::kMicrosecond);

void BM_LoadCommandMenu(benchmark::State& state) {
  Fresh();
  const int lines = static_cast<int>(state.range(0));
  g_fake->WriteFile(kCommandFile, CommandLines(lines));
  for (auto _ : state) {
    sendlark::LoadCommandMenu();
    g_fake->trace.clear();
  }
  state.SetItemsProcessed(state.iterations() * lines);
}

void BM_BuildPopupMenu(benchmark::State& state) {
  Fresh();
  const int lines = static_cast<int>(state.range(0));
  g_fake->WriteFile(kCommandFile, CommandLines(lines));
  sendlark::LoadCommandMenu();
  for (auto _ : state) {
    std::vector<sendlark::MenuEntry> entries = sendlark::BuildPopupMenu(sendlark::g_program.menus);
    benchmark::DoNotOptimize(entries.data());
  }
  state.SetItemsProcessed(state.iterations() * lines);
}

// From a small file to the most entries the menu can hold.
void MenuSizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->Unit(benchmark::kMillisecond)->Arg(1000)->Arg(10000);
  benchmark->Arg(sendlark::kMaxCommandEntries);
}
BENCHMARK(BM_LoadCommandMenu)->Apply(MenuSizes);
BENCHMARK(BM_BuildPopupMenu)->Apply(MenuSizes);

// Prints the usual table, and remembers the per-line cost of the menu runs for the summary.
class PerLineReporter : public benchmark::ConsoleReporter {
 public:
  PerLineReporter() : ConsoleReporter(OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred || run.run_name.args.empty())
        continue;
      const int lines = std::stoi(run.run_name.args);
      const double ns =
          run.real_accumulated_time / static_cast<double>(run.iterations) / lines * 1e9;
      double& best = perLine_[run.run_name.function_name][lines];
      if (best == 0 || ns < best) best = ns;  // with repetitions, the least disturbed run
    }
  }

  void PrintSummary() const {
    std::printf("\nPer-line cost (wall time; flat means linear growth):\n");
    for (const auto& [name, sizes] : perLine_) {
      for (const auto& [lines, ns] : sizes)
        std::printf("  %-20s %6d lines: %8.2f ns/line\n", name.c_str(), lines, ns);
      if (sizes.size() > 1) {
        const auto& [fewest, smallNs] = *sizes.begin();
        const auto& [most, largeNs] = *sizes.rbegin();
        std::printf("  %-20s ratio %d/%d lines per-line cost: %.2f (1.00 is perfectly flat)\n",
                    name.c_str(), most, fewest, largeNs / smallNs);
      }
    }
  }

 private:
  std::map<std::string, std::map<int, double>> perLine_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  FakePlatform fake;
  g_fake = &fake;

  PerLineReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintSummary();

  sendlark::ResetProgram(nullptr);
  benchmark::Shutdown();
  return 0;
}
