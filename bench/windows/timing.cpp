// Timings with the real Windows layer: how fast SendCommand delivers to a live target compared
// with bare loops that do the same work straight against the system, step by step, and how
// long the largest command menu takes to rebuild. Run it from the build's bin folder: it starts
// recorder.exe from there as the target, and keeps its history and command files beside itself,
// where the program looks for them.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "app/frm_drag.h"
#include "app/popup_menu.h"
#include "delivery/command_text.h"
#include "delivery/send_command.h"
#include "menus/command_menu.h"
#include "menus/history.h"
#include "platform/win32/main_window.h"
#include "platform/win32/menu_render.h"
#include "platform/win32/win32_platform.h"
#include "state/program_state.h"

namespace {

using namespace sendlark;
using Clock = std::chrono::steady_clock;

constexpr int kPasteId = 770;
constexpr int kWarmUp = 50;
// The loops take turns in short rounds, so drift hits all alike; the ratio is taken within each
// round, and the median round keeps a burst of other work on the machine out of the result.
constexpr int kRounds = 11;
constexpr int kPerRound = 100;
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

// A full history, as it is after the first ten deliveries.
std::string FullHistory() {
  std::string log;
  for (int n = 0; n < kHistorySize; ++n)
    log += "SELECT * FROM orders WHERE id = " + std::to_string(n) + ";\\n\r\n";
  return log;
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
    // Activation looks among visible windows only, and the window is shown after it exists.
    HWND window = nullptr;
    for (int wait = 0; wait < 1000 && (window == nullptr || !::IsWindowVisible(window)); ++wait) {
      window = ::FindWindowW(className.c_str(), title.c_str());
      ::Sleep(10);
    }
    if (window != nullptr && ::IsWindowVisible(window)) window_ = window;
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

// The clipboard's owner in the bare loops: it hands the text over when the target asks for it.
class BareOwner {
 public:
  BareOwner() {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.lpszClassName = L"SendlarkTimingBareOwner";
    ::RegisterClassW(&windowClass);
    window_ = ::CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                nullptr, nullptr, nullptr);
  }
  ~BareOwner() { ::DestroyWindow(window_); }
  BareOwner(const BareOwner&) = delete;
  BareOwner& operator=(const BareOwner&) = delete;

  HWND Window() const { return window_; }
  static void Put(HANDLE data) { ::SetClipboardData(CF_UNICODETEXT, data); }
  static HANDLE Copy() {
    const std::size_t size = (text.size() + 1) * sizeof(wchar_t);
    const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(::GlobalLock(memory), text.c_str(), size);
    ::GlobalUnlock(memory);
    return memory;
  }

  static inline std::wstring text;
  static inline bool asked = false;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_RENDERFORMAT) return ::DefWindowProcW(window, message, wParam, lParam);
    asked = true;
    Put(Copy());
    return 0;
  }

  HWND window_ = nullptr;
};

