#include "app/keys/remote_command.h"

#include <gtest/gtest.h>

namespace app {
namespace {

TEST(RemoteCommand, CommandLinesAreTheKnownWordsOnly) {
  EXPECT_EQ(ParseCommandLine({}), RemoteRequest{});
  EXPECT_EQ(ParseCommandLine({L"/next"}), (RemoteRequest{RemoteVerb::kNext, L""}));
  EXPECT_EQ(ParseCommandLine({L"/PlayPause"}), (RemoteRequest{RemoteVerb::kPlayPause, L""}));
  EXPECT_EQ(ParseCommandLine({L"/previous"}), (RemoteRequest{RemoteVerb::kPrevious, L""}));
  EXPECT_EQ(ParseCommandLine({L"/stop"}), (RemoteRequest{RemoteVerb::kStop, L""}));
  EXPECT_EQ(ParseCommandLine({L"/source", L"D:\\音乐"}),
            (RemoteRequest{RemoteVerb::kSource, L"D:\\音乐"}));
  for (const auto& bad : std::vector<std::vector<std::wstring>>{{L"next"},
                                                                {L"/nex"},
                                                                {L"/nextt"},
                                                                {L""},
                                                                {L"/next", L"x"},
                                                                {L"/stop", L"/next"},
                                                                {L"show"},
                                                                {L"/source"},
                                                                {L"a", L"b", L"c"}}) {
    EXPECT_FALSE(ParseCommandLine(bad)) << bad[0].size();
  }
}

TEST(RemoteCommand, WhatArrivesIsCheckedBeforeItIsTrusted) {
  for (RemoteRequest r : {RemoteRequest{}, RemoteRequest{RemoteVerb::kStop, L""},
                          RemoteRequest{RemoteVerb::kNext, L""}}) {
    const std::wstring text = EncodeRemoteRequest(r);
    EXPECT_EQ(DecodeRemoteRequest(kRemoteRequestMark, text.data(), text.size() * 2), r);
  }
  const std::wstring next = L"/next";
  EXPECT_FALSE(DecodeRemoteRequest(kRemoteRequestMark + 1, next.data(), next.size() * 2));
  EXPECT_FALSE(DecodeRemoteRequest(kRemoteRequestMark, next.data(), next.size() * 2 - 1));
  EXPECT_FALSE(DecodeRemoteRequest(kRemoteRequestMark, nullptr, 10));
  EXPECT_FALSE(DecodeRemoteRequest(kRemoteRequestMark, next.data(), 0));
  const std::wstring withNul(L"/next\0x", 7), withArgument = L"/next\tC:\\a";
  EXPECT_FALSE(DecodeRemoteRequest(kRemoteRequestMark, withNul.data(), withNul.size() * 2));
  EXPECT_FALSE(
      DecodeRemoteRequest(kRemoteRequestMark, withArgument.data(), withArgument.size() * 2));
  const std::wstring huge(kMaxRemoteChars + 1, L'a');
  EXPECT_FALSE(DecodeRemoteRequest(kRemoteRequestMark, huge.data(), huge.size() * 2));
}

}  // namespace
}  // namespace app
