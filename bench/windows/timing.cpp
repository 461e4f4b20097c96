// Timings with the real Windows layer: how fast SendCommand delivers to a live target compared
// with the bare clipboard-and-command loop underneath it, and how long the largest command menu
// takes to rebuild. Run it from the build's bin folder: it starts recorder.exe from there as
// the target, and keeps its history and command files beside itself, where the program
// looks for them.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "app/frm_drag.h"
#include "app/popup_menu.h"
#include "delivery/command_text.h"
#include "delivery/send_command.h"
#include "menus/command_menu.h"
#include "platform/win32/main_window.h"
#include "platform/win32/menu_render.h"
#include "platform/win32/win32_platform.h"
#include "state/program_state.h"

namespace {

using namespace sendlark;
using Clock = std::chrono::steady_clock;

constexpr int kPasteId = 770;
constexpr int kWarmUp = 50;
// The loops take turns, so drift hits all alike, and the median round keeps a burst of other
// work on the machine out of the result.
constexpr int kRounds = 9;
constexpr int kPerRound = 50;
constexpr int kRebuildTries = 3;
// A failed delivery shows a modal message box, which nobody will press in an unattended run.
constexpr auto kGiveUpAfter = std::chrono::minutes(5);

const std::wstring kText = L"SELECT * FROM orders WHERE id = 42;";
const std::wstring kHeader = L"";
const std::wstring kFooter = L"\\n";

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::wstring BesideProgram(const std::wstring& name) {
  return Sys().ProgramFolder() + L"\\" + name;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
}

std::string CommandLines(int count) {
  std::string bytes;
  for (int n = 1; n <= count; ++n)
    bytes += "SELECT * FROM orders WHERE id = " + std::to_string(n) + ";\r\n";
  return bytes;
}

// What the program's message loop would handle between two deliveries.
void PumpMessages() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

// recorder.exe in a process of its own, with a class and title no other window has.
class Target {
 public:
  Target() {
    const std::wstring id = std::to_wstring(::GetCurrentProcessId());
    className = L"SendlarkTimingTarget" + id;
    title = L"Sendlark timing target " + id;
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"sendlark-timing-" + id;
    ::CreateDirectoryW(folder_.c_str(), nullptr);
    recordFile_ = folder_ + L"\\records.bin";

    std::wstring commandLine = L"\"" + Sys().ProgramFolder() + L"\\recorder.exe\" \"" + className +
                               L"\" \"" + title + L"\" " + std::to_wstring(kPasteId) + L" \"" +
                               recordFile_ + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder_.c_str(), &startup, &process_)) {
      return;
    }
    for (int wait = 0; wait < 1000 && window_ == nullptr; ++wait) {
      window_ = ::FindWindowW(className.c_str(), title.c_str());
      if (window_ == nullptr) ::Sleep(10);
    }
  }

  ~Target() {
    if (process_.hProcess != nullptr) {
      if (window_ != nullptr) ::PostMessageW(window_, WM_CLOSE, 0, 0);
      if (::WaitForSingleObject(process_.hProcess, 5000) != WAIT_OBJECT_0) {
        ::TerminateProcess(process_.hProcess, 1);
      }
      ::CloseHandle(process_.hProcess);
      ::CloseHandle(process_.hThread);
    }
    ::DeleteFileW(recordFile_.c_str());
    ::RemoveDirectoryW(folder_.c_str());
  }
  Target(const Target&) = delete;
  Target& operator=(const Target&) = delete;

  HWND Window() const { return window_; }

  // The recorder ends every text it pasted with a NUL.
  long Deliveries() const {
    std::string bytes;
    const HANDLE file =
        ::CreateFileW(recordFile_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    char buffer[65536];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
      bytes.append(buffer, got);
    ::CloseHandle(file);
    return static_cast<long>(std::count(bytes.begin(), bytes.end(), '\0'));
  }

  std::wstring className;
  std::wstring title;

 private:
  std::wstring folder_;
  std::wstring recordFile_;
  PROCESS_INFORMATION process_ = {};
  HWND window_ = nullptr;
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Milliseconds for `count` deliveries, the window's messages handled after each as the
// program's message loop would.
template <typename Deliver>
double TimeDeliveries(int count, Deliver deliver) {
  const Clock::time_point start = Clock::now();
  for (int n = 0; n < count; ++n) {
    deliver();
    PumpMessages();
  }
  return MillisecondsSince(start);
}

void MeasureDeliveries() {
  Target target;
  if (target.Window() == nullptr) {
    std::printf("deliveries: recorder.exe did not open its window; skipped\n");
    return;
  }
  // A target that cannot be found or brought forward would make SendCommand show a message box.
  if (Sys().FindTargetWindow(target.className, target.title) == 0 ||
      !Sys().ActivateByTitle(target.title)) {
    std::printf("deliveries: the target cannot be found or activated; skipped\n");
    return;
  }

  const std::wstring command = CommandText(kHeader, kText, kFooter);
  const auto bare = [&] {
    Sys().PutClipboardText(command);
    Sys().SendCommandId(win32::ToRef(target.Window()), kPasteId);
  };
  // SendCommand's own steps without the history, to tell apart where its extra time goes.
  const auto withoutHistory = [&] {
    Sys().PutClipboardText(command);
    PasteToApplication({target.className, target.title, g_settings[ApplicationPaste]});
  };
  const auto full = [&] { SendCommand(kText, target.className, target.title, kHeader, kFooter); };

  TimeDeliveries(kWarmUp, full);
  TimeDeliveries(kWarmUp, withoutHistory);
  TimeDeliveries(kWarmUp, bare);
  std::vector<double> fullMs, withoutHistoryMs, bareMs;  // per delivery, one value a round
  for (int round = 0; round < kRounds; ++round) {
    fullMs.push_back(TimeDeliveries(kPerRound, full) / kPerRound);
    withoutHistoryMs.push_back(TimeDeliveries(kPerRound, withoutHistory) / kPerRound);
    bareMs.push_back(TimeDeliveries(kPerRound, bare) / kPerRound);
  }

  const double fullMedian = Median(fullMs);
  const double withoutHistoryMedian = Median(withoutHistoryMs);
  const double bareMedian = Median(bareMs);
  std::printf("deliveries/s: SendCommand %.1f, bare loop %.1f, ratio %.2f (goal <= 1.5)\n",
              1000.0 / fullMedian, 1000.0 / bareMedian, fullMedian / bareMedian);
  std::printf(
      "per delivery (median of %d rounds of %d): SendCommand %.3f ms = bare loop %.3f ms"
      " + find and activate the target %.3f ms + history %.3f ms\n",
      kRounds, kPerRound, fullMedian, bareMedian, withoutHistoryMedian - bareMedian,
      fullMedian - withoutHistoryMedian);
  const long expected = 3L * (kWarmUp + kRounds * kPerRound);
  std::printf("target received %ld of %ld deliveries\n", target.Deliveries(), expected);
}

struct Rebuild {
  double load = 0;
  double build = 0;
  double render = 0;
  double Total() const { return load + build + render; }
};

// What refreshing the command menu and then opening the popup costs, Win32 menu included.
Rebuild TimeRebuild(int lines) {
  WriteBytes(BesideProgram(g_settings[CommandFileName]), CommandLines(lines));
  Rebuild best;
  for (int attempt = 0; attempt < kRebuildTries; ++attempt) {
    Rebuild times;
    Clock::time_point start = Clock::now();
    LoadCommandMenu();
    times.load = MillisecondsSince(start);
    start = Clock::now();
    const std::vector<MenuEntry> entries = BuildPopupMenu(g_program.menus);
    times.build = MillisecondsSince(start);
    start = Clock::now();
    win32::UniqueMenu menu = win32::RenderMenu(entries);
    times.render = MillisecondsSince(start);
    menu.reset();  // destroying it is not part of the rebuild
    if (attempt == 0 || times.Total() < best.Total()) best = times;
  }
  return best;
}

void MeasureMenuRebuild() {
  const int sizes[] = {1000, 10000, kMaxCommandEntries};
  std::vector<double> perLineUs;
  for (const int lines : sizes) {
    const Rebuild times = TimeRebuild(lines);
    perLineUs.push_back(times.Total() * 1000.0 / lines);
    std::printf("menu rebuild, %5d lines: %8.1f ms (load %.1f, build %.1f, render %.1f)", lines,
                times.Total(), times.load, times.build, times.render);
    if (lines == kMaxCommandEntries) {
      std::printf(" - under one second: %s", times.Total() < 1000.0 ? "yes" : "NO");
    }
    std::printf("\n");
  }
  std::printf(
      "menu rebuild per line: %d lines %.2f us, %d lines %.2f us, %d lines %.2f us; "
      "ratio %d/%d %.2f (1.00 is flat)\n",
      sizes[0], perLineUs[0], sizes[1], perLineUs[1], sizes[2], perLineUs[2], sizes[2], sizes[0],
      perLineUs[2] / perLineUs[0]);
}

}  // namespace

