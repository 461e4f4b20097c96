// The seam between the program's logic and the operating system.
//
// Everything the program asks of Windows goes through this one interface, shaped by what the
// program needs rather than by the Win32 API. The real implementation lives in platform/win32;
// tests install a fake that records every call.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sendlark {

// A top-level window, of this program or another; 0 when there is none.
using WindowRef = std::uintptr_t;

// Empty when an operation worked; otherwise the system's description of why it did not.
using ErrorText = std::optional<std::wstring>;

// A file as the system tells files apart: two names name one file exactly when both agree,
// whatever their spelling (short names, letter case, ".\") and across hard links.
struct FileIdentity {
  std::uint32_t volume = 0;
  std::uint64_t index = 0;
  bool operator==(const FileIdentity&) const = default;
};

// What reading a whole file came to.
struct FileRead {
  std::string bytes;
  ErrorText error;
  bool tooLarge = false;  // it holds more than the reader would take, and was not kept
};

// How to start a program: `application` names the program file, so that the system takes it
// whole; empty, the system finds the program in the command line's first word.
struct ProgramStart {
  std::wstring application;
  std::wstring commandLine;
};

// What became of a command sent to the target application: error 0 when the target carried it
// out; otherwise the system's error code and its description.
struct CommandOutcome {
  std::uint32_t error = 0;
  std::wstring description;
};

// The system's code for a wait that ran out, here a target that has not answered in time: it
// keeps the command and carries it out when it recovers.
inline constexpr std::uint32_t kErrorTimeout = 1460;

// How long the platform waits for another program: for the target to handle a command sent to
// it, and for a program that holds the clipboard open to let go of it.
inline constexpr std::uint32_t kCommandPatienceMs = 5000;
inline constexpr std::uint32_t kClipboardPatienceMs = 5000;

// A top-level window of another program, and the process it belongs to.
struct TargetWindow {
  WindowRef window = 0;  // 0: there is none
  std::uint32_t process = 0;
  std::wstring title;  // where it was asked for
};

// How a window's title must compare with :AppliactionName for the window to be the target.
enum class TitleMatch {
  Exact,     // the whole title, as it always was
  Begins,    // the title begins with it, letter case ignored
  Contains,  // the title contains it, letter case ignored
  Any,       // any title: the class alone decides
};

// How the target is asked to paste.
enum class PasteRoute {
  Command,      // WM_COMMAND with the identifier of its own paste command
  Message,      // WM_PASTE to its control that has the focus
  CtrlV,        // the paste shortcut, pressed as keys
  ShiftInsert,  // the other paste shortcut
  CtrlShiftV,   // the paste of terminals whose shell has Ctrl+V
};

// What became of pressing the paste shortcut.
enum class KeyPress {
  Pressed,
  ModifiersHeld,  // the user kept Shift, Ctrl, Alt or a Windows key down: nothing was pressed
  NotInFront,     // the target is not the foreground window: nothing was pressed
};

// A program's request for the text this program offered on the clipboard: it reads the text.
struct TextRequest {
  WindowRef reader = 0;       // the window that holds the clipboard open; 0: it named none
  std::uint32_t process = 0;  // the process of that window, as it was at the request
};

// A combination of keys that the system reports to this program wherever the focus is: the
// modifiers as RegisterHotKey takes them, and one virtual-key code.
enum HotKeyModifier : std::uint32_t { kModAlt = 1, kModControl = 2, kModShift = 4, kModWin = 8 };
struct HotKey {
  std::uint32_t modifiers = 0;
  std::uint32_t key = 0;
  bool operator==(const HotKey&) const = default;
};

// What the clipboard held, copied into this program's memory and nowhere else: each format that
// is memory as the program that put it there left it (or as the system made it of another), in
// the order the clipboard lists them. The pictures that the system rebuilds from one of them (a
// bitmap or a palette from a DIB, an old-style metafile from an enhanced one) are left out.
struct ClipboardCopy {
  enum class Kind {
    Whole,        // every format copied
    Incomplete,   // a format could not be copied, or its owner did not answer: a part put back
                  // would lose the rest
    CommandText,  // a command text of this program or of another copy of it, or one taken
                  // back: not copied
  };
  struct Format {
    std::uint32_t id = 0;
    std::string bytes;
  };
  Kind kind = Kind::Whole;
  std::vector<Format> formats{};  // initialised, so that a copy may be written by its kind alone
};

