// HTTP GET against the bundled service and its faults: whole bodies or nothing, and never a
// wait beyond the deadline.
#include "catalogue/http_get.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>

#include "catalogue/text_routines.h"
#include "tests/support/catalogue_service.h"
#include "tests/support/observe.h"

namespace {

using catalogue::HttpGet;
using testing_support::CatalogueService;

constexpr int kPort = VELORY_HTTP_SUITE_PORT;

class HttpGetTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { service_ = new CatalogueService(kPort); }
  static void TearDownTestSuite() {
    delete service_;
    service_ = nullptr;
  }
  void SetUp() override { ASSERT_TRUE(service_->ready()) << "the catalogue service did not start"; }

  static std::string Base(const std::string& fault = "") { return service_->BaseUrl(fault); }
  static CatalogueService* service_;
};
CatalogueService* HttpGetTest::service_ = nullptr;

uint32_t LittleEndian32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

TEST_F(HttpGetTest, ReturnsTheWholeBodyAndEveryRequestReachesTheServer) {
  const std::string first = catalogue::BodyText(HttpGet(Base()));
  const std::string second = catalogue::BodyText(HttpGet(Base()));
  EXPECT_NE(first.find("<script type=\"text/javascript\" src=\"list.ashx?rnd="), std::string::npos);
  EXPECT_NE(first.find("\"></script>\r\n"), std::string::npos);
  // Each home page carries a fresh token: the second answer came from the server, not a cache.
  EXPECT_NE(first, second);

  // A song arrives byte for byte: a WAV file as long as its header says, zeros included.
  const std::vector<uint8_t> song = HttpGet(Base() + "mp3.ashx?id=1");
  ASSERT_GT(song.size(), 44u);
  EXPECT_EQ(std::string(song.begin(), song.begin() + 4), "RIFF");
  EXPECT_EQ(LittleEndian32(song, 4) + 8, song.size());
}

TEST_F(HttpGetTest, StatusCodesAreNotLookedAt) {
  EXPECT_EQ(catalogue::BodyText(HttpGet(Base("status500"))).substr(0, 15), "<!DOCTYPE html>");
  // A 404 without a body is simply an empty body.
  EXPECT_TRUE(HttpGet(Base() + "mp3.ashx?id=999").empty());
}

TEST_F(HttpGetTest, AnEmptyBodyOrOneCutShortOfItsLengthIsEmpty) {
  EXPECT_TRUE(HttpGet(Base("empty")).empty());
  EXPECT_TRUE(HttpGet(Base("close-mid-body")).empty());
  EXPECT_TRUE(HttpGet(Base("close-mid-body") + "mp3.ashx?id=2").empty());
  // The connection is still usable afterwards.
  EXPECT_FALSE(HttpGet(Base()).empty());
}

TEST_F(HttpGetTest, AServerThatDoesNotAnswerIsGivenUpAtTheDeadline) {
  const DWORD start = GetTickCount();
  EXPECT_TRUE(HttpGet(Base("slow")).empty());
  const DWORD took = GetTickCount() - start;
  EXPECT_LT(took, catalogue::kHttpDeadlineMs + 2000);
  EXPECT_GE(took + 100, catalogue::kHttpDeadlineMs);
}

TEST_F(HttpGetTest, AServerThatTricklesItsAnswerIsGivenUpAtTheDeadline) {
  const DWORD start = GetTickCount();
  EXPECT_TRUE(HttpGet(Base("trickle")).empty());
  EXPECT_LT(GetTickCount() - start, catalogue::kHttpDeadlineMs + 2000);
  // A shorter deadline is kept as well.
  const DWORD again = GetTickCount();
  EXPECT_TRUE(HttpGet(Base("trickle"), 1500).empty());
  EXPECT_LT(GetTickCount() - again, 3500u);
}

TEST_F(HttpGetTest, AGivenUpTricklingAnswerLeavesNoThreadBehind) {
  HttpGet(Base());
  const int before = testing_support::ThreadsOfThisProcess();
  EXPECT_TRUE(HttpGet(Base("trickle"), 1500).empty());
  // The worker notices at the next bytes that arrive, long before the answer would end.
  EXPECT_TRUE(testing_support::WaitFor(
      [&] { return testing_support::ThreadsOfThisProcess() <= before; }, 5000));
}

TEST_F(HttpGetTest, NoServerOrNoAddressFailsAtOnce) {
  const DWORD start = GetTickCount();
  EXPECT_TRUE(HttpGet("http://127.0.0.1:1/").empty());
  EXPECT_TRUE(HttpGet("not an address").empty());
  EXPECT_TRUE(HttpGet("").empty());
  EXPECT_LT(GetTickCount() - start, 5000u);
}

}  // namespace

namespace {

LRESULT CALLBACK PlainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST_F(HttpGetTest, WhileItWaitsTheThreadsWindowsAnswerAndAQuitEndsItAtOnce) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = PlainProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "HttpGetTestWindow";
  RegisterClassA(&wc);
  HWND window =
      CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  const DWORD self = GetCurrentThreadId();
  DWORD slowest = 0;
  bool answeredAll = true;
  // Another thread asks the window while the request waits on a server that does not answer,
  // then posts the quit.
  std::thread asker([&] {
    Sleep(300);
    for (int i = 0; i < 20; ++i) {
      const DWORD sent = GetTickCount();
      DWORD_PTR result = 0;
      answeredAll &= SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result) != 0;
      slowest = std::max(slowest, GetTickCount() - sent);
      Sleep(50);
    }
    PostThreadMessageA(self, WM_QUIT, 3, 0);
  });
  const DWORD start = GetTickCount();
  EXPECT_TRUE(HttpGet(Base("slow")).empty());
  const DWORD took = GetTickCount() - start;
  asker.join();
  EXPECT_TRUE(answeredAll);
  EXPECT_LE(slowest, 100u);
  EXPECT_LT(took, catalogue::kHttpDeadlineMs - 3000);  // ended by the quit, not the deadline

  // With the quit still queued, no request is made at all.
  EXPECT_TRUE(HttpGet(Base()).empty());
  MSG msg{};
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_FALSE(HttpGet(Base()).empty());
  DestroyWindow(window);
}

}  // namespace