int main() {
  std::thread([] {
    std::this_thread::sleep_for(kGiveUpAfter);
    std::printf("timing: stuck for too long (a message box may be waiting); giving up\n");
    std::fflush(stdout);
    ::ExitProcess(2);
  }).detach();

  // As the program itself starts: its window accepts drops (OLE) and holds a toolbar.
  if (FAILED(::OleInitialize(nullptr))) return 1;
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);
  {
    FrmDragEvents events;
    win32::MainWindow window(::GetModuleHandleW(nullptr), DescribeStrip(), events);
    win32::Win32Platform platform(window.Handle(), window.Title());
    ResetProgram(&platform);

    const std::wstring id = std::to_wstring(::GetCurrentProcessId());
    g_settings[ApplicationPaste] = std::to_wstring(kPasteId);
    g_settings[LogFileName] = L"timing-log-" + id + L".txt";
    g_settings[CommandFileName] = L"timing-commands-" + id + L".txt";
    // A full history, as it is after the first ten deliveries.
    std::string log;
    for (int n = 0; n < kHistorySize; ++n)
      log += "SELECT * FROM orders WHERE id = " + std::to_string(n) + ";\\n\r\n";
    WriteBytes(BesideProgram(g_settings[LogFileName]), log);

    MeasureDeliveries();
    std::fflush(stdout);
    MeasureMenuRebuild();

    ::DeleteFileW(BesideProgram(g_settings[LogFileName]).c_str());
    ::DeleteFileW(BesideProgram(g_settings[CommandFileName]).c_str());
    ResetProgram(nullptr);
  }
  ::OleUninitialize();
  return 0;
}