// One entry of a popup menu as it is to be shown. A separator has no id and no text.
struct MenuEntry {
  int id = 0;
  std::wstring text;
  bool separator = false;
  bool enabled = true;
  std::vector<MenuEntry> children;  // not empty: the entry opens a submenu
};

class Platform {
 public:
  virtual ~Platform() = default;

  // The program itself.
  virtual std::wstring ProgramFolder() = 0;
  virtual std::wstring CommandLine() = 0;  // whole, the program's own name included
  virtual bool AnotherCopyRunning() = 0;
  // Ends the process at once. The clipboard keeps what was put on it last.
  [[noreturn]] virtual void Exit(int exitCode) = 0;

  // Starting another program, in a normal window that gets the focus.
  virtual ErrorText StartProgram(const ProgramStart& start) = 0;
  virtual bool IsExistingFile(const std::wstring& path) = 0;
  // True only when the system says that the file, or its folder, is not there: a file it cannot
  // look at is not missing.
  virtual bool IsMissingFile(const std::wstring& path) = 0;

  // Nothing when the file cannot be opened (it is missing, or names a folder). Costs as much as
  // reading a small file.
  virtual std::optional<FileIdentity> IdentifyFile(const std::wstring& path) = 0;
  // The whole file as bytes, unless it holds more than `maxBytes`: then nothing is kept, however
  // it got so large (through a link, or growing while it is read).
  virtual FileRead ReadFileBytes(const std::wstring& path, std::uint64_t maxBytes) = 0;
  // Replaces the file's content in one step: readers see the old bytes or the new, never a mix.
  // The new bytes are written to a temporary file beside it first, and with `flush` forced to
  // the disk before it takes the file's place.
  virtual ErrorText ReplaceFileBytes(const std::wstring& path, const std::string& bytes,
                                     bool flush = false) = 0;
  // Removes the temporary files that replacing `path` left behind in a process that ended in
  // the middle. Only while no other process can be replacing the file.
  virtual void RemoveStaleReplacements(const std::wstring& path) = 0;

  // Text conversions that follow the system's locale.
  virtual std::wstring FromAnsi(const std::string& bytes) = 0;
  // The text in the ANSI code page; nothing when the code page cannot hold it exactly, so that
  // no character is written as a look-alike or a "?".
  virtual std::optional<std::string> ToAnsi(const std::wstring& text) = 0;
  // The text with letter case folded so that an exact search ignores case; same length.
  virtual std::wstring FoldCase(const std::wstring& text) = 0;
  // The number a text stands for under the user's locale, or nothing when it is not one.
  virtual std::optional<double> ParseNumber(const std::wstring& text) = 0;

  // The program's window.
  virtual WindowRef MainWindow() = 0;
  // Shows the window without taking the keyboard from the window the user works in.
  virtual void ShowMainWindow() = 0;
  virtual void HideMainWindow() = 0;
  // Places the window above all ordinary windows, or back among them, and shows it, without
  // taking the keyboard either.
  virtual void SetAlwaysOnTop(WindowRef window, bool onTop) = 0;
  // Hands the pressed mouse over to the system's window-moving loop; returns when released.
  virtual void BeginWindowDrag(WindowRef window) = 0;
  // Shows a popup menu at the pointer and returns the id of the chosen entry, or 0.
  virtual int PopupMenu(const std::vector<MenuEntry>& entries) = 0;
  // A modal message box with the critical icon, one OK button and the program's title.
  virtual void ShowMessage(const std::wstring& text) = 0;
  // The window the user works in (0: none).
  virtual WindowRef ForegroundWindow() = 0;
  // Has the system report the combination to the program's window (WindowEvents::HotKeyPressed)
  // until the program ends or unregisters it; the system's reason when it will not, as when
  // another program holds the combination. A program has one at most.
  virtual ErrorText RegisterHotKey(const HotKey& hotKey) = 0;
  virtual void UnregisterHotKey() = 0;

