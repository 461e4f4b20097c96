#include "tests/windows/e2e/sendlark_fixture.h"

namespace sendlark::harness {

namespace {

std::wstring Entry(const wchar_t* key, const std::wstring& value) {
  return std::wstring(key) + L"=" + value + L";\r\n";
}

}  // namespace

WineConsole::WineConsole(const std::wstring& folder) {
  HWND before = FindWindowW(kClass, nullptr);
  process_ = std::make_unique<Process>(L"wineconsole.exe cmd.exe", folder);
  WaitUntil([&] {
    window_ = FindWindowW(kClass, nullptr);
    return window_ != nullptr && window_ != before && IsWindowVisible(window_);
  });
}

WineConsole::~WineConsole() {
  if (window_ != nullptr) PostMessageW(window_, WM_CLOSE, 0, 0);
}

SendlarkTest::SendlarkTest() {
  static int counter = 0;
  const std::wstring unique =
      std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
  recorderClass = L"SendlarkRecorder" + unique;
  recorderTitle = L"Recorder " + unique;
  recordFile = folder.File(L"records.bin");
  CopyFileW((BinFolder() + L"\\Sendlark.exe").c_str(), folder.File(L"Sendlark.exe").c_str(), FALSE);
  folder.Write(L"commands.txt", "");
  folder.Write(L"log.txt", "");
}

void SendlarkTest::WriteConfig(const Config& config, ConfigEncoding encoding) {
  const std::wstring text =
      Entry(L":AppliactionPath", config.path) + Entry(L":AppliactionName", config.name) +
      Entry(L":AppliactionClass", config.className) + Entry(L":AppliactionPast", config.paste) +
      Entry(L":CommandHeader", config.header) + Entry(L":CommandFooter", config.footer) +
      Entry(L":CommandFileName", config.commandFile) + Entry(L":LogFileName", config.logFile) +
      config.more;
  switch (encoding) {
    case ConfigEncoding::Ansi:
      folder.Write(L"Config.ini", Ansi(text));
      return;
    case ConfigEncoding::Utf8:
      folder.Write(L"Config.ini", Utf8(text));
      return;
    case ConfigEncoding::Utf8Bom:
      folder.Write(L"Config.ini", "\xEF\xBB\xBF" + Utf8(text));
      return;
  }
}

Config SendlarkTest::RecorderConfig() const {
  Config config;
  config.name = recorderTitle;
  config.className = recorderClass;
  return config;
}

void SendlarkTest::CopyInstallation(const TempFolder& other) const {
  for (const wchar_t* file : {L"Sendlark.exe", L"Config.ini"}) {
    CopyFileW(folder.File(file).c_str(), other.File(file).c_str(), FALSE);
  }
  other.Write(L"commands.txt", "");
  other.Write(L"log.txt", "");
}

std::unique_ptr<Process> SendlarkTest::StartSendlark(const std::wstring& arguments) {
  std::wstring commandLine = L"\"" + folder.File(L"Sendlark.exe") + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  return std::make_unique<Process>(commandLine, folder.Path());
}

std::unique_ptr<Process> SendlarkTest::StartRecorder(unsigned delayMs, const std::wstring& mode) {
  const std::wstring commandLine = L"\"" + BinFolder() + L"\\recorder.exe\" \"" + recorderClass +
                                   L"\" \"" + recorderTitle + L"\" 770 \"" + recordFile + L"\" " +
                                   std::to_wstring(delayMs) + L" " + mode;
  auto recorder = std::make_unique<Process>(commandLine, folder.Path());
  EXPECT_TRUE(WaitUntil([&] {
    return FindProcessWindow(recorder->Id(), recorderClass) != nullptr;
  })) << "the recorder did not open its window";
  return recorder;
}

HWND SendlarkTest::StartNotepad(Config& config) {
  notepad = std::make_unique<Process>(L"notepad.exe", folder.Path());
  HWND window = nullptr;
  WaitUntil([&] { return (window = FindProcessWindow(notepad->Id(), L"Notepad")) != nullptr; });
  config.className = L"Notepad";
  config.name = WindowText(window);  // "Untitled - Notepad", or its Japanese form
  config.paste = L"275";
  return window;
}

HWND SendlarkTest::WaitForStrip(const Process& sendlark, std::chrono::milliseconds timeout) {
  HWND strip = nullptr;
  WaitUntil([&] { return (strip = FindProcessWindow(sendlark.Id(), kStripClass)) != nullptr; },
            timeout);
  return strip;
}

std::vector<std::wstring> SendlarkTest::WaitForRecords(std::size_t count,
                                                       std::chrono::milliseconds timeout) {
  std::vector<std::wstring> records;
  WaitUntil([&] { return (records = ReadRecords(recordFile)).size() >= count; }, timeout);
  return records;
}

std::vector<std::string> SendlarkTest::WaitForLogLines(std::size_t count) const {
  std::vector<std::string> lines;
  WaitUntil([&] { return (lines = LogLines()).size() >= count; });
  return lines;
}

void SendlarkTest::ExpectPasteFailureBoxes(const Process& sendlark) {
  const std::wstring failure = kFailureMessage;
  const auto first = WaitForMessageBox(sendlark.Id());
  ASSERT_TRUE(first);
  EXPECT_EQ(first->text.substr(0, failure.size()), failure);
  EXPECT_GT(first->text.size(), failure.size()) << "the system's reason follows directly";
  PressOk(*first);
  const auto second = WaitForMessageBox(sendlark.Id());
  ASSERT_TRUE(second);
  EXPECT_EQ(second->text, failure);
  PressOk(*second);
}

std::vector<std::string> SendlarkTest::LogLines() const {
  const std::string bytes = folder.Read(L"log.txt");
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end = bytes.find("\r\n"); end != std::string::npos;
       end = bytes.find("\r\n", start)) {
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

}  // namespace sendlark::harness
