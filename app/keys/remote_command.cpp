#include "app/keys/remote_command.h"

#include <cwctype>

namespace app {
namespace {

struct VerbEntry {
  const wchar_t* word;
  RemoteVerb verb;
  bool takesArgument;
};

// A new command joins here, with one line.
constexpr VerbEntry kVerbs[] = {
    {L"/playpause", RemoteVerb::kPlayPause, false}, {L"/next", RemoteVerb::kNext, false},
    {L"/previous", RemoteVerb::kPrevious, false},   {L"/stop", RemoteVerb::kStop, false},
    {L"/source", RemoteVerb::kSource, true},
};

bool SameWord(const std::wstring& a, const wchar_t* b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i]; ++i) {
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  }
  return i == a.size() && !b[i];
}

const VerbEntry* FindVerb(const std::wstring& word) {
  for (const VerbEntry& e : kVerbs) {
    if (SameWord(word, e.word)) return &e;
  }
  return nullptr;
}

std::optional<RemoteRequest> Make(const std::wstring& word, const std::wstring* argument) {
  const VerbEntry* e = FindVerb(word);
  if (!e || e->takesArgument != (argument != nullptr)) return std::nullopt;
  if (argument && (argument->empty() || argument->size() > kMaxRemoteChars)) return std::nullopt;
  RemoteRequest r{e->verb, argument ? *argument : std::wstring()};
  return r;
}

}  // namespace

std::optional<RemoteRequest> ParseCommandLine(const std::vector<std::wstring>& arguments) {
  if (arguments.empty()) return RemoteRequest{};
  if (arguments.size() > 2) return std::nullopt;
  return Make(arguments[0], arguments.size() == 2 ? &arguments[1] : nullptr);
}

std::wstring EncodeRemoteRequest(const RemoteRequest& request) {
  std::wstring text = RemoteVerbName(request.verb);
  if (!request.argument.empty()) text += L'\t' + request.argument;
  return text;
}

std::optional<RemoteRequest> DecodeRemoteRequest(unsigned long mark, const void* data,
                                                 std::size_t bytes) {
  if (mark != kRemoteRequestMark || !data || bytes == 0 || bytes % sizeof(wchar_t) != 0 ||
      bytes / sizeof(wchar_t) > kMaxRemoteChars) {
    return std::nullopt;
  }
  const std::wstring text(static_cast<const wchar_t*>(data), bytes / sizeof(wchar_t));
  if (text.find(L'\0') != std::wstring::npos) return std::nullopt;
  if (text == RemoteVerbName(RemoteVerb::kShow)) return RemoteRequest{};
  const std::size_t tab = text.find(L'\t');
  if (tab == std::wstring::npos) return Make(text, nullptr);
  const std::wstring argument = text.substr(tab + 1);
  return Make(text.substr(0, tab), &argument);
}

const wchar_t* RemoteVerbName(RemoteVerb verb) {
  for (const VerbEntry& e : kVerbs) {
    if (e.verb == verb) return e.word;
  }
  return L"show";
}

}  // namespace app
