// Replaces one imported function of the test executable, so a test can count the calls the
// code under test makes into a system DLL.
#pragma once

namespace graphics_test {

class ImportHook {
 public:
  // Finds function in the import table entries of dll; Installed() is false when it is not
  // imported.
  ImportHook(const char* dll, const char* function, void* replacement);
  ~ImportHook();
  ImportHook(const ImportHook&) = delete;
  ImportHook& operator=(const ImportHook&) = delete;

  bool Installed() const { return slot_ != nullptr; }
  void* Original() const { return original_; }

 private:
  void** slot_ = nullptr;
  void* original_ = nullptr;
};

}  // namespace graphics_test
