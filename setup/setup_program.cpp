#include "setup/setup_program.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cwchar>
#include <limits>

#include "config/file_io.h"
#include "config/hot_key.h"
#include "config/options.h"
#include "delivery/send_command.h"
#include "platform/setup_texts.h"
#include "setup/config_edit.h"
#include "setup/paste_command.h"
#include "state/program_state.h"

namespace sendlark::setup {

namespace {

constexpr int kScriptFailed = 1;
constexpr int kScriptUsage = 2;

// Digits alone in `base`, without sign or blanks, and not above `most`.
std::optional<std::uint64_t> Number(const std::wstring& text, int base, std::uint64_t most) {
  const wchar_t* digits = base == 16 ? L"0123456789abcdefABCDEF" : L"0123456789";
  if (text.empty() || text.find_first_not_of(digits) != std::wstring::npos) return std::nullopt;
  errno = 0;
  const unsigned long long value = std::wcstoull(text.c_str(), nullptr, base);
  if (errno == ERANGE || value > most) return std::nullopt;
  return value;
}

// A paste command's identifier as Sendlark accepts it: decimal digits, at most 2147483647.
std::optional<std::uint32_t> PasteId(const std::wstring& text) {
  return Number(text, 10, std::numeric_limits<std::int32_t>::max());
}

// A window handle in decimal or as "0x" and hexadecimal digits; never 0.
std::optional<std::uintptr_t> WindowHandle(const std::wstring& text) {
  const bool hex = text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X');
  const std::optional<std::uint64_t> handle = Number(hex ? text.substr(2) : text, hex ? 16 : 10,
                                                     std::numeric_limits<std::uintptr_t>::max());
  if (!handle || *handle == 0) return std::nullopt;
  return *handle;
}

bool IsSwitch(const std::wstring& argument, std::wstring_view name) {
  return std::equal(argument.begin(), argument.end(), name.begin(), name.end(),
                    [](wchar_t c, wchar_t lower) {
                      return (c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c) == lower;
                    });
}

// One line of the /list table. A tab or line break inside a field becomes a blank, so that
// every line stays one row of its fields.
std::wstring Line(std::initializer_list<std::wstring> fields) {
  std::wstring line;
  for (const std::wstring& field : fields) {
    if (&field != fields.begin()) line += L'\t';
    for (const wchar_t c : field)
      line += c == L'\t' || c == L'\r' || c == L'\n' ? L' ' : c;
  }
  return line + L"\r\n";
}

// The paste route as Config.ini is to hold it: a command's number without leading zeros, or a
// route's word as Sendlark writes it; empty when the text is neither.
std::wstring PasteValue(const std::wstring& text) {
  if (const std::optional<std::uint32_t> id = PasteId(text)) return std::to_wstring(*id);
  if (const std::optional<PasteRoute> route = PasteRouteWord(text, SystemFold)) {
    return PasteRouteWordOf(*route);
  }
  return L"";
}

// Why the choice cannot be used; 0 when it can.
int Unusable(const SetupChoice& choice) {
  return choice.window == nullptr                             ? IDS_NO_SELECTION
         : IsStripClass(choice.window->className, SystemFold) ? IDS_STRIP_NOT_A_TARGET
         : choice.paste.empty()                               ? IDS_PASTE_MISSING
         : PasteValue(choice.paste).empty()                   ? IDS_PASTE_INVALID
                                                              : 0;
}

// The routes the test send tries for a window without a paste command, in this order. The
// message goes to the focused control and types nothing anywhere. Shift+Insert is the paste
// nearly every program takes, terminals too, whereas a Ctrl+V that a terminal does not take as
// paste types a control character into it. Ctrl+Shift+V is never tried: word processors paste
// formatting with it.
constexpr std::array<PasteRoute, 3> kSearchedRoutes = {PasteRoute::Message, PasteRoute::ShiftInsert,
                                                       PasteRoute::CtrlV};

// A console's paste command sits in its system menu, which Wine does not let another program
// read and no program file holds: a console is known by its window's class.
std::optional<std::uint32_t> ConsolePasteCommand(const std::wstring& className) {
  if (className == L"ConsoleWindowClass") return 0xFFF1;  // Windows' console
  if (className == L"WineConsoleClass") return 274;       // Wine's
  return std::nullopt;
}

// The texts of the faults of a hot key, in HotKeyFault's order.
constexpr std::array<int, 4> kHotKeyFaultTexts = {IDS_HOTKEY_NO_MODIFIER, IDS_HOTKEY_NOT_A_MODIFIER,
                                                  IDS_HOTKEY_NOT_A_KEY,
                                                  IDS_HOTKEY_CLIPBOARD_SHORTCUT};

std::wstring Tell(std::wstring text) {
  Sys().ShowMessage(text);
  return text;
}

}  // namespace

std::wstring SetupProgram::Say(int text, std::initializer_list<std::wstring_view> values) const {
  const std::wstring pattern = text_(text);
  std::wstring filled;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const wchar_t next = i + 1 < pattern.size() ? pattern[i + 1] : L'\0';
    const auto index = static_cast<std::size_t>(next - L'1');
    // A value's own text is never searched for marks.
    if (pattern[i] == L'%' && next >= L'1' && next <= L'9' && index < values.size()) {
      filled += values.begin()[index];
      ++i;
    } else {
      filled += pattern[i];
    }
  }
  return filled;
}

