// The music source from the command line: `/source` and what follows it.
#include "app/data/source_setting.h"

#include <gtest/gtest.h>

namespace {

using Kind = catalogue::MusicSource::Kind;

TEST(SourceArgument, TheWordAfterSlashSourceIsTheSourceAndABadOneIsRefused) {
  const app::SourceArgument folder =
      app::SourceFromCommandLine(L"player.exe /SOURCE \"D:\\My Music\\\\\" /other");
  EXPECT_TRUE(folder.given && folder.valid);
  EXPECT_EQ(folder.source.kind, Kind::kFolder);
  EXPECT_EQ(folder.source.value, L"D:\\My Music");
  EXPECT_EQ(app::SourceFromCommandLine(L"p.exe -source http://10.0.0.2:8421/").source.kind,
            Kind::kAddress);

  for (const wchar_t* bad :
       {L"p.exe /source", L"p.exe /source relative\\music", L"p.exe /source \"\""}) {
    const app::SourceArgument refused = app::SourceFromCommandLine(bad);
    EXPECT_TRUE(refused.given) << bad;
    EXPECT_FALSE(refused.valid) << bad;
  }
  EXPECT_FALSE(app::SourceFromCommandLine(L"p.exe \"D:\\Music\"").given);
}

}  // namespace
