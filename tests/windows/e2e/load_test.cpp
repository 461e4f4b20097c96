// A thousand deliveries in a row into the recorder: every one arrives, once, in order.
#include <gmock/gmock.h>

#include <iostream>

#include "tests/windows/e2e/sendlark_fixture.h"

namespace sendlark::harness {
namespace {

using LoadTest = SendlarkTest;

TEST_F(LoadTest, AThousandDeliveriesArriveInOrderAndNoneTwice) {
  constexpr int kCount = 1000;
  std::vector<std::wstring> items;
  std::wstring arguments;
  for (int n = 1; n <= kCount; ++n) {
    items.push_back(L"item" + std::to_wstring(10000 + n));
    arguments += (n == 1 ? L"" : L"\r\n") + items.back();
  }
  Config config = RecorderConfig();
  config.header = L"<";
  config.footer = L">";
  WriteConfig(config);
  auto recorder = StartRecorder();
  auto running = StartSendlark();
  ASSERT_NE(WaitForStrip(*running), nullptr);

  const auto start = std::chrono::steady_clock::now();
  auto sendlark = StartSendlark(arguments);  // a second copy: delivers and ends
  ASSERT_EQ(sendlark->WaitForExit(std::chrono::seconds(120)), 0u);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;

  std::vector<std::wstring> expected;
  for (const std::wstring& item : items)
    expected.push_back(L"<" + item + L">");
  EXPECT_EQ(ReadRecords(recordFile), expected);
  std::vector<std::string> lastTen;
  for (int n = kCount; n > kCount - 10; --n)
    lastTen.push_back("<item" + std::to_string(10000 + n) + ">");
  EXPECT_EQ(LogLines(), lastTen);

  const double perSecond = kCount / took.count();
  RecordProperty("deliveries_per_second", static_cast<int>(perSecond));
  std::cout << "[ load     ] " << kCount << " deliveries in " << took.count() << " s, " << perSecond
            << " per second (program start and end included)\n";
}

}  // namespace
}  // namespace sendlark::harness