void SetupProgram::Describe(ListedWindow& window) const {
  wchar_t handle[32];
  std::swprintf(handle, std::size(handle), L"0x%llX",
                static_cast<unsigned long long>(window.window));
  window.handle = handle;
  if (const std::optional<std::uint32_t> console = ConsolePasteCommand(window.className)) {
    window.paste = *console;
    const std::wstring id = std::to_wstring(*console);
    window.pasteCell = id + L" " + Say(IDS_PASTE_CONSOLE);
    window.status = Say(IDS_STATUS_PASTE_CONSOLE, {window.title, id});
    return;
  }
  std::optional<PasteCommand> paste =
      FindPasteCommand(window.menuBar.value_or(Menu{}), window.systemMenu);
  // Wine cannot read another process's menus, and a program may set its menu bar up only
  // later; the menus it was built with usually hold the same commands.
  const bool fromFile = !paste && (!window.menuBar || window.menuBar->empty());
  for (std::size_t i = 0; fromFile && !paste && i < window.programMenus.size(); ++i) {
    paste = FindPasteCommand(window.programMenus[i], {});
  }
  if (!paste) {
    window.pasteCell = Say(IDS_PASTE_NONE);
    window.status = Say(IDS_STATUS_NO_PASTE, {window.title});
    return;
  }
  window.paste = paste->id;
  const std::wstring id = std::to_wstring(paste->id);
  window.pasteCell = id;
  if (paste->byShortcut) window.pasteCell += L" " + Say(IDS_PASTE_BY_SHORTCUT);
  if (fromFile) window.pasteCell += L" " + Say(IDS_PASTE_FROM_FILE);
  const int found = fromFile            ? IDS_STATUS_PASTE_FROM_FILE
                    : paste->byShortcut ? IDS_STATUS_PASTE_BY_SHORTCUT
                                        : IDS_STATUS_PASTE;
  window.status = Say(found, {window.title, id});
}

std::vector<ListedWindow> SetupProgram::ListWindows(std::wstring& status) {
  listed_ = list_();
  // Another copy of Sendlark is never its target.
  std::erase_if(listed_, [](const ListedWindow& window) {
    return IsStripClass(window.className, SystemFold);
  });
  for (ListedWindow& window : listed_)
    Describe(window);
  status = Say(IDS_LISTED, {std::to_wstring(listed_.size())});
  return listed_;
}

