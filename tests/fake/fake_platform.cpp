#include "tests/fake/fake_platform.h"

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstring>
#include <cwctype>
#include <fstream>
#include <random>
#include <utility>

#include "config/file_io.h"
#include "delivery/paste_id.h"
#include "state/program_state.h"

namespace sendlark::testing {

namespace {

// Converts with iconv, putting `fallback` in place of anything the target cannot hold, and
// saying so in `lossy` if given.
template <typename Out>
Out Convert(const char* to, const char* from, const char* data, std::size_t size, std::size_t unit,
            const char* fallback, std::size_t fallbackSize, bool* lossy = nullptr) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open");
  std::string out;
  char* in = const_cast<char*>(data);
  std::size_t left = size;
  char buffer[256];
  while (left > 0) {
    char* o = buffer;
    std::size_t room = sizeof buffer;
    const std::size_t result = iconv(cd, &in, &left, &o, &room);
    out.append(buffer, o - buffer);
    if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
      out.append(fallback, fallbackSize);
      if (lossy != nullptr) *lossy = true;
      const std::size_t skip = std::min(left, unit);
      in += skip;
      left -= skip;
    }
  }
  iconv_close(cd);
  Out result;
  result.resize(out.size() / sizeof(typename Out::value_type));
  std::memcpy(result.data(), out.data(), result.size() * sizeof(typename Out::value_type));
  return result;
}

std::wstring ErrnoText(int error) {
  const std::string text = std::strerror(error);
  return std::wstring(text.begin(), text.end());
}

}  // namespace

std::string Utf8(const std::wstring& text) {
  return Convert<std::string>("UTF-8", "WCHAR_T", reinterpret_cast<const char*>(text.data()),
                              text.size() * sizeof(wchar_t), sizeof(wchar_t), "?", 1);
}

std::string Encode(const std::wstring& text, const std::string& codePage) {
  return Convert<std::string>(codePage.c_str(), "WCHAR_T",
                              reinterpret_cast<const char*>(text.data()),
                              text.size() * sizeof(wchar_t), sizeof(wchar_t), "?", 1);
}

FakePlatform::FakePlatform() {
  std::setlocale(LC_CTYPE, "C.UTF-8");
  std::random_device random;
  folder = std::filesystem::temp_directory_path() /
           ("sendlark-test-" + std::to_string(::getpid()) + "-" + std::to_string(random()));
  std::filesystem::create_directories(folder);
}

