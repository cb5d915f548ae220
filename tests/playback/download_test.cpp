// The download button's conversion and hand-over.
#include "catalogue/download.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::wstring> g_received;

HRESULT WINAPI RecordingEntry(LPCWSTR address) {
  g_received.emplace_back(address);
  return S_OK;
}

TEST(Download, AnEmptyAddressBecomesTheTerminatorAlone) {
  EXPECT_EQ(catalogue::ToDownloadText(""), std::vector<wchar_t>{L'\0'});
}

TEST(Download, AnAsciiAddressIsUnchanged) {
  const std::string address = "http://127.0.0.1:8431/mp3.ashx?id=7&x=a b";
  const std::vector<wchar_t> text = catalogue::ToDownloadText(address);
  ASSERT_EQ(text.size(), address.size() + 1);
  EXPECT_EQ(std::wstring(text.data()), L"http://127.0.0.1:8431/mp3.ashx?id=7&x=a b");
}

TEST(Download, TheEntryReceivesTheAddressAndAMissingEntryDoesNothing) {
  g_received.clear();
  catalogue::DownloadAddress("http://h/mp3.ashx?id=1", RecordingEntry);
  catalogue::DownloadAddress("", RecordingEntry);
  catalogue::DownloadAddress("http://h/mp3.ashx?id=2", nullptr);
  EXPECT_EQ(g_received, (std::vector<std::wstring>{L"http://h/mp3.ashx?id=1", L""}));
}

TEST(Download, TheShellsDialogEntryIsFound) {
  // Looked up by name at run time: there is no import library for it.
  EXPECT_NE(catalogue::FindDownloadEntry(), nullptr);
}

}  // namespace