std::wstring SetupProgram::Save(const SetupChoice& choice) {
  if (const int problem = Unusable(choice)) return Tell(Say(problem));
  const HotKeySetting setting = ParseHotKey(choice.hotKey);
  if (const HotKeyFault* fault = std::get_if<HotKeyFault>(&setting)) {
    return Tell(Say(kHotKeyFaultTexts[static_cast<std::size_t>(*fault)],
                    {CutToShow(choice.hotKey, kMaxShownValue)}));
  }
  if (const HotKey* combination = std::get_if<HotKey>(&setting)) {
    // Held for a moment only: Sendlark takes it when it next starts.
    if (const ErrorText error = Sys().RegisterHotKey(*combination)) {
      return Tell(Say(IDS_HOTKEY_TAKEN, {CutToShow(choice.hotKey, kMaxShownValue), *error}));
    }
    Sys().UnregisterHotKey();
  }
  SetupChoice saved = choice;
  saved.paste = PasteValue(choice.paste);
  if (!std::holds_alternative<HotKey>(setting)) saved.hotKey.clear();
  if (const std::optional<SaveFailure> failure = SaveSettings(saved)) {
    return Tell(Say(failure->reason, {failure->key, failure->value, failure->detail}));
  }
  return Say(choice.window->program.empty() ? IDS_SAVED_NO_PROGRAM : IDS_SAVED,
             {choice.title, ProgramFilePath(kConfigFileName)});
}

std::wstring SetupProgram::SendTestText(SetupChoice& choice) {
  // A window without a paste command, with none typed, may take one of the searched routes: the
  // first it takes is its route, and one it ignores is no failure yet.
  const int problem = Unusable(choice);
  const bool search = problem == IDS_PASTE_MISSING && !choice.window->paste;
  if (problem != 0 && !search) return Tell(Say(problem));
  // A copy: the message boxes that delivering may show run their own message loops.
  const ListedWindow target = *choice.window;
  std::vector<std::wstring> routes;
  if (search) {
    for (const PasteRoute route : kSearchedRoutes)
      routes.push_back(PasteRouteWordOf(route));
  } else {
    routes.push_back(PasteValue(choice.paste));
  }
  std::wstring notTaken;  // the routes tried before, which the window ignored
  for (const std::wstring& paste : routes) {
    // Sendlark's own road with the choice as it stands, so that what works here works there:
    // Deliver with its clipboard, activation, paste, confirmation and messages.
    const Delivery delivery =
        Deliver(kTestText, {target.className, choice.title, paste, choice.match}, search);
    if (search && delivery == Delivery::NotTaken) {
      notTaken += (notTaken.empty() ? L"" : Say(IDS_ROUTES_JOINED)) + paste;
      continue;
    }
    if (search && (delivery == Delivery::Taken || delivery == Delivery::Unseen)) {
      choice.paste = paste;
      return notTaken.empty() ? Say(IDS_ROUTE_FOUND, {target.title, paste})
                              : Say(IDS_ROUTE_FOUND_AFTER, {target.title, paste, notTaken});
    }
    switch (delivery) {
      case Delivery::Taken:
        return Say(IDS_TAKEN, {target.title});
      case Delivery::Unseen:
        return Say(IDS_SENT, {target.title});
      case Delivery::NotTaken:
        return Say(PasteId(paste) ? IDS_NOT_TAKEN : IDS_ROUTE_NOT_TAKEN, {target.title, paste});
      default:
        return Say(IDS_NOT_SENT, {target.title});
    }
  }
  return Say(IDS_NO_ROUTE, {target.title});
}

std::wstring SetupProgram::DescribeMatch(const SetupChoice& choice) {
  if (choice.window == nullptr) return Say(IDS_NO_SELECTION);
  // Window classes compare without regard to letter case, as the system's search compares them.
  std::vector<TargetWindow> ofClass;
  for (const ListedWindow& window : listed_) {
    if (SystemFold(window.className) == SystemFold(choice.window->className)) {
      ofClass.push_back({window.window, 0, window.title});
    }
  }
  const auto matches = std::count_if(ofClass.begin(), ofClass.end(), [&](const TargetWindow& w) {
    return TitleMatches(choice.match, choice.title, w.title, SystemFold);
  });
  if (matches == 0) return Say(IDS_NO_MATCH);
  return Say(IDS_MATCHES, {std::to_wstring(matches),
                           FirstMatch(ofClass, choice.match, choice.title, SystemFold).title});
}

