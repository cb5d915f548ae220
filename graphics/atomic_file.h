// Replacing a file so that a cut-off run or a power cut leaves either the old content or the
// new, never a part or a file of zeros: every file the program writes for itself goes through
// here.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>

namespace graphics {

struct FilePart {
  const void* data;
  size_t size;
};

// Writes the parts, in order, to `path`.new, flushes it to the disk and moves it over `path`
// with write-through. False, with `path` as it was and no .new left behind, when any step
// fails. `path` may carry the \\?\ prefix.
bool WriteFileAtomically(const std::wstring& path, std::initializer_list<FilePart> parts);
bool WriteFileAtomically(const std::wstring& path, const void* data, size_t size);

}  // namespace graphics
