// The player's announcements: one line each, whole, and nothing at all without the variable.
#include "app/announcer.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

TEST(Announcer, WritesOneLinePerAnnouncementAfterItsTimeAndNothingWithoutTheVariable) {
  char temp[MAX_PATH + 1] = {}, path[MAX_PATH + 1] = {};
  GetTempPathA(sizeof(temp), temp);
  ASSERT_TRUE(GetTempFileNameA(temp, "ann", 0, path));
  SetEnvironmentVariableA("ANNOUNCER_TEST_LOG", path);
  {
    const app::Announcer on(L"ANNOUNCER_TEST_LOG");
    ASSERT_TRUE(on.on());
    // The program's own texts are UTF-16 and come out as UTF-8.
    on.Say("face ", std::wstring(L"歌曲3 正在播放 0:01"), "\t", "two\r\nlines");
    on.Say("state ", 8L, " song ", 3);
  }
  SetEnvironmentVariableA("ANNOUNCER_TEST_LOG", nullptr);
  const app::Announcer off(L"ANNOUNCER_TEST_LOG");
  EXPECT_FALSE(off.on());
  off.Say("never");

  std::istringstream lines(Read(path));
  std::string line;
  std::vector<std::string> texts;
  while (std::getline(lines, line)) {
    const size_t space = line.find(' ');
    ASSERT_NE(space, std::string::npos) << line;
    EXPECT_GE(std::stod(line.substr(0, space)), 0.0) << line;  // ms since the process started
    texts.push_back(line.substr(space + 1));
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"face 歌曲3 正在播放 0:01\ttwo\\r\\nlines",
                                             "state 8 song 3"}));
  DeleteFileA(path);
}

}  // namespace