// The history work every delivery needs: read the ten lines, write them to a temporary file
// and move that over the log.
void BareHistory(const std::wstring& log) {
  std::string bytes(4096, '\0');
  DWORD got = 0;
  HANDLE file = ::CreateFileW(log.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  ::CloseHandle(file);
  const std::wstring temporary = log + L".tmp";
  WriteBytes(temporary, bytes.substr(0, got));
  ::MoveFileExW(temporary.c_str(), log.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

// The steps of one delivery, timed one by one.
struct Steps {
  double clipboard = 0, find = 0, activate = 0, paste = 0, history = 0;
};

template <typename Step>
void Time(double& total, Step step) {
  const Clock::time_point start = Clock::now();
  step();
  total += MillisecondsSince(start);
}

void MeasureDeliveries() {
  Target target;
  if (target.Window() == nullptr) {
    std::printf("deliveries: recorder.exe did not open its window; skipped\n");
    return;
  }
  // A target that cannot be found or brought forward would make SendCommand show a message box.
  if (Sys().FindTargetWindow(target.className, target.title).window == 0 ||
      !Sys().ActivateByTitle(target.title)) {
    std::printf("deliveries: the target cannot be found or activated; skipped\n");
    return;
  }

  const std::wstring command = CommandText(kHeader, kText, kFooter);
  const std::wstring entry = HistoryEntry(command);
  const std::wstring bareLog =
      BesideProgram(L"timing-bare-log-" + std::to_wstring(::GetCurrentProcessId()) + L".txt");
  WriteBytes(bareLog, FullHistory());
  BareOwner owner;
  BareOwner::text = command;

  // The formats every command text carries beside it, the locale and the marks, and the lock
  // that copies take turns with: work that a delivery has to do, whoever writes it.
  const HANDLE bareLock = ::CreateMutexW(nullptr, FALSE, L"Local\\SendlarkTimingBareLock");
  std::vector<UINT> marks;
  for (const wchar_t* mark :
       {L"ExcludeClipboardContentFromMonitorProcessing", L"Clipboard Viewer Ignore",
        L"CanIncludeInClipboardHistory", L"CanUploadToCloudClipboard", L"SendlarkTimingMark"}) {
    marks.push_back(::RegisterClipboardFormatW(mark));
  }
  const auto putFormats = [&] {
    const DWORD zero = 0;
    const LCID locale = ::GetSystemDefaultLCID();
    const auto put = [](UINT format, const void* data, std::size_t size) {
      const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
      std::memcpy(::GlobalLock(memory), data, size);
      ::GlobalUnlock(memory);
      ::SetClipboardData(format, memory);
    };
    put(CF_LOCALE, &locale, sizeof locale);
    for (const UINT mark : marks)
      put(mark, &zero, sizeof zero);
  };

  Steps bareSteps, sendlarkSteps;
  // What a second copy must do for each item, straight against the system; `sameWork` adds the
  // formats and the lock.
  const auto bare = [&](bool confirm, Steps& steps, bool sameWork = false) {
    if (sameWork) ::WaitForSingleObject(bareLock, INFINITE);
    Time(steps.clipboard, [&] {
      ::OpenClipboard(owner.Window());
      ::EmptyClipboard();
      BareOwner::Put(confirm ? nullptr : BareOwner::Copy());
      if (sameWork) putFormats();
      ::CloseClipboard();
      BareOwner::asked = false;
    });
    HWND window = nullptr;
    Time(steps.find,
         [&] { window = ::FindWindowW(target.className.c_str(), target.title.c_str()); });
    Time(steps.activate, [&] { ::SetForegroundWindow(window); });
    Time(steps.paste, [&] {
      DWORD_PTR result = 0;
      ::SendMessageTimeoutW(window, WM_COMMAND, kPasteId, 0, SMTO_ABORTIFHUNG, 5000, &result);
      if (confirm && !BareOwner::asked) std::printf("bare loop: the target did not ask\n");
    });
    Time(steps.history, [&] { BareHistory(bareLog); });
    if (sameWork) ::ReleaseMutex(bareLock);
  };
  const auto sendlark = [&](Steps& steps) {
    Time(steps.clipboard, [&] { Sys().OfferClipboardText(command); });
    TargetWindow window;
    Time(steps.find, [&] { window = Sys().FindTargetWindow(target.className, target.title); });
    Time(steps.activate, [&] { Sys().ActivateByTitle(target.title); });
    Time(steps.paste, [&] {
      Sys().SendCommandId(window.window, kPasteId);
      Sys().AwaitTextRequest(kTextRequestPatienceMs);
    });
    Time(steps.history, [&] { UpdateHistory(Add, entry); });
  };
  Steps ignored;
  const auto barePlain = [&] { bare(false, ignored); };
  const auto bareConfirming = [&] { bare(true, ignored); };
  const auto bareSameWork = [&] { bare(true, ignored, true); };
  const auto full = [&] { SendCommand(kText, target.className, target.title, kHeader, kFooter); };

  for (const auto& loop : std::initializer_list<std::function<void()>>{
           full, barePlain, bareConfirming, bareSameWork, [&] { sendlark(ignored); }}) {
    TimeDeliveries(kWarmUp, loop);
  }
  std::vector<double> fullMs, plainMs, confirmingMs, sameMs;  // per delivery, one a round
  for (int round = 0; round < kRounds; ++round) {
    fullMs.push_back(TimeDeliveries(kPerRound, full) / kPerRound);
    sameMs.push_back(TimeDeliveries(kPerRound, bareSameWork) / kPerRound);
    plainMs.push_back(TimeDeliveries(kPerRound, barePlain) / kPerRound);
    confirmingMs.push_back(TimeDeliveries(kPerRound, bareConfirming) / kPerRound);
    TimeDeliveries(kPerRound, [&] { sendlark(sendlarkSteps); });
    TimeDeliveries(kPerRound, [&] { bare(true, bareSteps); });
  }

  std::vector<double> sameRatios, confirmingRatios, plainRatios;
  for (int round = 0; round < kRounds; ++round) {
    sameRatios.push_back(fullMs[round] / sameMs[round]);
    confirmingRatios.push_back(fullMs[round] / confirmingMs[round]);
    plainRatios.push_back(fullMs[round] / plainMs[round]);
  }
  std::printf(
      "per delivery (median of %d rounds of %d): SendCommand %.3f ms; bare loop with delayed "
      "rendering, the same formats and the lock %.3f ms (ratio %.2f, goal <= 1.10); with delayed "
      "rendering only %.3f ms (ratio %.2f); plain bare loop %.3f ms (ratio %.2f)\n",
      kRounds, kPerRound, Median(fullMs), Median(sameMs), Median(sameRatios), Median(confirmingMs),
      Median(confirmingRatios), Median(plainMs), Median(plainRatios));
  const double count = static_cast<double>(kRounds) * kPerRound;
  std::printf("steps, ms per delivery     clipboard   find  activate  paste+read  history\n");
  for (const auto& [name, steps] : {std::pair{"Sendlark's platform", sendlarkSteps},
                                    std::pair{"bare, delayed rendering", bareSteps}}) {
    std::printf("  %-24s %9.3f %6.3f %9.3f %11.3f %8.3f\n", name, steps.clipboard / count,
                steps.find / count, steps.activate / count, steps.paste / count,
                steps.history / count);
  }
  const long expected = 5L * kWarmUp + 6L * kRounds * kPerRound;
  std::printf("target received %ld of %ld deliveries\n", target.Deliveries(), expected);
  ::DeleteFileW(bareLog.c_str());
  ::CloseHandle(bareLock);
}

// What a run costs with :RestoreClipboard=1 when another program left an 8 MB image on the
// clipboard (a 1448 x 1448 DIB of 32 bits): the copy before the first item and the restore
// after the last, against the same runs without them.
constexpr int kImageSide = 1448;

// In a process of its own, as the user's image comes from another program; it stays on the
// clipboard once that has ended.
void PutImage() {
  BITMAPINFOHEADER header = {sizeof header, kImageSide, kImageSide, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  const std::size_t pixels = std::size_t{4} * kImageSide * kImageSide;
  const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, sizeof header + pixels);
  auto* bytes = static_cast<unsigned char*>(::GlobalLock(memory));
  std::memcpy(bytes, &header, sizeof header);
  for (std::size_t i = 0; i < pixels; ++i)
    bytes[sizeof header + i] = static_cast<unsigned char>(i * 7);
  ::GlobalUnlock(memory);
  const HWND owner =
      ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ::OpenClipboard(owner);
  ::EmptyClipboard();
  ::SetClipboardData(CF_DIB, memory);
  ::CloseClipboard();
}

void MeasureClipboardRestore() {
  Target target;
  if (target.Window() == nullptr) return;
  std::wstring commandLine = L"\"" + BesideProgram(L"sendlark_timing.exe") + L"\" --put-image";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    return;
  }
  ::WaitForSingleObject(process.hProcess, 30000);
  ::CloseHandle(process.hProcess);
  ::CloseHandle(process.hThread);
  const ClipboardCopy image = Sys().CopyClipboard();
  if (image.formats.empty()) return;
  std::printf("clipboard restore, an 8 MB image (%zu bytes as DIB):\n",
              image.formats[0].bytes.size());
  double perRun[2][2] = {};  // [restore][a run of 1 item, of kRunItems]
  constexpr int kRunItems = 20;
  for (const int run : {0, 1}) {
    std::vector<double> ms[2];
    for (int round = 0; round < kRounds; ++round) {
      for (const bool restore : {false, true}) {
        Sys().RestoreClipboard(image);  // as the user left it, in case a run did not restore it
        g_program.options.restoreClipboard = restore;
        const Clock::time_point start = Clock::now();
        DeliverAsOneRun([&] {
          for (int n = 0; n < (run == 0 ? 1 : kRunItems); ++n)
            SendCommand(kText, target.className, target.title, kHeader, kFooter);
        });
        ms[restore].push_back(MillisecondsSince(start));
      }
    }
    perRun[0][run] = Median(ms[0]);
    perRun[1][run] = Median(ms[1]);
  }
  for (const bool restore : {false, true}) {
    std::printf("  %s: a run of 1 item %.1f ms, of %d items %.1f ms; items 2 to %d %.2f ms each\n",
                restore ? "with restore   " : "without restore", perRun[restore][0], kRunItems,
                perRun[restore][1], kRunItems,
                (perRun[restore][1] - perRun[restore][0]) / (kRunItems - 1));
  }
  const auto same = [](const ClipboardCopy& a, const ClipboardCopy& b) {
    return a.formats.size() == b.formats.size() &&
           std::equal(
               a.formats.begin(), a.formats.end(), b.formats.begin(),
               [](const auto& x, const auto& y) { return x.id == y.id && x.bytes == y.bytes; });
  };
  std::printf("  the image came back byte for byte, in its %zu forms: %s\n", image.formats.size(),
              same(Sys().CopyClipboard(), image) ? "yes" : "NO");
  for (int round = 0; round < 3; ++round) {
    Clock::time_point start = Clock::now();
    const ClipboardCopy copy = Sys().CopyClipboard();
    const double copyMs = MillisecondsSince(start);
    Sys().OfferClipboardText(kText);
    start = Clock::now();
    Sys().RestoreClipboard(copy);
    std::printf("  copy %.1f ms, restore %.1f ms\n", copyMs, MillisecondsSince(start));
  }
  g_program.options.restoreClipboard = false;
}

// What an item costs when a clipboard monitor that honours no mark reads every new text at once:
// the monitor's reads are served and the text offered anew, and the item waits out its bound.
void MeasureMonitoredDeliveries() {
  Target target;
  if (target.Window() == nullptr) return;
  std::atomic<DWORD> monitorThread = 0;
  std::atomic<int> reads = 0;
  std::thread monitor([&] {
    const HWND window = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                          nullptr, nullptr);
    ::AddClipboardFormatListener(window);
    monitorThread = ::GetCurrentThreadId();
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
      if (message.message != WM_CLIPBOARDUPDATE || !::OpenClipboard(window)) continue;
      ::GetClipboardData(CF_UNICODETEXT);
      ::CloseClipboard();
      ++reads;
    }
    ::DestroyWindow(window);
  });
  while (monitorThread == 0)
    ::Sleep(1);
  constexpr int kItems = 3;
  const Clock::time_point start = Clock::now();
  DeliverAsOneRun([&] {
    for (int n = 0; n < kItems; ++n)
      SendCommand(kText, target.className, target.title, kHeader, kFooter);
  });
  const double perItem = MillisecondsSince(start) / kItems;
  ::PostThreadMessageW(monitorThread, WM_QUIT, 0, 0);
  monitor.join();
  std::printf(
      "with a monitor reading every text first: %.1f ms per item, %.1f reads by it per item\n",
      perItem, static_cast<double>(reads) / kItems);
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

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--put-image") == 0) {
    PutImage();
    return 0;
  }
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
    WriteBytes(BesideProgram(g_settings[LogFileName]), FullHistory());

    MeasureDeliveries();
    std::fflush(stdout);
    MeasureMenuRebuild();
    std::fflush(stdout);
    MeasureClipboardRestore();
    std::fflush(stdout);
    MeasureMonitoredDeliveries();

    ::DeleteFileW(BesideProgram(g_settings[LogFileName]).c_str());
    ::DeleteFileW(BesideProgram(g_settings[CommandFileName]).c_str());
    ResetProgram(nullptr);
  }
  ::OleUninitialize();
  return 0;
}
