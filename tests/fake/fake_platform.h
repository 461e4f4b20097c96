// A platform for tests: files are real files in a private folder, everything else is recorded
// and scripted. Install it with FakePlatformTest, which also resets the program's state.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/platform.h"

namespace sendlark::testing {

// Thrown where the real platform would end the process.
struct ProgramEnded {
  int exitCode;
};

struct FakeWindow {
  WindowRef ref;
  std::wstring className;
  std::wstring title;
  std::uint32_t process;
};

// When the target reads the clipboard's text, once it has its paste command.
enum class Reading {
  DuringCommand,  // while it handles the command, naming its window
  Unnamed,        // while it handles the command, through no window
  Late,           // lateMs after it has handled the command
  Never,          // it handles the command and never reads
};

struct SentCommand {
  WindowRef target;
  std::int32_t id;         // 0 for WM_PASTE and the keys
  std::wstring clipboard;  // the clipboard's text at that moment
};

class FakePlatform : public Platform {
 public:
  FakePlatform();
  ~FakePlatform() override;

  // --- set-up ---
  std::filesystem::path folder;  // the program's folder, a fresh temporary directory
  std::wstring commandLine = L"Sendlark.exe";
  bool anotherCopy = false;
  std::string codePage = "CP1252";  // the system's ANSI code page, as iconv names it
  std::vector<FakeWindow> windows;
  ErrorText clipboardError;
  bool activationFails = false;  // the target is found, but bringing it forward is not
  ErrorText startError;
  CommandOutcome sendOutcome;             // what sending the target its paste command comes to
  KeyPress keyPress = KeyPress::Pressed;  // what pressing the paste keys comes to
  bool pasteMessageIgnored = false;       // the target handles WM_PASTE without reading
  std::vector<PasteRoute> keysIgnored;    // shortcuts that the target does not take as paste
  std::vector<int> popupChoices;          // what the user picks, one per popup; 0 dismisses it
  // The clipboard and the programs that share it, on a clock of the fake's own that only the
  // waits move on: each wait plays what happens meanwhile, in order of time.
  Reading reading = Reading::DuringCommand;
  std::uint32_t lateMs = 300;
  std::optional<std::uint32_t> readsAgainMs;  // after its first read, the target reads once more
  std::uint32_t answerMs = 0;  // the target takes this long to handle a paste request
  bool monitor = false;        // another program reads every text put on the clipboard at once
  // Another copy of the program wants the turn at this moment, to put its item "B" on the
  // clipboard; it waits for it as long as this copy would, and then goes ahead regardless.
  std::optional<std::uint32_t> secondCopyMs;
  std::uint32_t boxMs = 0;             // how long the user takes to close a message box
  std::function<void()> whileWaiting;  // arrives once while a delivery waits for the read
  ClipboardCopy usersClipboard;        // what the clipboard holds at first
  int copiedAtCommand = 0;  // another program copies "newer" once the target read that paste

  WindowRef AddWindow(const std::wstring& className, const std::wstring& title);
  void WriteFile(const std::wstring& name, const std::string& bytes);
  std::string ReadFile(const std::wstring& name) const;
  bool FileExists(const std::wstring& name) const;

  // --- what happened ---
  std::vector<std::wstring> messages;
  std::vector<std::wstring> clipboardWrites;
  std::vector<SentCommand> sent;
  std::vector<ProgramStart> started;
  std::vector<std::vector<MenuEntry>> popups;
  std::vector<std::string> trace;  // every call that changes something, in order
  std::vector<std::string> reads;  // every read of the clipboard: "target:text", "monitor:text"
  std::uint64_t now = 0;           // the fake's clock, in milliseconds
  bool visible = false;
  std::optional<bool> topMost;
  int drags = 0;

