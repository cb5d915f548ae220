// The scan of a generated library into the SQLite index: exactly the playable files, with the
// right titles, and rescans that follow additions, changes and deletions.
#include "scanner.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>

#include "sqlite_store.h"
#include "tests/library_maker.h"

namespace catalogue_service {
namespace {

namespace fs = std::filesystem;

std::map<std::string, std::string> TitlesByPath(IndexStore& store, const std::string& root) {
  std::map<std::string, std::string> out;
  for (const Track& t : store.Find(store.Ids())) out[t.path.substr(root.size() + 1)] = t.title;
  return out;
}

// Root reads every file, so the scan that must meet an unreadable one runs as nobody.
ScanReport ScanAs(const Scanner& scanner, const std::string& index, bool asNobody) {
  if (!asNobody) {
    SqliteStore store(index);
    return scanner.Scan(store);
  }
  const pid_t child = fork();
  if (child == 0) {
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(3);
    SqliteStore store(index);
    const ScanReport r = scanner.Scan(store);
    _exit(static_cast<int>(r.skipped));
  }
  int status = 0;
  waitpid(child, &status, 0);
  ScanReport report;
  report.skipped = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return report;
}

TEST(Scanner, IndexesExactlyThePlayableFilesAndFollowsChanges) {
  TempFolder temp;
  const std::string music = temp.path() + "/music", outside = temp.path() + "/outside";
  MakeSong(music + "/a/b/tagged.wav", "Title 'One'", "Artist \\ Two");
  MakeSong(music + "/a/untagged name.wav");
  MakeSong(music + "/中文/歌.wav", "歌名", "歌手");
  MakeSong(music + "/bad\xFFname.wav");
  MakeSong(music + "/UPPER.WAV", "Upper");
  WriteFile(music + "/a/corrupt.mp3", std::string(5000, '\x55'));
  WriteFile(music + "/a/notes.txt", "not a song");
  WriteFile(music + "/a/picture.flac", "\x89PNG\r\n\x1a\n not audio");
  MakeSong(music + "/locked.wav", "Locked");
  chmod((music + "/locked.wav").c_str(), 0);
  MakeSong(outside + "/secret.wav", "Secret");
  fs::create_symlink(outside + "/secret.wav", music + "/link out.wav");
  fs::create_directory_symlink(outside, music + "/folder out");
  fs::create_symlink(music + "/UPPER.WAV", music + "/a/link in.wav");  // the same song again
  const bool root = geteuid() == 0;
  if (root) {
    chmod(temp.path().c_str(), 0777);
    for (const auto& e : fs::recursive_directory_iterator(temp.path())) {
      if (e.path().filename() != "locked.wav") chmod(e.path().c_str(), 0777);
    }
  }
  const std::string index = temp.path() + "/index.sqlite";

  const Scanner scanner({music, temp.path() + "/missing"});
  ASSERT_EQ(scanner.roots().size(), 1u);
  // Corrupt, not what its name says, unreadable, and the link out: the text file is no music.
  EXPECT_EQ(ScanAs(scanner, index, root).skipped, 4);
  SqliteStore store(index);
  const std::string real = scanner.roots()[0];
  EXPECT_EQ(TitlesByPath(store, real),
            (std::map<std::string, std::string>{{"a/b/tagged.wav", "Artist \\ Two - Title 'One'"},
                                                {"a/untagged name.wav", "untagged name"},
                                                {"中文/歌.wav", "歌手 - 歌名"},
                                                {"bad\xFFname.wav", "bad\xEF\xBF\xBDname"},
                                                {"UPPER.WAV", "Upper"}}));

  // Nothing changed: nothing read again. (Root would read the locked file: it goes.)
  fs::remove(music + "/locked.wav");
  ScanReport again = scanner.Scan(store);
  EXPECT_EQ(again.unchanged, 5);
  EXPECT_EQ(again.added + again.changed + again.removed, 0);

  // Added, changed (same id), deleted, and one that stopped being playable.
  const std::vector<int64_t> before = store.Ids();
  int64_t taggedId = 0;
  for (const Track& t : store.Find(before))
    taggedId += t.path == real + "/a/b/tagged.wav" ? t.id : 0;
  MakeSong(music + "/a/new.wav", "New");
  MakeSong(music + "/a/b/tagged.wav", "Retitled", "", 0.3);
  fs::remove(music + "/中文/歌.wav");
  WriteFile(music + "/a/untagged name.wav", "RIFF broken");
  again = scanner.Scan(store);
  EXPECT_EQ(again.added, 1);
  EXPECT_EQ(again.changed, 1);
  EXPECT_EQ(again.removed, 2);
  EXPECT_EQ(TitlesByPath(store, real),
            (std::map<std::string, std::string>{{"a/b/tagged.wav", "Retitled"},
                                                {"a/new.wav", "New"},
                                                {"bad\xFFname.wav", "bad\xEF\xBF\xBDname"},
                                                {"UPPER.WAV", "Upper"}}));
  const std::vector<Track> retitled = store.Find({taggedId});
  ASSERT_EQ(retitled.size(), 1u);
  EXPECT_EQ(retitled[0].title, "Retitled");
}

}  // namespace
}  // namespace catalogue_service
