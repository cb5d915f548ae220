#include "skin/caption/glyph_fallback.h"

#include <vector>

#include "skin/gdi/gdi_handles.h"

namespace skin {
namespace {

struct Candidate {
  const wchar_t* face;
  BYTE charset;
};

// Asked in this order; a face the system lacks is answered by its font mapper with a face of
// the character set, which is how a system without these names still finds its CJK font.
constexpr Candidate kChinese[] = {{L"Microsoft YaHei UI", GB2312_CHARSET},
                                  {L"Microsoft YaHei", GB2312_CHARSET},
                                  {L"SimSun", GB2312_CHARSET},
                                  {L"Microsoft JhengHei UI", CHINESEBIG5_CHARSET},
                                  {L"PMingLiU", CHINESEBIG5_CHARSET}};
constexpr Candidate kJapanese[] = {{L"Yu Gothic UI", SHIFTJIS_CHARSET},
                                   {L"Meiryo UI", SHIFTJIS_CHARSET},
                                   {L"MS UI Gothic", SHIFTJIS_CHARSET}};
constexpr Candidate kKorean[] = {{L"Malgun Gothic", HANGUL_CHARSET}, {L"Gulim", HANGUL_CHARSET}};
constexpr Candidate kOthers[] = {{L"Segoe UI", DEFAULT_CHARSET},
                                 {L"Segoe UI Symbol", SYMBOL_CHARSET},
                                 {L"Arial Unicode MS", DEFAULT_CHARSET}};

bool Kana(wchar_t c) { return (c >= 0x3040 && c <= 0x30FF) || (c >= 0x31F0 && c <= 0x31FF); }
bool Hangul(wchar_t c) {
  return (c >= 0x1100 && c <= 0x11FF) || (c >= 0x3130 && c <= 0x318F) ||
         (c >= 0xAC00 && c <= 0xD7AF);
}

// The script's own fonts first, then every other candidate: a title may mix scripts.
std::vector<Candidate> CandidatesFor(const std::wstring& missing) {
  bool kana = false, hangul = false;
  for (wchar_t c : missing) {
    kana = kana || Kana(c);
    hangul = hangul || Hangul(c);
  }
  std::vector<Candidate> order;
  const auto add = [&order](const auto& list) {
    order.insert(order.end(), std::begin(list), std::end(list));
  };
  if (kana) add(kJapanese);
  if (hangul) add(kKorean);
  add(kChinese);
  if (!kana) add(kJapanese);
  if (!hangul) add(kKorean);
  add(kOthers);
  return order;
}

bool Judged(wchar_t c) { return c >= 0x20 && (c < 0xD800 || c > 0xDFFF); }

// The face the font that `wanted` makes really has, and what of `text` it lacks.
struct Probe {
  std::wstring face, missing;
};

Probe ProbeFont(const LOGFONTW& wanted, const std::wstring& text) {
  Probe probe;
  GdiObject<HFONT> font(CreateFontIndirectW(&wanted));
  MemoryDc dc;
  if (!font || !dc.EnsureDc()) return probe;
  HGDIOBJ old = SelectObject(dc.dc(), font.get());
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(dc.dc(), LF_FACESIZE, face);
  probe.face = face;
  std::wstring asked;
  for (wchar_t c : text) {
    if (Judged(c) && asked.find(c) == std::wstring::npos) asked += c;
  }
  std::vector<WORD> glyphs(asked.size());
  if (!asked.empty() && GetGlyphIndicesW(dc.dc(), asked.c_str(), static_cast<int>(asked.size()),
                                         glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR) {
    probe.missing = asked;
  } else {
    for (size_t i = 0; i < asked.size(); ++i) {
      if (glyphs[i] == 0xFFFF) probe.missing += asked[i];
    }
  }
  SelectObject(dc.dc(), old);
  return probe;
}

LOGFONTW Named(const std::wstring& face, BYTE charset) {
  LOGFONTW wanted{};
  wanted.lfHeight = -12;
  wanted.lfCharSet = charset;
  lstrcpynW(wanted.lfFaceName, face.c_str(), LF_FACESIZE);
  return wanted;
}

// The candidate's face lacking fewest of `missing`, or an empty face when none lacks fewer.
std::wstring BestCandidate(const std::wstring& missing) {
  std::wstring best;
  size_t fewest = missing.size();
  for (const Candidate& c : CandidatesFor(missing)) {
    const Probe probe = ProbeFont(Named(c.face, c.charset), missing);
    if (probe.face.empty() || probe.missing.size() >= fewest) continue;
    best = probe.face;
    fewest = probe.missing.size();
    if (fewest == 0) break;
  }
  return best;
}

}  // namespace

std::wstring MissingGlyphs(const std::wstring& face, const std::wstring& text) {
  return ProbeFont(Named(face, DEFAULT_CHARSET), text).missing;
}

std::wstring FaceWithGlyphs(const std::wstring& face, const std::wstring& text) {
  const std::wstring missing = MissingGlyphs(face, text);
  if (missing.empty()) return face;
  const std::wstring best = BestCandidate(missing);
  return best.empty() ? face : best;
}

HFONT FontWithGlyphs(HFONT font, const std::wstring& text) {
  LOGFONTW wanted{};
  if (!font || GetObjectW(font, sizeof(wanted), &wanted) == 0) return nullptr;
  const std::wstring missing = ProbeFont(wanted, text).missing;
  if (missing.empty()) return nullptr;
  const std::wstring best = BestCandidate(missing);
  if (best.empty()) return nullptr;
  lstrcpynW(wanted.lfFaceName, best.c_str(), LF_FACESIZE);
  wanted.lfCharSet = DEFAULT_CHARSET;
  return CreateFontIndirectW(&wanted);
}

}  // namespace skin
