// What the fuzz targets share: one fake platform for the whole run, turning input bytes into
// texts, and a check that stops the run naming the property that failed.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "state/program_state.h"
#include "tests/fake/fake_platform.h"

// Unlike assert, also active in the optimised build the fuzzer runs.
#define FUZZ_REQUIRE(condition) \
  ((condition) ? void() : ::sendlark::fuzzing::Fail(#condition, __FILE__, __LINE__))

namespace sendlark::fuzzing {

[[noreturn]] inline void Fail(const char* property, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, property);
  std::abort();
}

// The fake platform, made on first use and kept for the run, with the program's state reset on
// it and the system's code page set to `codePage` (as iconv names it). Its record of calls is
// cleared on every call, or it would grow with every input; its files stay in its temporary
// folder until the run ends.
inline testing::FakePlatform& FakeSystem(const char* codePage) {
  static testing::FakePlatform sys;
  ResetProgram(&sys);
  sys.codePage = codePage;
  sys.trace.clear();
  sys.messages.clear();
  return sys;
}

// The input as text. The lookups fold letter case through the platform, so their inputs are
// read as UTF-8: the fuzzer then reaches every script, full-width letters included.
inline std::wstring Utf8Text(std::string_view bytes) {
  return FakeSystem("UTF-8").FromAnsi(std::string(bytes));
}

// The input cut at every `separator` byte; n separators give n + 1 parts.
inline std::vector<std::string_view> Split(std::string_view bytes, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t cut = bytes.find(separator); cut != bytes.npos; cut = bytes.find(separator)) {
    parts.push_back(bytes.substr(0, cut));
    bytes.remove_prefix(cut + 1);
  }
  parts.push_back(bytes);
  return parts;
}

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace sendlark::fuzzing
