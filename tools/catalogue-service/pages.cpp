#include "pages.h"

#include <cstdint>

namespace catalogue_service {

std::string HomePage(const std::string& token, Fault fault) {
  std::string page =
      "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta charset=\"utf-8\">\r\n"
      "<title>曲库</title>\r\n";
  const std::string reference =
      "<script type=\"text/javascript\" src=\"list.ashx?rnd=" + token + "\"></script>";
  switch (fault) {
    case Fault::kNoToken:
      break;
    case Fault::kNoCr:
      page += reference + "\n";
      break;
    case Fault::kUpper:
      page += "<SCRIPT TYPE=\"TEXT/JAVASCRIPT\" SRC=\"LIST.ASHX?RND=" + token + "\"></SCRIPT>\r\n";
      break;
    case Fault::kTwoTokens:
      page += reference + "\r\n";
      page += "<script type=\"text/javascript\" src=\"list.ashx?rnd=expired" + token +
              "\"></script>\r\n";
      break;
    default:
      page += reference + "\r\n";
  }
  page +=
      "</head>\r\n<body>\r\n<h1>曲库</h1>\r\n<p>今日推荐，每次刷新换一批。</p>\r\n"
      "</body>\r\n</html>\r\n";
  return page;
}

std::string EscapeTitle(const std::string& title) {
  std::string out;
  for (char c : title) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\'':
        out += "\\'";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string ListScript(const std::vector<ListEntry>& entries, Fault fault) {
  if (fault == Fault::kGarbage) {
    std::string noise(64 * 1024, '\0');
    uint32_t x = 2463534242u;
    for (char& c : noise) {
      x ^= x << 13;
      x ^= x >> 17;
      x ^= x << 5;
      c = static_cast<char>(x);
    }
    return noise;
  }
  const char* separator = fault == Fault::kPacked ? "" : ",\r\n";
  const char* m4a = fault == Fault::kMalformed ? "', m4a: 'mp3.ashx?id=" : "',m4a: 'mp3.ashx?id=";
  std::string out = "var songs = [\r\n";
  for (size_t i = 0; i < entries.size(); ++i) {
    const int64_t id = entries[i].id;
    const std::string number = std::to_string(id);
    if (i > 0) out += separator;
    std::string title = EscapeTitle(entries[i].title);
    if (fault == Fault::kLongRecords) title.append(100 * 1024, 'x');
    out += "{title: '" + title;
    if (fault == Fault::kNested) {
      // A marker inside a marker, and one repeated.
      out += "', mp3: 'mp3: 'mp3.ashx?id=" + number + "', mp3: 'mp3.ashx?id=" + number;
    } else if (!(fault == Fault::kShortRecords && id % 3 == 0)) {
      out += "', mp3: 'mp3.ashx?id=" + number;
    }
    out += m4a + number + "'}";
  }
  out += "\r\n];\r\n";
  return out;
}

std::string AboutPage() {
  return "<!DOCTYPE html>\r\n<html><head><meta charset=\"utf-8\"><title>关于</title></head>\r\n"
         "<body><h1>关于作者</h1><p>这是随播放器附带的本地曲库服务。</p></body></html>\r\n";
}

}  // namespace catalogue_service
