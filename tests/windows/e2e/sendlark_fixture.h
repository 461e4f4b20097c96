// Runs the real Sendlark.exe in a folder of its own, with a target application beside it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/windows/support/harness.h"

namespace sendlark::harness {

inline constexpr wchar_t kStripClass[] = L"SendlarkStrip";
inline constexpr wchar_t kFailureMessage[] =
    L"アプリケーションが見つからない為、処理を完了できませんでした｡";

struct Config {
  std::wstring path = L"notepad.exe";
  std::wstring name;
  std::wstring className;
  std::wstring paste = L"770";
  std::wstring header;
  std::wstring footer;
  std::wstring commandFile = L"commands.txt";
  std::wstring logFile = L"log.txt";
  std::wstring more;  // further entries, written as they stand
};

// The console window that wineconsole opens, a visible top-level window of a process of its
// own; closed at the end, since it outlives the program that started it.
class WineConsole {
 public:
  explicit WineConsole(const std::wstring& folder);
  ~WineConsole();
  WineConsole(const WineConsole&) = delete;
  WineConsole& operator=(const WineConsole&) = delete;
  HWND Window() const { return window_; }
  static constexpr wchar_t kClass[] = L"WineConsoleClass";

 private:
  std::unique_ptr<Process> process_;
  HWND window_ = nullptr;
};

// How a test writes Config.ini: in the system's ANSI code page, as a user's editor long did, or
// in UTF-8 with or without the mark, as Notepad saves new files today.
enum class ConfigEncoding { Ansi, Utf8, Utf8Bom };

class SendlarkTest : public ::testing::Test {
 protected:
  SendlarkTest();

  void WriteConfig(const Config& config, ConfigEncoding encoding = ConfigEncoding::Ansi);
  // A configuration aimed at the recorder started by StartRecorder.
  Config RecorderConfig() const;
  // A second installation in `other`: Sendlark.exe and Config.ini as they are in the folder,
  // with an empty command file and log.
  void CopyInstallation(const TempFolder& other) const;

  // Starts Sendlark.exe from the folder with the given argument text.
  std::unique_ptr<Process> StartSendlark(const std::wstring& arguments = L"");
  // Starts the recorder target with a class and title unique to this test; `mode` is passed
  // on (see recorder.cpp).
  std::unique_ptr<Process> StartRecorder(unsigned delayMs = 0, const std::wstring& mode = L"");
  // Starts Wine's notepad and aims `config` at it (its class, its title, paste command 275);
  // its window once open, or null.
  HWND StartNotepad(Config& config);
  // The strip of a running Sendlark, once visible; null if it never shows.
  HWND WaitForStrip(const Process& sendlark,
                    std::chrono::milliseconds timeout = std::chrono::seconds(10));
  // The texts the recorder has pasted, once there are `count` of them.
  std::vector<std::wstring> WaitForRecords(
      std::size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(10));
  // Expects the two boxes of a failed paste, the failure message with the system's reason
  // and then the message alone, and presses OK on each.
  void ExpectPasteFailureBoxes(const Process& sendlark);
  // The log file's lines, as text in the ANSI code page.
  std::vector<std::string> LogLines() const;
  // The log file's lines once there are `count` of them: the history is written after the
  // target has pasted.
  std::vector<std::string> WaitForLogLines(std::size_t count) const;

  TempFolder folder;
  std::unique_ptr<Process> notepad;
  std::wstring recorderClass;
  std::wstring recorderTitle;
  std::wstring recordFile;
};

}  // namespace sendlark::harness