FakePlatform::~FakePlatform() {
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

WindowRef FakePlatform::AddWindow(const std::wstring& className, const std::wstring& title) {
  windows.push_back({nextWindow_, className, title, kTargetProcess});
  return nextWindow_++;
}

void FakePlatform::WriteFile(const std::wstring& name, const std::string& bytes) {
  std::ofstream(folder / Utf8(name), std::ios::binary) << bytes;
}

std::string FakePlatform::ReadFile(const std::wstring& name) const {
  std::ifstream in(folder / Utf8(name), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool FakePlatform::FileExists(const std::wstring& name) const {
  return std::filesystem::exists(folder / Utf8(name));
}

std::filesystem::path FakePlatform::HostPath(const std::wstring& path) const {
  std::string host = Utf8(path);
  std::replace(host.begin(), host.end(), '\\', '/');
  return host;
}

std::wstring FakePlatform::ProgramFolder() {
  const std::string text = folder.string();
  return FromAnsi(text);
}

bool FakePlatform::AnotherCopyRunning() {
  trace.push_back("another-copy?");
  return anotherCopy;
}

void FakePlatform::Exit(int exitCode) {
  trace.push_back("end:" + std::to_string(exitCode));
  throw ProgramEnded{exitCode};
}

ErrorText FakePlatform::StartProgram(const ProgramStart& start) {
  trace.push_back("start:" + Utf8(start.commandLine));
  started.push_back(start);
  return startError;
}

bool FakePlatform::IsExistingFile(const std::wstring& path) {
  return std::filesystem::is_regular_file(HostPath(path));
}

std::optional<FileIdentity> FakePlatform::IdentifyFile(const std::wstring& path) {
  struct stat info;
  if (::stat(HostPath(path).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return FileIdentity{static_cast<std::uint32_t>(info.st_dev), info.st_ino};
}

bool FakePlatform::IsMissingFile(const std::wstring& path) {
  struct stat info;
  return ::stat(HostPath(path).c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR);
}

FileRead FakePlatform::ReadFileBytes(const std::wstring& path, std::uint64_t maxBytes) {
  FileRead read;
  const int fd = ::open(HostPath(path).c_str(), O_RDONLY);
  struct stat info;
  const bool opened = fd >= 0 && ::fstat(fd, &info) == 0;
  const int error = errno;
  read.tooLarge = opened && static_cast<std::uint64_t>(info.st_size) > maxBytes;
  // Only a file whose bytes are read shows in the trace; one refused for its size is not.
  if (!read.tooLarge) trace.push_back("read:" + HostPath(path).filename().string());
  if (!opened) {
    read.error = ErrnoText(error);
    if (fd >= 0) ::close(fd);
    return read;
  }
  char buffer[4096];
  while (!read.tooLarge) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got <= 0) {
      if (got < 0) read.error = ErrnoText(errno);
      break;
    }
    read.bytes.append(buffer, static_cast<std::size_t>(got));
    read.tooLarge = read.bytes.size() > maxBytes;
  }
  ::close(fd);
  if (read.tooLarge || read.error) read.bytes.clear();
  return read;
}

ErrorText FakePlatform::ReplaceFileBytes(const std::wstring& path, const std::string& bytes,
                                         bool flush) {
  trace.push_back((flush ? "replace flushed:" : "replace:") + HostPath(path).filename().string());
  const std::filesystem::path target = HostPath(path);
  if (std::filesystem::is_directory(target)) return ErrnoText(EISDIR);
  const std::filesystem::path temporary = target.string() + ".new";
  {
    std::ofstream out(temporary, std::ios::binary);
    if (!out) return ErrnoText(errno);
    out << bytes;
  }
  std::error_code error;
  std::filesystem::rename(temporary, target, error);
  if (error) return ErrnoText(error.value());
  return std::nullopt;
}

void FakePlatform::RemoveStaleReplacements(const std::wstring& path) {
  trace.push_back("clean up:" + HostPath(path).filename().string());
}

std::wstring FakePlatform::FromAnsi(const std::string& bytes) {
  return Convert<std::wstring>("WCHAR_T", codePage.c_str(), bytes.data(), bytes.size(), 1, "?\0\0",
                               sizeof(wchar_t));
}

std::optional<std::string> FakePlatform::ToAnsi(const std::wstring& text) {
  bool lossy = false;
  std::string bytes =
      Convert<std::string>(codePage.c_str(), "WCHAR_T", reinterpret_cast<const char*>(text.data()),
                           text.size() * sizeof(wchar_t), sizeof(wchar_t), "?", 1, &lossy);
  if (lossy || FromAnsi(bytes) != text) return std::nullopt;
  return bytes;
}

std::wstring UpperCase(const std::wstring& text) {
  std::wstring folded = text;
  for (wchar_t& c : folded)
    c = static_cast<wchar_t>(std::towupper(c));
  return folded;
}

std::wstring FakePlatform::FoldCase(const std::wstring& text) {
  return UpperCase(text);
}

std::optional<double> FakePlatform::ParseNumber(const std::wstring& text) {
  const std::size_t first = text.find_first_not_of(L" \t");
  if (first == std::wstring::npos) return std::nullopt;
  const std::size_t last = text.find_last_not_of(L" \t");
  const std::wstring number = text.substr(first, last - first + 1);
  if (number.find_first_not_of(L"0123456789+-.eE") != std::wstring::npos) return std::nullopt;
  wchar_t* end = nullptr;
  const double value = std::wcstod(number.c_str(), &end);
  if (end != number.c_str() + number.size()) return std::nullopt;
  return value;
}

void FakePlatform::ShowMainWindow() {
  trace.push_back("show");
  visible = true;
}

void FakePlatform::HideMainWindow() {
  trace.push_back("hide");
  visible = false;
}

void FakePlatform::SetAlwaysOnTop(WindowRef window, bool onTop) {
  trace.push_back(onTop ? "topmost" : "not-topmost");
  if (window == kMainWindow) {
    topMost = onTop;
    visible = true;  // the placement shows a hidden window
  }
}

void FakePlatform::BeginWindowDrag(WindowRef) {
  trace.push_back("drag");
  ++drags;
}

int FakePlatform::PopupMenu(const std::vector<MenuEntry>& entries) {
  trace.push_back("popup");
  popups.push_back(entries);
  if (popupChoices.empty()) return 0;
  const int choice = popupChoices.front();
  popupChoices.erase(popupChoices.begin());
  return choice;
}

void FakePlatform::ShowMessage(const std::wstring& text) {
  trace.push_back("message:" + Utf8(text));
  messages.push_back(text);
  Play(now + boxMs);  // the others go on while the user reads it
}

// The programs that share the clipboard act at their moments, and only our waits let time pass.
void FakePlatform::At(std::uint64_t when, std::function<void()> act) {
  const auto later = std::upper_bound(events_.begin(), events_.end(), when,
                                      [](std::uint64_t at, const Event& e) { return at < e.at; });
  events_.insert(later, {when, std::move(act)});
}

void FakePlatform::Play(std::uint64_t until, bool untilRequest) {
  if (secondCopyMs) At(*std::exchange(secondCopyMs, std::nullopt), [this] { SecondCopyArrives(); });
  const auto done = [&] { return untilRequest && !requests_.empty(); };
  while (!done() && !events_.empty() && events_.front().at <= until) {
    const Event event = events_.front();
    events_.erase(events_.begin());
    now = std::max(now, event.at);
    event.act();
  }
  if (!done()) now = std::max(now, until);
}

std::wstring FakePlatform::ClipboardText() const {
  if (holder_ != Holder::User) return text_;
  const auto& formats = usersClipboard.formats;
  return formats.empty() ? L"" : std::wstring(formats[0].bytes.begin(), formats[0].bytes.end());
}

// A text of ours announced and not yet handed over is asked for, once: the request names the
// reader's window.
void FakePlatform::Read(const std::string& who, WindowRef window, std::uint32_t process) {
  if (holder_ == Holder::Us && pending_) {
    requests_.push_back({window, process});
    pending_ = false;
  }
  reads.push_back(who + ":" + Utf8(ClipboardText()));
}

ErrorText FakePlatform::OfferClipboardText(const std::wstring& text) {
  trace.push_back("clipboard:" + Utf8(text));
  if (clipboardError) return clipboardError;
  clipboardWrites.push_back(text);
  offered_ = text;
  requests_.clear();
  holder_ = Holder::Us;
  text_ = offered_;
  pending_ = marked_ = true;
  if (monitor) At(now, [this] { Read("monitor", kMonitorWindow, kTargetProcess + 1); });
  return std::nullopt;
}

void FakePlatform::ReofferClipboardText() {
  trace.push_back("offer again");
  if (holder_ != Holder::Us) return;
  text_ = offered_;
  pending_ = true;
  if (monitor) At(now, [this] { Read("monitor", kMonitorWindow, kTargetProcess + 1); });
}

void FakePlatform::WithdrawClipboardText() {
  trace.push_back("withdraw");
  if (holder_ != Holder::Us || !pending_) return;
  pending_ = false;
  text_.clear();
}

std::optional<TextRequest> FakePlatform::AwaitTextRequest(std::uint32_t patienceMs) {
  if (requests_.empty() && patienceMs > 0) {
    trace.push_back("wait");
    if (whileWaiting) std::exchange(whileWaiting, nullptr)();
  }
  Play(now + patienceMs, true);
  if (requests_.empty()) return std::nullopt;
  const TextRequest request = requests_.front();
  requests_.erase(requests_.begin());
  return request;
}

ClipboardCopy FakePlatform::CopyClipboard() {
  trace.push_back("copy");
  return marked_ ? ClipboardCopy{.kind = ClipboardCopy::Kind::CommandText} : usersClipboard;
}

void FakePlatform::RestoreClipboard(const ClipboardCopy& copy) {
  std::string bytes;
  for (const ClipboardCopy::Format& format : copy.formats)
    bytes += format.bytes;
  trace.push_back("restore:" + bytes);
  if (!marked_) return;  // something newer than a command text stays
  usersClipboard = copy;
  holder_ = Holder::User;
  pending_ = marked_ = false;
}

TargetWindow FakePlatform::FindTargetWindow(const std::wstring& className,
                                            const std::wstring& windowName) {
  trace.push_back("find");
  for (const FakeWindow& window : windows) {
    if (window.className == className && window.title == windowName) {
      return {window.ref, window.process, window.title};
    }
  }
  return {};
}

bool FakePlatform::ActivateByTitle(const std::wstring& title) {
  trace.push_back("activate:" + Utf8(title));
  const auto exact = [&](const FakeWindow& w) { return w.title == title; };
  const auto prefix = [&](const FakeWindow& w) { return w.title.starts_with(title); };
  const bool found = !activationFails && (std::any_of(windows.begin(), windows.end(), exact) ||
                                          std::any_of(windows.begin(), windows.end(), prefix));
  return found;
}

CommandOutcome FakePlatform::SendCommandId(WindowRef target, std::int32_t id) {
  trace.push_back("send:" + std::to_string(id));
  return Paste(target, id, sendOutcome);
}

CommandOutcome FakePlatform::SendPasteMessage(WindowRef target) {
  trace.push_back("send:WM_PASTE");
  return pasteMessageIgnored ? sendOutcome : Paste(target, 0, sendOutcome);
}

KeyPress FakePlatform::PressPasteKeys(WindowRef target, PasteRoute keys) {
  trace.push_back("keys:" + Utf8(PasteRouteWordOf(keys)));
  const bool taken = std::find(keysIgnored.begin(), keysIgnored.end(), keys) == keysIgnored.end();
  if (keyPress == KeyPress::Pressed && taken) Paste(target, 0, {});
  return keyPress;
}

std::vector<TargetWindow> FakePlatform::WindowsOfClass(const std::wstring& className) {
  trace.push_back("windows of class");
  std::vector<TargetWindow> found;
  for (const FakeWindow& window : windows) {
    if (window.className == className) found.push_back({window.ref, window.process, window.title});
  }
  return found;
}

void FakePlatform::ActivateWindow(WindowRef window) {
  trace.push_back("activate window:" + std::to_string(window));
}

// The target has its paste request: it handles it for answerMs, longer than the request's
// bound when it is slow to answer, and reads the text as `reading` says.
CommandOutcome FakePlatform::Paste(WindowRef target, std::int32_t id, CommandOutcome outcome) {
  if (outcome.error != 0) return outcome;  // refused: it never gets to it
  sent.push_back({target, id, ClipboardText()});
  const std::uint64_t start = now;
  Play(start);  // what was due first: a monitor's read of a text just offered
  if (reading != Reading::Never) {
    const std::uint64_t first = start + answerMs + (reading == Reading::Late ? lateMs : 0);
    const WindowRef reader = reading == Reading::Unnamed ? 0 : target;
    const int command = ++commands_;
    const auto read = [this, reader, command] {
      Read("target", reader, reader == 0 ? 0 : kTargetProcess);
      if (command != copiedAtCommand || std::exchange(copiedAtCommand, 0) == 0) return;
      trace.push_back("another program copies");
      usersClipboard = {ClipboardCopy::Kind::Whole, {{13, "newer"}}};
      holder_ = Holder::User;
      pending_ = marked_ = false;
    };
    At(first, read);
    if (readsAgainMs) At(first + *readsAgainMs, read);
  }
  if (answerMs > kCommandPatienceMs) {
    Play(start + kCommandPatienceMs);
    return {kErrorTimeout, L"timeout"};
  }
  Play(start + answerMs);
  return outcome;
}

// It waits for the turn as long as this copy would, then goes ahead.
void FakePlatform::SecondCopyArrives() {
  if (!lockHeld_) return SecondCopyDelivers();
  secondCopyWaits_ = true;
  At(now + turnPatienceMs_, [this] {
    if (secondCopyWaits_) SecondCopyDelivers();
  });
}

// It has the turn, or gave up waiting for it, and puts its own item on the clipboard; its target
// takes it at once.
void FakePlatform::SecondCopyDelivers() {
  trace.push_back("another copy delivers");
  secondCopyWaits_ = false;
  holder_ = Holder::AnotherCopy;
  text_ = L"B";
  pending_ = false;
  marked_ = true;
}

bool FakePlatform::AcquireDeliveryLock(std::uint32_t patienceMs) {
  trace.push_back("turn");
  turnPatienceMs_ = patienceMs;
  if (secondCopyWaits_) SecondCopyDelivers();  // it was waiting first
  lockHeld_ = true;
  return true;
}

void FakePlatform::ReleaseDeliveryLock() {
  trace.push_back("end turn");
  lockHeld_ = false;
  if (secondCopyWaits_) SecondCopyDelivers();
}

void FakePlatformTest::SetUp() {
  ResetProgram(&sys);
}

void FakePlatformTest::TearDown() {
  ResetProgram(nullptr);
}

void FakePlatformTest::WriteConfig(const std::wstring& text) {
  sys.WriteFile(L"Config.ini", Encode(text, sys.codePage));
}

void FakePlatformTest::UseRunningTarget() {
  g_settings[LogFileName] = L"log.txt";
  g_settings[ApplicationClass] = L"TargetClass";
  g_settings[ApplicationName] = L"Target Window";
  g_settings[ApplicationPaste] = L"770";
  sys.WriteFile(L"log.txt", "");
  sys.AddWindow(L"TargetClass", L"Target Window");
}

void FakePlatformTest::UseStandardConfig() {
  WriteConfig(
      L":AppliactionPath=C:\\Tools\\target.exe;\r\n"
      L":AppliactionName=Target Window;\r\n"
      L":AppliactionClass=TargetClass;\r\n"
      L":AppliactionPast=770;\r\n"
      L":CommandHeader=<;\r\n"
      L":CommandFooter=>;\r\n"
      L":CommandFileName=commands.txt;\r\n"
      L":LogFileName=log.txt;\r\n");
  sys.WriteFile(L"commands.txt", "");
  sys.WriteFile(L"log.txt", "");
}

}  // namespace sendlark::testing