  // A steady clock, in milliseconds: what the waits of a delivery are measured by.
  virtual std::uint64_t NowMs() = 0;

  // The clipboard, which every program of the session shares.
  // Offers the text in place of the clipboard's content: announced, and handed over when a
  // program first asks for it (and at the latest when this program ends), so that the request
  // shows who read it.
  virtual ErrorText OfferClipboardText(const std::wstring& text) = 0;
  // Offers the text offered last once more, as it was first offered, so that the next program
  // to read it asks again: for when another program read it first. Nothing happens once another
  // program has put something on the clipboard since.
  virtual void ReofferClipboardText() = 0;
  // Takes back the text offered last, if no program has asked for it since: a later request
  // gets no text, and the clipboard is left holding nothing but the mark of a command text,
  // so that no copy of the program takes what is left for the user's clipboard.
  virtual void WithdrawClipboardText() = 0;
  // The next request for the text offered last that has not been reported yet. Waits for one
  // up to `patienceMs`, handling meanwhile only what other programs send to this one, and
  // returns at once when one came already; nothing when none came.
  virtual std::optional<TextRequest> AwaitTextRequest(std::uint32_t patienceMs) = 0;
  // What the clipboard holds now. A command text of this program's or of another copy's is not
  // copied, only reported, and neither is the content of a program that does not answer: the
  // copy never waits on a program that hangs, with the clipboard open.
  virtual ClipboardCopy CopyClipboard() = 0;
  // True while the clipboard holds what this program put there last: no other program has put
  // anything there or emptied it since.
  virtual bool OwnsClipboard() = 0;
  // Replaces the clipboard's content with the copy's formats, all of them or, when they cannot
  // all be made ready, none; and only in place of a command text, this program's or another
  // copy's: what the user or another program has put there since stays.
  virtual void RestoreClipboard(const ClipboardCopy& copy) = 0;

  // The target application.
  // The top-level window with exactly this class and title. Windows of this program's own
  // process are never targets.
  virtual TargetWindow FindTargetWindow(const std::wstring& className,
                                        const std::wstring& windowName) = 0;
  // The visible top-level windows of other processes with this class, with their titles,
  // nearest the top of the Z order (the one the user had in front last) first.
  virtual std::vector<TargetWindow> WindowsOfClass(const std::wstring& className) = 0;
  // Brings forward the window of another process whose title is `title`, or else one whose
  // title begins with it. False when there is no such window.
  virtual bool ActivateByTitle(const std::wstring& title) = 0;
  // Brings forward that very window.
  virtual void ActivateWindow(WindowRef window) = 0;
  // Has the target carry out its command `id` and waits until it has, or until the wait runs
  // out (kErrorTimeout).
  virtual CommandOutcome SendCommandId(WindowRef target, std::int32_t id) = 0;
  // Sends WM_PASTE to the target's control that has the focus, once the target is in front and
  // has handed the focus to it (for a moment at most), or else to the target itself, and waits
  // as SendCommandId does.
  virtual CommandOutcome SendPasteMessage(WindowRef target) = 0;
  // Presses the paste shortcut `keys` (one of the routes with keys) as the user would, once the
  // user has let go of the modifier keys, and only while the target, or the window that owns it, is
  // the foreground window.
  virtual KeyPress PressPasteKeys(WindowRef target, PasteRoute keys) = 0;

  // The lock that all copies of the program in the user's session share for their deliveries.
  // Acquiring waits for another copy's release up to `patienceMs`, handling meanwhile only what
  // other programs send to this one, so that a copy stuck holding it does not stop the others
  // for good. True when this copy holds the lock; false when it gave up waiting, and goes on
  // as if alone.
  virtual bool AcquireDeliveryLock(std::uint32_t patienceMs) = 0;
  virtual void ReleaseDeliveryLock() = 0;
};

}  // namespace sendlark