// A Config.ini that cannot be read gives it as a missing key does: off.
bool SetupProgram::RestoresClipboard() {
  const FileRead read = Sys().ReadFileBytes(ProgramFilePath(kConfigFileName), kMaxFileBytes);
  FileEncoding encoding;
  return ReadOptions(TextLines(DecodeFileText(read.bytes, encoding)), SystemFold).restoreClipboard;
}

int SetupProgram::RunScript(const std::vector<std::wstring>& arguments, std::wstring& message) {
  const auto usage = [&](std::size_t notUnderstood) {
    message = Say(IDS_USAGE, {arguments[notUnderstood]});
    return kScriptUsage;
  };
  const std::size_t count = arguments.size();
  if (IsSwitch(arguments[0], L"/list")) {
    return count == 2 ? List(arguments[1], message) : usage(count < 2 ? 0 : 2);
  }
  if (!IsSwitch(arguments[0], L"/save") || count < 2) return usage(0);
  const std::optional<std::uintptr_t> window = WindowHandle(arguments[1]);
  if (!window) return usage(1);
  std::optional<std::wstring> paste, title;
  std::optional<TitleMatch> match;
  for (std::size_t i = 2; i < count; i += 2) {
    const bool isPaste = IsSwitch(arguments[i], L"/paste") && !paste;
    const bool isTitle = IsSwitch(arguments[i], L"/title") && !title;
    const bool isMatch = IsSwitch(arguments[i], L"/title-match") && !match;
    if (!(isPaste || isTitle || isMatch) || i + 1 == count) return usage(i);
    const std::wstring& value = arguments[i + 1];
    if (isPaste && (paste = PasteValue(value))->empty()) return usage(i + 1);
    if (isTitle) title = value;
    if (isMatch && !(match = ParseTitleMatch(value, SystemFold))) return usage(i + 1);
  }

  std::optional<ListedWindow> target = describe_(*window);
  if (!target || IsStripClass(target->className, SystemFold)) {
    message = target ? Say(IDS_STRIP_NOT_A_TARGET) : Say(IDS_NO_SUCH_WINDOW, {arguments[1]});
    return kScriptFailed;
  }
  Describe(*target);
  const std::wstring found = target->paste ? std::to_wstring(*target->paste) : L"";
  const SetupChoice choice{&*target, paste.value_or(found), title.value_or(target->title),
                           match.value_or(TitleMatch::Exact)};
  if (choice.paste.empty()) {
    message = Say(IDS_SCRIPT_NO_PASTE, {target->title});
  } else if (const std::optional<SaveFailure> failure = SaveSettings(choice)) {
    message = Say(failure->reason, {failure->key, failure->value, failure->detail});
  }
  return message.empty() ? 0 : kScriptFailed;
}

// UTF-8 without a mark, a header line and one line per window, each ending in CR LF, fields
// separated by tabs: title, class, program, paste (the decimal id, empty when there is none)
// and the window's handle.
int SetupProgram::List(const std::wstring& file, std::wstring& message) {
  std::wstring text = Line({L"title", L"class", L"program", L"paste", L"hwnd"});
  std::wstring listed;
  for (const ListedWindow& window : ListWindows(listed)) {
    const std::wstring paste = window.paste ? std::to_wstring(*window.paste) : L"";
    text += Line({window.title, window.className, window.program, paste, window.handle});
  }
  if (const ErrorText error =
          Sys().ReplaceFileBytes(file, EncodeUnicode(text, FileEncoding::Utf8))) {
    message = Say(IDS_LIST_FAILED, {file, *error});
    return kScriptFailed;
  }
  return 0;
}

}  // namespace sendlark::setup