  // --- Platform ---
  std::wstring ProgramFolder() override;
  std::wstring CommandLine() override { return commandLine; }
  bool AnotherCopyRunning() override;
  [[noreturn]] void Exit(int exitCode) override;
  ErrorText StartProgram(const ProgramStart& start) override;
  bool IsExistingFile(const std::wstring& path) override;
  std::optional<FileIdentity> IdentifyFile(const std::wstring& path) override;
  bool IsMissingFile(const std::wstring& path) override;
  FileRead ReadFileBytes(const std::wstring& path, std::uint64_t maxBytes) override;
  ErrorText ReplaceFileBytes(const std::wstring& path, const std::string& bytes,
                             bool flush = false) override;
  void RemoveStaleReplacements(const std::wstring& path) override;
  std::wstring FromAnsi(const std::string& bytes) override;
  std::optional<std::string> ToAnsi(const std::wstring& text) override;
  std::wstring FoldCase(const std::wstring& text) override;
  std::optional<double> ParseNumber(const std::wstring& text) override;
  WindowRef MainWindow() override { return kMainWindow; }
  void ShowMainWindow() override;
  void HideMainWindow() override;
  void SetAlwaysOnTop(WindowRef window, bool onTop) override;
  void BeginWindowDrag(WindowRef window) override;
  int PopupMenu(const std::vector<MenuEntry>& entries) override;
  void ShowMessage(const std::wstring& text) override;
  WindowRef ForegroundWindow() override { return 0; }
  ErrorText RegisterHotKey(const HotKey&) override {
    trace.push_back("hot key");
    return std::nullopt;
  }
  void UnregisterHotKey() override {}
  std::uint64_t NowMs() override { return now; }
  ErrorText OfferClipboardText(const std::wstring& text) override;
  void ReofferClipboardText() override;
  void WithdrawClipboardText() override;
  std::optional<TextRequest> AwaitTextRequest(std::uint32_t patienceMs) override;
  ClipboardCopy CopyClipboard() override;
  bool OwnsClipboard() override { return holder_ == Holder::Us; }
  void RestoreClipboard(const ClipboardCopy& copy) override;
  // What a program that reads the clipboard now gets.
  std::wstring ClipboardText() const;
  // The others carry on after this program has stopped waiting: whatever is still to come.
  void PlayTheRest() { Play(events_.empty() ? now : events_.back().at); }
  TargetWindow FindTargetWindow(const std::wstring& className,
                                const std::wstring& windowName) override;
  std::vector<TargetWindow> WindowsOfClass(const std::wstring& className) override;
  bool ActivateByTitle(const std::wstring& title) override;
  void ActivateWindow(WindowRef window) override;
  CommandOutcome SendCommandId(WindowRef target, std::int32_t id) override;
  CommandOutcome SendPasteMessage(WindowRef target) override;
  KeyPress PressPasteKeys(WindowRef target, PasteRoute keys) override;
  bool AcquireDeliveryLock(std::uint32_t patienceMs) override;
  void ReleaseDeliveryLock() override;

  static constexpr WindowRef kMainWindow = 1;
  static constexpr std::uint32_t kTargetProcess = 40;  // of every window added
  static constexpr WindowRef kMonitorWindow = 2;       // a clipboard manager's, say

 private:
  enum class Holder { User, Us, AnotherCopy };
  std::filesystem::path HostPath(const std::wstring& path) const;
  CommandOutcome Paste(WindowRef target, std::int32_t id, CommandOutcome outcome);
  // Plays what is due until `until`, or until a request for our text comes if `untilRequest`.
  void Play(std::uint64_t until, bool untilRequest = false);
  void At(std::uint64_t when, std::function<void()> act);
  void Read(const std::string& who, WindowRef window, std::uint32_t process);
  void SecondCopyArrives();
  void SecondCopyDelivers();

  struct Event {
    std::uint64_t at;
    std::function<void()> act;
  };
  std::vector<Event> events_;  // in order of time, and of scheduling at the same time
  Holder holder_ = Holder::User;
  std::wstring text_;                  // what a reader gets, but for the user's own content
  std::wstring offered_;               // our text offered last
  bool pending_ = false;               // ours, announced, and not yet handed over
  bool marked_ = false;                // a command text, or what is left of one taken back
  std::vector<TextRequest> requests_;  // for our text, not yet reported
  bool lockHeld_ = false;
  std::uint32_t turnPatienceMs_ = 0;
  bool secondCopyWaits_ = false;
  int commands_ = 0;
  WindowRef nextWindow_ = 100;
};

// Letter case folded as the C library folds it: the fake system's rule, also usable without a
// platform where a text rule takes a CaseFold.
std::wstring UpperCase(const std::wstring& text);

// UTF-8 for readable test failure output and trace lines.
std::string Utf8(const std::wstring& text);
// The bytes of `text` in a code page, for writing test files.
std::string Encode(const std::wstring& text, const std::string& codePage = "CP1252");

// Starts the program's state afresh on a new FakePlatform for each test.
class FakePlatformTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Writes a Config.ini holding the given entries (":Key=value;" each on a line).
  void WriteConfig(const std::wstring& text);
  // The usual configuration: a target "TargetClass"/"Target Window", paste id 770, command
  // and log files that exist and are empty.
  void UseStandardConfig();
  // Settings aimed at a running target window "TargetClass" / "Target Window" with paste id
  // 770, and an empty log file "log.txt".
  void UseRunningTarget();
  // Runs `body`, which must end the program; returns the exit code.
  template <typename Body>
  int ExpectEnd(Body body) {
    try {
      body();
    } catch (const ProgramEnded& ended) {
      return ended.exitCode;
    }
    ADD_FAILURE() << "the program did not end";
    return -1;
  }
  FakePlatform sys;
};

}  // namespace sendlark::testing
