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

// An image the controls show as it is (nothing a refresh would clamp): `base` (a built-in image)
// with every fixed slider moved by `step` positions towards the inside of its range and, for an
// odd step, every toggle switched.
std::vector<uint8_t> ShowableImage(const uint8_t* base, int step);

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
  // The program's folder, which holds it.
  std::wstring ProgramFolder() const { return m_path.substr(0, m_path.size() - 5); }
  std::wstring File(const std::wstring& name) const { return m_path + L"\\" + name; }

 private:
  std::wstring m_path;
};
