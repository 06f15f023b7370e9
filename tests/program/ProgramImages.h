// The program's parameter state as a test compares it around an action: the three images, the
// EQ curves, and whether the channel controls show an image.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct ProgramImages {
  std::vector<uint8_t> current, bank0, bank1;
  std::vector<std::vector<double>> curves;  // every curve's two point lists

  // The running program's state.
  static ProgramImages Take();
  bool operator==(const ProgramImages& other) const;
  bool operator!=(const ProgramImages& other) const { return !(*this == other); }
};

// Empty when every fixed slider and toggle of the main window shows `image`; else the first
// control that does not.
std::string ControlsDiffer(const uint8_t* image);

// "<folder of the test program>\mode", where the program keeps its PC modes; emptied (removed)
// while an instance lives and again when it goes.
class ModeFolder {
 public:
  ModeFolder();
  ~ModeFolder();
  ModeFolder(const ModeFolder&) = delete;
  ModeFolder& operator=(const ModeFolder&) = delete;
  const std::wstring& Path() const { return m_path; }
  std::wstring File(const std::wstring& name) const { return m_path + L"\\" + name; }

 private:
  std::wstring m_path;
};
